Argument groups: ARGS passes a call's arguments on, ARGS(h,e) a range of them, ARGN counts
them; SUM and AVR take counted arguments or a whole group; arguments beyond those passed are
the error value.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> SUM(1,2,3,4)
VALUE | 10
# OBJ: 1 SS: 8192.
> AVR(1,2,3,4)
VALUE | 2.5
> SUM
VALUE | 0
> def TOTAL SUM(ARGS)
DEF   | New function TOTAL was defined.
WHAT  | Global object TOTAL.
EXPL  | TOTAL SUM(ARGS)
# OBJ: 2 SS: 8192.
> TOTAL(1,2,3,4,5)
VALUE | 15
# OBJ: 2 SS: 16384.
> TOTAL
VALUE | 0
> def MEAN AVR(ARGS)
DEF   | New function MEAN was defined.
WHAT  | Global object MEAN.
EXPL  | MEAN AVR(ARGS)
# OBJ: 3 SS: 16384.
> MEAN(2,4,9)
VALUE | 5
> def COUNT ARGN
DEF   | New function COUNT was defined.
WHAT  | Global object COUNT.
EXPL  | COUNT ARGN
# OBJ: 4 SS: 16384.
> COUNT(7,8,9)
VALUE | 3
> COUNT
VALUE | 0
> def PASS(A) TOTAL(A*10,ARGS)
DEF   | New function PASS was defined.
WHAT  | Global object PASS.
EXPL  | PASS(A) TOTAL(A*10,ARGS)
# OBJ: 5 SS: 16384.
> PASS(1,2,3)
VALUE | 16
> def MIDDLE SUM(ARGS(1,ARGN-2))
DEF   | New function MIDDLE was defined.
WHAT  | Global object MIDDLE.
EXPL  | MIDDLE SUM(ARGS(1,ARGN-2))
# OBJ: 6 SS: 16384.
> MIDDLE(100,1,2,3,100)
VALUE | 6
> def SECOND @(1)
DEF   | New function SECOND was defined.
WHAT  | Global object SECOND.
EXPL  | SECOND @(1)
# OBJ: 7 SS: 16384.
> SECOND(5,6,7)
VALUE | 6
> SECOND(5)
VALUE | NAN
> def SETARG(A) DO(A=A*2,@(1)=3,A+@(1))
DEF   | New function SETARG was defined.
WHAT  | Global object SETARG.
EXPL  | SETARG(A) DO(A=A*2,@(1)=3,A+@(1))
# OBJ: 8 SS: 16384.
> SETARG(4,0)
VALUE | 11
> def SPREAD(X) MEAN(X,ARGS,X)
DEF   | New function SPREAD was defined.
WHAT  | Global object SPREAD.
EXPL  | SPREAD(X) MEAN(X,ARGS,X)
# OBJ: 9 SS: 16384.
> SPREAD(0,6)
VALUE | 1.5
> (@(0)+@(1))(20,22)
VALUE | 42
> (SUM(ARGS))(1,2,ARGS)
VALUE | 3
> MAIN(DO($0=@0*2,$0+1),5,N$1)
VALUE | 11
> MAIN(@0,5,N$1,N$2)
ERROR | Function 'MAIN' must not have more than one 'N$' argument.
ERROR | Cannot make code for expression.
VALUE | NAN
