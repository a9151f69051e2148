count, graph and null reach function analysis, which is not part of this version yet.
=== run
=== stdin
count x^2
count x^2 x(0,5)
graph SIN(x)
null x-1 x(0,2)
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | count, graph and null are not available yet.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | count, graph and null are not available yet.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | count, graph and null are not available yet.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | count, graph and null are not available yet.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
