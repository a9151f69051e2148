graph with no finite point opens no window and saves no picture.
=== session
> graph x^0.5 x(-2,-1,2)
COUNT | Function ^{${0},0.5}
VAR   | Local $0 from -2 to -1 by 0.5 (2 steps)
Counting results...
Making points... 0 points (0 bytes) was made.
Graphic window...
Graphic window was closed.
# OBJ: 0 SS: 8192.
=== expect-missing Tovik-graph.png
