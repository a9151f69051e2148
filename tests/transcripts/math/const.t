CONST in expressions and in function bodies: bodies take the value of CONST( calls as text when
they are defined, before parameters are rewritten; constant parts of bodies are folded.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> CONST(2+3)*2
VALUE | 10
# OBJ: 1 SS: 8192.
> A = 4
VALUE | 4
# OBJ: 2 SS: 8192.
> def F(A) A+CONST(A)
DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(A) A+4
# OBJ: 3 SS: 12288.
> F(1)
VALUE | 5
> A = 100
VALUE | 100
> F(1)
VALUE | 5
> def G(X) X*CONST(1/3)
DEF   | New function G was defined.
WHAT  | Global object G.
EXPL  | G(X) X*0.3333333333333333
# OBJ: 4 SS: 12288.
> def H(X) X+CONST(NOSUCH)
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
DEF   | New function H was defined.
WHAT  | Global object H.
EXPL  | H(X) X+NAN
# OBJ: 5 SS: 12288.
> H(1)
VALUE | NAN
> def K(X) XCONST(2)
DEF   | New function K was defined.
WHAT  | Global object K.
EXPL  | K(X) X2
# OBJ: 6 SS: 12288.
> showprog on
SHOW+ | Program showing enabled.
> def P(X) X*SIN(PI/2)+2^10
DEF   | New function P was defined.
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
# OBJ: 7 SS: 12288.
> def Q(X) X*CONST(CONST(2)*3)
DEF   | New function Q was defined.
WHAT  | Global object Q.
EXPL  | Q(X) X*6
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 6
     14 |  10 | OPER 2
     16 |  12 | RETURN
# OBJ: 8 SS: 12288.
> Q(2)
VALUE | 12
