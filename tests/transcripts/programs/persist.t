Functions and variables defined in one run are saved by exit in name order and restored by the
next start with their texts and values.
=== session
> wrformat "VALUE | %g#L"
NFRMT | New format: VALUE | %g#L.
> def F(N) IF(N<2,N,F(N-1)+F(N-2))
DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(N) IF(N<2,N,F(N-1)+F(N-2))
# OBJ: 1 SS: 0.
> def G(A,B,$1,T) T=A*CONST(2+3);T+B
DEF   | New function G was defined.
WHAT  | Global object G.
EXPL  | G(A,B,$1,T) T=A*5;T+B
# OBJ: 2 SS: 8192.
> x = 0.5
VALUE | 0.5
# OBJ: 4 SS: 8192.
> set y 42
DEF   | New variable y was made.
VALUE | 42
# OBJ: 5 SS: 12288.
> func H(X)=X^2+x
DEF   | New function H was defined.
WHAT  | Global object H.
EXPL  | H(X) X^2+x
# OBJ: 6 SS: 12288.
> exit
Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
# exits
=== expect-file Tovik.txt
wrformat "VALUE | %g#L"
def ANS 0.5
def F(N) IF(N<2,N,F(N-1)+F(N-2))
def G(A,B,$1,T) T=A*5;T+B
def H(X) X^2+x
def x 0.5
def y 42
=== session
NFRMT | New format: VALUE | %g#L.
DEF   | New function ANS was defined.
DEF   | New function F was defined.
DEF   | New function G was defined.
DEF   | New function H was defined.
DEF   | New function x was defined.
DEF   | New function y was defined.
Reading file Tovik.txt is completed.
# OBJ: 6 SS: 0.
> list
----------- global objects -----------
ANS 0.5
F(N) IF(N<2,N,F(N-1)+F(N-2))
G(A,B,$1,T) T=A*5;T+B
H(X) X^2+x
x 0.5
y 42
--------------------------------------
> F(10)
VALUE | 55
# OBJ: 6 SS: 12288.
> G(2,3)
VALUE | 13
> x+y
VALUE | 42.5
> H(3)
VALUE | 9.5
