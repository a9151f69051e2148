A table too long for Stack 1 ends at its bound with the runner's lines, and the console goes on.
=== session
> count x x(0,1,10^12)
COUNT | Function ${0}
VAR   | Local $0 from 0 to 1 by 1e-12 (1e+12 steps)
Counting results...
ZORVA | Error 0x30. 33 stack error(s).
ERROR | Some of stacks are not empty.
ERROR | There are 33+0+0 stack error(s).
# OBJ: 0 SS: 134217728.
> null x x(0,1,10^12)
COUNT | Function ${0}
VAR   | Local $0 from 0 to 1 by 1e-12 (1e+12 steps)
Counting results...
ZORVA | Error 0x30. 33 stack error(s).
ERROR | Some of stacks are not empty.
ERROR | There are 33+0+0 stack error(s).
> graph x x(0,1,10^12)
COUNT | Function ${0}
VAR   | Local $0 from 0 to 1 by 1e-12 (1e+12 steps)
Counting results...
ZORVA | Error 0x30. 33 stack error(s).
ERROR | Some of stacks are not empty.
ERROR | There are 33+0+0 stack error(s).
> 1+1
VALUE | 2
DEC 2
HEX 2
BIN 10
dbl 00 00 00 00 00 00 00 40 
ul  02 00 00 00 
szt 02 00 00 00 
# OBJ: 1 SS: 134217728.
