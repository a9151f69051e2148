count: one line per point through the count format, for the three range forms.
=== session
> count x^2
COUNT | Function ^{${0},2}
VAR   | Local $0 from -10 to 10 by 1 (20 steps)
Counting results...
-10 (-10) -> 100 (100)
-9 (-9) -> 81 (81)
-8 (-8) -> 64 (64)
-7 (-7) -> 49 (49)
-6 (-6) -> 36 (36)
-5 (-5) -> 25 (25)
-4 (-4) -> 16 (16)
-3 (-3) -> 9 (9)
-2 (-2) -> 4 (4)
-1 (-1) -> 1 (1)
0 (0) -> 0 (0)
1 (1) -> 1 (1)
2 (2) -> 4 (4)
3 (3) -> 9 (9)
4 (4) -> 16 (16)
5 (5) -> 25 (25)
6 (6) -> 36 (36)
7 (7) -> 49 (49)
8 (8) -> 64 (64)
9 (9) -> 81 (81)
10 (10) -> 100 (100)
# OBJ: 0 SS: 8200.
> count x^2 x(5)
COUNT | Function ^{${0},2}
VAR   | Local $0 from 0 to 5 by 0.25 (20 steps)
Counting results...
0 (0) -> 0 (0)
0.25 (0.25) -> 0.0625 (0.0625)
0.5 (0.5) -> 0.25 (0.25)
0.75 (0.75) -> 0.5625 (0.5625)
1 (1) -> 1 (1)
1.25 (1.25) -> 1.5625 (1.5625)
1.5 (1.5) -> 2.25 (2.25)
1.75 (1.75) -> 3.0625 (3.0625)
2 (2) -> 4 (4)
2.25 (2.25) -> 5.0625 (5.0625)
2.5 (2.5) -> 6.25 (6.25)
2.75 (2.75) -> 7.5625 (7.5625)
3 (3) -> 9 (9)
3.25 (3.25) -> 10.5625 (10.5625)
3.5 (3.5) -> 12.25 (12.25)
3.75 (3.75) -> 14.0625 (14.0625)
4 (4) -> 16 (16)
4.25 (4.25) -> 18.0625 (18.0625)
4.5 (4.5) -> 20.25 (20.25)
4.75 (4.75) -> 22.5625 (22.5625)
5 (5) -> 25 (25)
> count (t+1)^2 t(0,3,3)
COUNT | Function ^{+{${0},1},2}
VAR   | Local $0 from 0 to 3 by 1 (3 steps)
Counting results...
0 (0) -> 1 (1)
1 (1) -> 4 (4)
2 (2) -> 9 (9)
3 (3) -> 16 (16)
> count x^0.5 x(-1,1,2)
COUNT | Function ^{${0},0.5}
VAR   | Local $0 from -1 to 1 by 1 (2 steps)
Counting results...
-1 (-1) -> 
0 (0) -> 0 (0)
1 (1) -> 1 (1)
> countformat "%.3f"
NCFMT | New format for count & null: %.3f.
> count 1/x x(-1,1,4)
COUNT | Function /{1,${0}}
VAR   | Local $0 from -1 to 1 by 0.5 (4 steps)
Counting results...
-1.000 -> -1.000
-0.500 -> -2.000
0.000 -> inf
0.500 -> 2.000
1.000 -> 1.000
> showprog on
SHOW+ | Program showing enabled.
> count x x(0,1,1)
COUNT | Function ${0}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
ZORVA | This code will run:
address | cmd | explanation
      0 |  44 | INIT LOCALS(1)
      5 |  00 | PUSH 0
     14 |  33 | SET  LOCAL(0)
     19 |  00 | PUSH 1
     28 |  10 | OPER 12
     30 |  30 | JIFN 72 (SHIFT 42)
     35 |  34 | GET  LOCAL(0)
     40 |  34 | GET  LOCAL(0)
     45 |  34 | GET  LOCAL(0)
     50 |  00 | PUSH 1
     59 |  10 | OPER 0
     61 |  33 | SET  LOCAL(0)
     66 |  31 | JUMP 19 (SHIFT -47)
     71 |  24 | POP
     72 |  12 | RETURN
Counting results...
0.000 -> 0.000
1.000 -> 1.000
