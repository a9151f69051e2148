null: sign changes refined depth first into zeros; only the progress line shows.
=== run
=== stdin
null x^2-2
null x x(0,1)
null x x(-1,1,2)
null x^2+1
null SIN(x)
null (x-1)*(x-2)*(x-3) x(0,4,4)
null SIN(x) x(-31.5,-0.5,1000)
=== stdout noeol esc
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>COUNT | Function -{^{${0},2},2}
VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)
Counting results...
Finding zeros...\x0dZeros 1 (11 cycles)...\x0dZeros 2 (27 cycles)...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function ${0}
VAR   | Local $0 from 0 to 1 by 0.002 (500 steps)
Counting results...
Finding zeros...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function ${0}
VAR   | Local $0 from -1 to 1 by 1 (2 steps)
Counting results...
Finding zeros...\x0dZeros 1 (0 cycles)...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function +{^{${0},2},1}
VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)
Counting results...
Finding zeros...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function SIN{${0}}
VAR   | Local $0 from -10 to 10 by 0.04 (500 steps)
Counting results...
Finding zeros...\x0dZeros 1 (10 cycles)...\x0dZeros 2 (20 cycles)...\x0dZeros 3 (31 cycles)...\x0dZeros 4 (387 cycles)...\x0dZeros 5 (402 cycles)...\x0dZeros 6 (417 cycles)...\x0dZeros 7 (432 cycles)...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function *{*{-{${0},1},-{${0},2}},-{${0},3}}
VAR   | Local $0 from 0 to 4 by 1 (4 steps)
Counting results...
Finding zeros...\x0dZeros 1 (0 cycles)...\x0dZeros 2 (0 cycles)...\x0dZeros 3 (0 cycles)...
OBJ: 0 SS: 8200.
Tovik 1.0.0.6>COUNT | Function SIN{${0}}
VAR   | Local $0 from -31.5 to -0.5 by 0.031 (1000 steps)
Counting results...
Finding zeros...\x0dZeros 1 (15 cycles)...\x0dZeros 2 (30 cycles)...\x0dZeros 3 (44 cycles)...\x0dZeros 4 (58 cycles)...\x0dZeros 5 (72 cycles)...\x0dZeros 6 (86 cycles)...\x0dZeros 7 (100 cycles)...\x0dZeros 8 (114 cycles)...\x0dZeros 9 (128 cycles)...\x0dZeros 10 (142 cycles)...
OBJ: 0 SS: 16392.
Tovik 1.0.0.6>
