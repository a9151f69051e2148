PRINT shows each value and keeps only the last one; PRINTS writes its words as one text and
PRINTC its values as characters; both leave the error value.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> PRINT(1+1)
 2 VALUE | 2
# OBJ: 1 SS: 8192.
> PRINT(1,2,3)+1
 1  2  3 VALUE | 4
> PRINTS(Hello,World)
HelloWorldVALUE | NAN
> PRINTC(72,105,10)
Hi
VALUE | NAN
> def SHOW(X) DO(PRINT(X),PRINTC(10),X*2)
DEF   | New function SHOW was defined.
WHAT  | Global object SHOW.
EXPL  | SHOW(X) DO(PRINT(X),PRINTC(10),X*2)
# OBJ: 2 SS: 8192.
> SHOW(21)
 21 
VALUE | 42
# OBJ: 2 SS: 12288.
