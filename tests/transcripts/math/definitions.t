def, set and func: definitions with their messages and echoes, refusals that define nothing,
del, list and clnmem. A header in brackets keeps its text as typed (only a bare name with a number
makes a plain-valued variable), in the listing and in a saved file.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> list
----------- global objects -----------
--------------------------------------
> set x 2+3
DEF   | New variable x was made.
VALUE | 5
# OBJ: 1 SS: 12288.
> set x x*2
REDEF | Value of existing variable x was changed.
VALUE | 10
> x
VALUE | 10
# OBJ: 2 SS: 12288.
> set y "1 + 1" extra
DEF   | New variable y was made.
VALUE | 2
# OBJ: 3 SS: 12288.
> set PI 3
SYS   | PI: this name is used by system object.
> set x NAN
DEL   | Value is undefined and object x was removed.
# OBJ: 2 SS: 12288.
> set x NAN
ERROR | Value is undefined but object x can not be removed.
> set x(1) 5
ERROR | x(1): invalid name of variable
> set 5 1
ERROR | 5: invalid name of variable
> set z 1+
ERROR | Variable z: invalid tree with expression.
> def f(x) x^2 extra
DEF   | New function f was defined.
WHAT  | Global object f.
EXPL  | f(x) x^2
# OBJ: 3 SS: 12288.
> f(3)
VALUE | 9
> def f(x) x^3
REDEF | Definition of existing function f was changed.
WHAT  | Global object f.
EXPL  | f(x) x^3
> f(2)
VALUE | 8
> def g(A, B) A-B
ERROR | Some of brackets are not closed.
ERROR | g(A,: invalid tree with function header.
> g(10,4)
ZORVA | Unknown object: g.
ZORVA | Error 0x1020. Call object - unknown object.
VALUE | NAN
ERROR | Some of stacks are not empty.
> func h(x)=x+1
DEF   | New function h was defined.
WHAT  | Global object h.
EXPL  | h(x) x+1
ERROR | Some of stacks are not empty.
# OBJ: 4 SS: 12288.
> h(1)
VALUE | 2
> func h(x)
ERROR | Symbol '=' not found.
> func =1
ERROR | : invalid tree with function header.
> def SIN 1
SYS   | SIN: this name is used by system object.
> def F(X) X+
ERROR | Function F: expression tree is corrupted (memory or user error).
> def F(X) X(1)
ERROR | Function F: object which are declared as arguments must not have own arguments.
> def F(X,$,Y) Y(2)
ERROR | Function F: object which are declared as local variable must not have own arguments.
> def F(X,X) X
ERROR | Function F: parameter X is declared more than once.
> def F(X,$,X) X
ERROR | Function F: parameter X is declared more than once.
> def F($,A,$,B) A
ERROR | Function F: parameter $ is declared more than once.
> def F(1) 1
ERROR | Function F: one of arguments after name have bad format.
> def F(X(1)) 1
ERROR | Function F: argument X after name have own arguments.
> def F(COS) 1
ERROR | Function F: argument COS after name have name as system object.
> def F(X) CONST(1
ERROR | Function F: one of right brackets not found.
> def F(X) IF(1)
ERROR | Function 'IF' requires 2 or 3 arguments.
ERROR | Function F: cannot make code.
> def F(X) 
ZORVA | Unknown object: X.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> def 1 2
ERROR | 1: invalid tree with function header.
> list
----------- global objects -----------
ANS 2
f(x) x^3
h(x) x+1
y 2
--------------------------------------
> F(1)
ZORVA | Unknown object: F.
ZORVA | Error 0x1020. Call object - unknown object.
VALUE | NAN
ERROR | Some of stacks are not empty.
> del f g q
DEL   | Object f was deleted.
ERROR | Object g can not be deleted.
ERROR | Object q can not be deleted.
ERROR | Some of stacks are not empty.
# OBJ: 3 SS: 12288.
> del
ZORVA | Unknown object: del.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> list
----------- global objects -----------
ANS 2
h(x) x+1
y 2
--------------------------------------
> set ANS 1
REDEF | Value of existing variable ANS was changed.
VALUE | 1
> clnmem
DEL   | All objects was deleted.
# OBJ: 0 SS: 12288.
> list
----------- global objects -----------
--------------------------------------
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> def F() 5
DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F() 5
# OBJ: 1 SS: 0.
> def (K) 1
DEF   | New function K was defined.
WHAT  | Global object K.
EXPL  | (K) 1
# OBJ: 2 SS: 0.
> def V -7
DEF   | New function V was defined.
WHAT  | Global object V.
EXPL  | V -7
# OBJ: 3 SS: 0.
> F()+K+V
VALUE | -1
# OBJ: 4 SS: 12288.
> list
----------- global objects -----------
ANS -1
F() 5
(K) 1
V -7
--------------------------------------
> save s.txt
Saving data in s.txt...
Writing file s.txt is completed.
=== expect-file s.txt
wrformat "VALUE | %g#L"
def ANS -1
def F() 5
def (K) 1
def V -7
