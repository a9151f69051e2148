CONST in expressions and in function bodies: bodies take the value of CONST( calls as text when
they are defined, before parameters are rewritten; constant parts of bodies are folded.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
CONST(2+3)*2
A = 4
def F(A) A+CONST(A)
F(1)
A = 100
F(1)
def G(X) X*CONST(1/3)
def H(X) X+CONST(NOSUCH)
H(1)
def K(X) XCONST(2)
showprog on
def P(X) X*SIN(PI/2)+2^10
def Q(X) X*CONST(CONST(2)*3)
Q(2)
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>VALUE | 10

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>VALUE | 4

OBJ: 2 SS: 8192.
Tovik 1.0.0.6>DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(A) A+4

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 5

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 100

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 5

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>DEF   | New function G was defined.
WHAT  | Global object G.
EXPL  | G(X) X*0.3333333333333333

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
DEF   | New function H was defined.
WHAT  | Global object H.
EXPL  | H(X) X+NAN

OBJ: 5 SS: 12288.
Tovik 1.0.0.6>VALUE | NAN

OBJ: 5 SS: 12288.
Tovik 1.0.0.6>DEF   | New function K was defined.
WHAT  | Global object K.
EXPL  | K(X) X2

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>SHOW+ | Program showing enabled.

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>DEF   | New function P was defined.
WHAT  | Global object P.
EXPL  | P(X) X*SIN(PI/2)+2^10
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 1
     14 |  10 | OPER 2
     16 |  00 | PUSH 1024
     25 |  10 | OPER 0
     27 |  12 | RETURN

OBJ: 7 SS: 12288.
Tovik 1.0.0.6>DEF   | New function Q was defined.
WHAT  | Global object Q.
EXPL  | Q(X) X*6
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 6
     14 |  10 | OPER 2
     16 |  12 | RETURN

OBJ: 8 SS: 12288.
Tovik 1.0.0.6>VALUE | 12

OBJ: 8 SS: 12288.
Tovik 1.0.0.6>
