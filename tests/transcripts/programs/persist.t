Functions and variables defined in one run are saved by exit in name order and restored by the
next start with their texts and values.
=== run
=== stdin
wrformat "VALUE | %g#L"
def F(N) IF(N<2,N,F(N-1)+F(N-2))
def G(A,B,$1,T) T=A*CONST(2+3);T+B
x = 0.5
set y 42
func H(X)=X^2+x
exit
=== stdout
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NFRMT | New format: VALUE | %g#L.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(N) IF(N<2,N,F(N-1)+F(N-2))

OBJ: 1 SS: 0.
Tovik 1.0.0.6>DEF   | New function G was defined.
WHAT  | Global object G.
EXPL  | G(A,B,$1,T) T=A*5;T+B

OBJ: 2 SS: 8192.
Tovik 1.0.0.6>VALUE | 0.5

OBJ: 4 SS: 8192.
Tovik 1.0.0.6>DEF   | New variable y was made.
VALUE | 42

OBJ: 5 SS: 12288.
Tovik 1.0.0.6>DEF   | New function H was defined.
WHAT  | Global object H.
EXPL  | H(X) X^2+x

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
=== expect-file Tovik.txt
wrformat "VALUE | %g#L"
def ANS 0.5
def F(N) IF(N<2,N,F(N-1)+F(N-2))
def G(A,B,$1,T) T=A*5;T+B
def H(X) X^2+x
def x 0.5
def y 42
=== run
=== stdin
list
F(10)
G(2,3)
x+y
H(3)
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
DEF   | New function ANS was defined.
DEF   | New function F was defined.
DEF   | New function G was defined.
DEF   | New function H was defined.
DEF   | New function x was defined.
DEF   | New function y was defined.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 6 SS: 0.
Tovik 1.0.0.6>----------- global objects -----------
ANS 0.5
F(N) IF(N<2,N,F(N-1)+F(N-2))
G(A,B,$1,T) T=A*5;T+B
H(X) X^2+x
x 0.5
y 42
--------------------------------------

OBJ: 6 SS: 0.
Tovik 1.0.0.6>VALUE | 55

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>VALUE | 13

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>VALUE | 42.5

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>VALUE | 9.5

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>
