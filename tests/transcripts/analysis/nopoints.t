graph with no finite point opens no window and saves no picture.
=== run
=== stdin
graph x^0.5 x(-2,-1,2)
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>COUNT | Function ^{${0},0.5}
VAR   | Local $0 from -2 to -1 by 0.5 (2 steps)
Counting results...
Making points... 0 points (0 bytes) was made.
Graphic window...
Graphic window was closed.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>
=== expect-missing Tovik-graph.png
