what and try: a known name is described, not run; otherwise the expression, its tree and, with
programs shown, its code. try runs it without changing ANS. Only the first argument counts.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> 5
VALUE | 5
# OBJ: 1 SS: 8192.
> what 1 + 2
WHAT  | Expression 1.
TREE  | 1
> what 1+2
WHAT  | Expression 1+2.
TREE  | +{1,2}
> what "1 + 2"
WHAT  | Expression 1+2.
TREE  | +{1,2}
> try 1+2
WHAT  | Expression 1+2.
TREE  | +{1,2}
VALUE | 3
> ANS
VALUE | 5
# OBJ: 1 SS: 12288.
> try X=7
WHAT  | Expression X=7.
TREE  | ={X,7}
VALUE | 7
# OBJ: 2 SS: 12288.
> X
VALUE | 7
> try NOSUCH
WHAT  | Expression NOSUCH.
TREE  | NOSUCH
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> what SIN
WHAT  | System object SIN.
> try PI
WHAT  | System object PI.
> what X
WHAT  | Global object X.
EXPL  | X 7
> what 2(3)
WHAT  | Expression 2(3).
ERROR | Error in expression.
> try IF(1)
WHAT  | Expression IF(1).
TREE  | IF{1}
ERROR | Function 'IF' requires 2 or 3 arguments.
> what IF(1)
WHAT  | Expression IF(1).
TREE  | IF{1}
> showprog on
SHOW+ | Program showing enabled.
> what 1+2
WHAT  | Expression 1+2.
TREE  | +{1,2}
ZORVA CODE:
address | cmd | explanation
      0 |  00 | PUSH 1
      9 |  00 | PUSH 2
     18 |  10 | OPER 0
     20 |  12 | RETURN
> try IF(X>5,1,2)
WHAT  | Expression IF(X>5,1,2).
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
> try IF(1)
WHAT  | Expression IF(1).
TREE  | IF{1}
ERROR | Function 'IF' requires 2 or 3 arguments.
ERROR | Cannot make code.
> what X
WHAT  | Global object X.
EXPL  | X 7
ZORVA CODE:
address | cmd | explanation
      0 |  00 | PUSH 7
      9 |  12 | RETURN
> def F(A) A*2
DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN
# OBJ: 3 SS: 12288.
> what F
WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN
> try F
WHAT  | Global object F.
EXPL  | F(A) A*2
ZORVA CODE:
address | cmd | explanation
      0 |  41 | ARG  0
      5 |  00 | PUSH 2
     14 |  10 | OPER 2
     16 |  12 | RETURN
> try 1+
WHAT  | Expression 1+.
ERROR | Error in expression.
> showprog off
SHOW- | Program showing disabled.
> what F
WHAT  | Global object F.
EXPL  | F(A) A*2
