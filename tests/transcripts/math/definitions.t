def, set and func: definitions with their messages and echoes, refusals that define nothing,
del, list and clnmem. A header in brackets keeps its text as typed (only a bare name with a number
makes a plain-valued variable), in the listing and in a saved file.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
list
set x 2+3
set x x*2
x
set y "1 + 1" extra
set PI 3
set x NAN
set x NAN
set x(1) 5
set 5 1
set z 1+
def f(x) x^2 extra
f(3)
def f(x) x^3
f(2)
def g(A, B) A-B
g(10,4)
func h(x)=x+1
h(1)
func h(x)
func =1
def SIN 1
def F(X) X+
def F(X) X(1)
def F(X,$,Y) Y(2)
def F(X,X) X
def F(X,$,X) X
def F($,A,$,B) A
def F(1) 1
def F(X(1)) 1
def F(COS) 1
def F(X) CONST(1
def F(X) IF(1)
def F(X) 
def 1 2
list
F(1)
del f g q
del
list
set ANS 1
clnmem
list
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>----------- global objects -----------
--------------------------------------

OBJ: 0 SS: 0.
Tovik 1.0.0.6>DEF   | New variable x was made.
VALUE | 5

OBJ: 1 SS: 12288.
Tovik 1.0.0.6>REDEF | Value of existing variable x was changed.
VALUE | 10

OBJ: 1 SS: 12288.
Tovik 1.0.0.6>VALUE | 10

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>DEF   | New variable y was made.
VALUE | 2

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>SYS   | PI: this name is used by system object.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>DEL   | Value is undefined and object x was removed.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | Value is undefined but object x can not be removed.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | x(1): invalid name of variable

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | 5: invalid name of variable

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>ERROR | Variable z: invalid tree with expression.

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>DEF   | New function f was defined.
WHAT  | Global object f.
EXPL  | f(x) x^2

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 9

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>REDEF | Definition of existing function f was changed.
WHAT  | Global object f.
EXPL  | f(x) x^3

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 8

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>ERROR | Some of brackets are not closed.
ERROR | g(A,: invalid tree with function header.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: g.
ZORVA | Error 0x1020. Call object - unknown object.
VALUE | NAN
ERROR | Some of stacks are not empty.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>DEF   | New function h was defined.
WHAT  | Global object h.
EXPL  | h(x) x+1
ERROR | Some of stacks are not empty.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>VALUE | 2

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Symbol '=' not found.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | : invalid tree with function header.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>SYS   | SIN: this name is used by system object.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: expression tree is corrupted (memory or user error).

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: object which are declared as arguments must not have own arguments.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: object which are declared as local variable must not have own arguments.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: parameter X is declared more than once.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: parameter X is declared more than once.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: parameter $ is declared more than once.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: one of arguments after name have bad format.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: argument X after name have own arguments.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: argument COS after name have name as system object.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function F: one of right brackets not found.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | Function 'IF' requires 2 or 3 arguments.
ERROR | Function F: cannot make code.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: X.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ERROR | 1: invalid tree with function header.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>----------- global objects -----------
ANS 2
f(x) x^3
h(x) x+1
y 2
--------------------------------------

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: F.
ZORVA | Error 0x1020. Call object - unknown object.
VALUE | NAN
ERROR | Some of stacks are not empty.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>DEL   | Object f was deleted.
ERROR | Object g can not be deleted.
ERROR | Object q can not be deleted.
ERROR | Some of stacks are not empty.

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>ZORVA | Unknown object: del.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>----------- global objects -----------
ANS 2
h(x) x+1
y 2
--------------------------------------

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>REDEF | Value of existing variable ANS was changed.
VALUE | 1

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>DEL   | All objects was deleted.

OBJ: 0 SS: 12288.
Tovik 1.0.0.6>----------- global objects -----------
--------------------------------------

OBJ: 0 SS: 12288.
Tovik 1.0.0.6>
=== run
=== stdin
def F() 5
def (K) 1
def V -7
F()+K+V
list
save s.txt
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>DEF   | New function F was defined.
WHAT  | Global object F.
EXPL  | F() 5

OBJ: 1 SS: 0.
Tovik 1.0.0.6>DEF   | New function K was defined.
WHAT  | Global object K.
EXPL  | (K) 1

OBJ: 2 SS: 0.
Tovik 1.0.0.6>DEF   | New function V was defined.
WHAT  | Global object V.
EXPL  | V -7

OBJ: 3 SS: 0.
Tovik 1.0.0.6>VALUE | -1

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>----------- global objects -----------
ANS -1
F() 5
(K) 1
V -7
--------------------------------------

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>Saving data in s.txt...
Writing file s.txt is completed.

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>
=== expect-file s.txt
wrformat "VALUE | %g#L"
def ANS -1
def F() 5
def (K) 1
def V -7
