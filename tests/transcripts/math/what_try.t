what and try: a known name is described, not run; otherwise the expression, its tree and, with
programs shown, its code. try runs it without changing ANS. Only the first argument counts.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
5
what 1 + 2
what 1+2
what "1 + 2"
try 1+2
ANS
try X=7
X
try NOSUCH
what SIN
try PI
what X
what 2(3)
try IF(1)
what IF(1)
showprog on
what 1+2
try IF(X>5,1,2)
try IF(1)
what X
def F(A) A*2
what F
try F
try 1+
showprog off
what F
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>VALUE | 5

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>WHAT  | Expression 1.
TREE  | 1

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>WHAT  | Expression 1+2.
TREE  | +{1,2}

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>WHAT  | Expression 1+2.
TREE  | +{1,2}

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>WHAT  | Expression 1+2.
TREE  | +{1,2}
VALUE | 3

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>VALUE | 5

OBJ: 1 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression X=7.
TREE  | ={X,7}
VALUE | 7

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>VALUE | 7

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression NOSUCH.
TREE  | NOSUCH
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | System object SIN.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | System object PI.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Global object X.
EXPL  | X 7

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression 2(3).
ERROR | Error in expression.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression IF(1).
TREE  | IF{1}
ERROR | Function 'IF' requires 2 or 3 arguments.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression IF(1).
TREE  | IF{1}

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>SHOW+ | Program showing enabled.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression 1+2.
TREE  | +{1,2}
ZORVA CODE:
address | cmd | explanation
      0 |  00 | PUSH 1
      9 |  00 | PUSH 2
     18 |  10 | OPER 0
     20 |  12 | RETURN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression IF(X>5,1,2).
TREE  | IF{>{X,5},1,2}
ZORVA CODE:
address | cmd | explanation
      0 |  01 | CALL [X]
      3 |  00 | PUSH 5
     12 |  10 | OPER 11
     14 |  30 | JIFN 33 (SHIFT 19)
     19 |  00 | PUSH 1
     28 |  31 | JUMP 42 (SHIFT 14)
     33 |  00 | PUSH 2
     42 |  12 | RETURN
VALUE | 1

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression IF(1).
TREE  | IF{1}
ERROR | Function 'IF' requires 2 or 3 arguments.
ERROR | Cannot make code.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>WHAT  | Global object X.
EXPL  | X 7
ZORVA CODE:
address | cmd | explanation
      0 |  00 | PUSH 7
      9 |  12 | RETURN

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>WHAT  | Expression 1+.
ERROR | Error in expression.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>SHOW- | Program showing disabled.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>WHAT  | Global object F.
EXPL  | F(A) A*2

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>
