The refusals of the set-up, each with its message, and the console going on after them.
=== run
=== stdin
count x^2 x(5,1)
count x^2 x(0,1,0.5)
count x^2 x(0,1,-3)
count x^2 x(1,1)
count x x(10^20,10^20+10^5)
count x x(4503599627370497,4503599627370499,4)
count x(2)+1
count x^2+
count (x
count x x(1,2
count x SIN
count x 5
count x x(a)
count 1=x x(0,1,1)
count NOSUCH(x) x(0,1,1)
1+1
count PRINT() x(-1,30,3)
null PRINT()-PRINT() x
graph DO(1,ARGS)<2 x
count (x=1) x
null (x=SIN(1/0))*x x
graph ($(x-x)=3)+x
count ARGS(0,1) x(0,1,1)
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Logical misake: from>=to or steps not in [1..INF).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Function x(2)+1: object which is declared as arguments must not have own arguments.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Invalid tree with function expression.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Some of brackets are not closed.
ERROR | Invalid tree with function expression.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Some of brackets are not closed.
ERROR | Invalid tree with variable name and its settings.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Invalid variable name.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Invalid variable name.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ZORVA | Unknown object: a.
ZORVA | Error 0x101. Call object - unknown object.
ERROR | Some arguments of variable are undefined.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>COUNT | Function ={1,${0}}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
ERROR | First argument of operator '=' must be lvalue.
ERROR | Cannot make function code.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>COUNT | Function NOSUCH{${0}}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
Counting results...
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x1020. Call object - unknown object.
ERROR | Some of stacks are not empty.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>VALUE | 2
DEC 2
HEX 2
BIN 10
dbl 00 00 00 00 00 00 00 40 
ul  02 00 00 00 
szt 02 00 00 00 

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function PRINT(): PRINT() leaves no value, and every point needs exactly one.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function PRINT()-PRINT(): PRINT() leaves no value, and every point needs exactly one.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function DO(1,ARGS)<2: ARGS leaves no value, and every point needs exactly one.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function (x=1): it assigns its variable x, which steps through the range; the table would never end.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function (x=SIN(1/0))*x: it assigns its variable x, which steps through the range; the table would never end.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>ERROR | Function ($(x-x)=3)+x: it assigns its variable x, which steps through the range; the table would never end.

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>COUNT | Function ARGS{0,1}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
Counting results...
ERROR | The function does not leave exactly one value for each point.
ERROR | Some of stacks are not empty.

OBJ: 1 SS: 12288.
Tovik 1.0.0.6>
