Plain expression lines: blanks vanish, the value becomes ANS, the error value prints "VALUE | NAN"
and leaves ANS alone; what and del alone are expressions too.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
x = 1 + 2
x * 2
ANS + 1
"2 ^ 10"
NOSUCH + 1
ANS
1/0 + 1
-1^0.5
what
del
(1
1 2
SIN
2*(3+4)-8/2
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>VALUE | 3

OBJ: 2 SS: 8192.
Tovik 1.0.0.6>VALUE | 6

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 7

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 1024

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 1024

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | inf

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: what.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: del.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | Some of brackets are not closed.
ERROR | Error in expression or tree is corrupted.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 12

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | Operator 0x40 cannot use without arguments.
ERROR | Cannot make code for expression.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 10

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>
