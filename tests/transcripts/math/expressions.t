Plain expression lines: blanks vanish, the value becomes ANS, the error value prints "VALUE | NAN"
and leaves ANS alone; what and del alone are expressions too.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> x = 1 + 2
VALUE | 3
# OBJ: 2 SS: 8192.
> x * 2
VALUE | 6
# OBJ: 2 SS: 12288.
> ANS + 1
VALUE | 7
> "2 ^ 10"
VALUE | 1024
> NOSUCH + 1
ZORVA | Unknown object: NOSUCH.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> ANS
VALUE | 1024
> 1/0 + 1
VALUE | inf
> -1^0.5
VALUE | NAN
> what
ZORVA | Unknown object: what.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> del
ZORVA | Unknown object: del.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
> (1
ERROR | Some of brackets are not closed.
ERROR | Error in expression or tree is corrupted.
VALUE | NAN
> 1 2
VALUE | 12
> SIN
ERROR | Operator 0x40 cannot use without arguments.
ERROR | Cannot make code for expression.
VALUE | NAN
> 2*(3+4)-8/2
VALUE | 10
