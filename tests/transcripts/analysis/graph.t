graph: finite points only; without a display the picture is saved as a file.
=== session
> graph SIN(x)
COUNT | Function SIN{${0}}
VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)
Counting results...
Making points... 501 points (8016 bytes) was made.
Graphic window...
GRAPH | No display: the picture was saved to Tovik-graph.png.
Graphic window was closed.
# OBJ: 0 SS: 8200.
> graph 1/x x(-1,1,2)
COUNT | Function /{1,${0}}
VAR   | Local $0 from -1 to 1 by 1 (2 steps)
Counting results...
Making points... 2 points (32 bytes) was made.
Graphic window...
GRAPH | No display: the picture was saved to Tovik-graph.png.
Graphic window was closed.
