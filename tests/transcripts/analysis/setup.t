The refusals of the set-up, each with its message, and the console going on after them.
=== session
> count x^2 x(5,1)
ERROR | Logical misake: from>=to or steps not in [1..INF).
# OBJ: 0 SS: 8192.
> count x^2 x(0,1,0.5)
ERROR | Logical misake: from>=to or steps not in [1..INF).
> count x^2 x(0,1,-3)
ERROR | Logical misake: from>=to or steps not in [1..INF).
> count x^2 x(1,1)
ERROR | Logical misake: from>=to or steps not in [1..INF).
> count x x(10^20,10^20+10^5)
ERROR | Logical misake: from>=to or steps not in [1..INF).
> count x x(4503599627370497,4503599627370499,4)
ERROR | Logical misake: from>=to or steps not in [1..INF).
> count x(2)+1
ERROR | Function x(2)+1: object which is declared as arguments must not have own arguments.
> count x^2+
ERROR | Invalid tree with function expression.
> count (x
ERROR | Some of brackets are not closed.
ERROR | Invalid tree with function expression.
> count x x(1,2
ERROR | Some of brackets are not closed.
ERROR | Invalid tree with variable name and its settings.
> count x SIN
ERROR | Invalid variable name.
> count x 5
ERROR | Invalid variable name.
> count x x(a)
ZORVA | Unknown object: a.
ZORVA | Error 0x101. Call object - unknown object.
ERROR | Some arguments of variable are undefined.
> count 1=x x(0,1,1)
COUNT | Function ={1,${0}}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
ERROR | First argument of operator '=' must be lvalue.
ERROR | Cannot make function code.
> count NOSUCH(x) x(0,1,1)
COUNT | Function NOSUCH{${0}}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
Counting results...
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x1020. Call object - unknown object.
ERROR | Some of stacks are not empty.
> 1+1
VALUE | 2
DEC 2
HEX 2
BIN 10
dbl 00 00 00 00 00 00 00 40 
ul  02 00 00 00 
szt 02 00 00 00 
# OBJ: 1 SS: 8192.
> count PRINT() x(-1,30,3)
ERROR | Function PRINT(): PRINT() leaves no value, and every point needs exactly one.
> null PRINT()-PRINT() x
ERROR | Function PRINT()-PRINT(): PRINT() leaves no value, and every point needs exactly one.
> graph DO(1,ARGS)<2 x
ERROR | Function DO(1,ARGS)<2: ARGS leaves no value, and every point needs exactly one.
> count (x=1) x
ERROR | Function (x=1): it assigns its variable x, which steps through the range; the table would never end.
> null (x=SIN(1/0))*x x
ERROR | Function (x=SIN(1/0))*x: it assigns its variable x, which steps through the range; the table would never end.
> graph ($(x-x)=3)+x
ERROR | Function ($(x-x)=3)+x: it assigns its variable x, which steps through the range; the table would never end.
> count ARGS(0,1) x(0,1,1)
COUNT | Function ARGS{0,1}
VAR   | Local $0 from 0 to 1 by 1 (1 steps)
Counting results...
ERROR | The function does not leave exactly one value for each point.
ERROR | Some of stacks are not empty.
# OBJ: 1 SS: 12288.
