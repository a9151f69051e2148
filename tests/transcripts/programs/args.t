Argument groups: ARGS passes a call's arguments on, ARGS(h,e) a range of them, ARGN counts
them; SUM and AVR take counted arguments or a whole group; arguments beyond those passed are
the error value.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
SUM(1,2,3,4)
AVR(1,2,3,4)
SUM
def TOTAL SUM(ARGS)
TOTAL(1,2,3,4,5)
TOTAL
def MEAN AVR(ARGS)
MEAN(2,4,9)
def COUNT ARGN
COUNT(7,8,9)
COUNT
def PASS(A) TOTAL(A*10,ARGS)
PASS(1,2,3)
def MIDDLE SUM(ARGS(1,ARGN-2))
MIDDLE(100,1,2,3,100)
def SECOND @(1)
SECOND(5,6,7)
SECOND(5)
def SETARG(A) DO(A=A*2,@(1)=3,A+@(1))
SETARG(4,0)
def SPREAD(X) MEAN(X,ARGS,X)
SPREAD(0,6)
(@(0)+@(1))(20,22)
(SUM(ARGS))(1,2,ARGS)
MAIN(DO($0=@0*2,$0+1),5,N$1)
MAIN(@0,5,N$1,N$2)
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>VALUE | 10

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>VALUE | 2.5

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>VALUE | 0

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>DEF   | New function TOTAL was defined.
WHAT  | Global object TOTAL.
EXPL  | TOTAL SUM(ARGS)

OBJ: 2 SS: 8192.
Tovik 1.0.0.6>VALUE | 15

OBJ: 2 SS: 16384.
Tovik 1.0.0.6>VALUE | 0

OBJ: 2 SS: 16384.
Tovik 1.0.0.6>DEF   | New function MEAN was defined.
WHAT  | Global object MEAN.
EXPL  | MEAN AVR(ARGS)

OBJ: 3 SS: 16384.
Tovik 1.0.0.6>VALUE | 5

OBJ: 3 SS: 16384.
Tovik 1.0.0.6>DEF   | New function COUNT was defined.
WHAT  | Global object COUNT.
EXPL  | COUNT ARGN

OBJ: 4 SS: 16384.
Tovik 1.0.0.6>VALUE | 3

OBJ: 4 SS: 16384.
Tovik 1.0.0.6>VALUE | 0

OBJ: 4 SS: 16384.
Tovik 1.0.0.6>DEF   | New function PASS was defined.
WHAT  | Global object PASS.
EXPL  | PASS(A) TOTAL(A*10,ARGS)

OBJ: 5 SS: 16384.
Tovik 1.0.0.6>VALUE | 16

OBJ: 5 SS: 16384.
Tovik 1.0.0.6>DEF   | New function MIDDLE was defined.
WHAT  | Global object MIDDLE.
EXPL  | MIDDLE SUM(ARGS(1,ARGN-2))

OBJ: 6 SS: 16384.
Tovik 1.0.0.6>VALUE | 6

OBJ: 6 SS: 16384.
Tovik 1.0.0.6>DEF   | New function SECOND was defined.
WHAT  | Global object SECOND.
EXPL  | SECOND @(1)

OBJ: 7 SS: 16384.
Tovik 1.0.0.6>VALUE | 6

OBJ: 7 SS: 16384.
Tovik 1.0.0.6>VALUE | NAN

OBJ: 7 SS: 16384.
Tovik 1.0.0.6>DEF   | New function SETARG was defined.
WHAT  | Global object SETARG.
EXPL  | SETARG(A) DO(A=A*2,@(1)=3,A+@(1))

OBJ: 8 SS: 16384.
Tovik 1.0.0.6>VALUE | 11

OBJ: 8 SS: 16384.
Tovik 1.0.0.6>DEF   | New function SPREAD was defined.
WHAT  | Global object SPREAD.
EXPL  | SPREAD(X) MEAN(X,ARGS,X)

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>VALUE | 1.5

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>VALUE | 42

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>VALUE | 3

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>VALUE | 11

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>ERROR | Function 'MAIN' must not have more than one 'N$' argument.
ERROR | Cannot make code for expression.
VALUE | NAN

OBJ: 9 SS: 16384.
Tovik 1.0.0.6>
