PRINT shows each value and keeps only the last one; PRINTS writes its words as one text and
PRINTC its values as characters; both leave the error value.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
PRINT(1+1)
PRINT(1,2,3)+1
PRINTS(Hello,World)
PRINTC(72,105,10)
def SHOW(X) DO(PRINT(X),PRINTC(10),X*2)
SHOW(21)
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6> 2 VALUE | 2

OBJ: 1 SS: 8192.
Tovik 1.0.0.6> 1  2  3 VALUE | 4

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>HelloWorldVALUE | NAN

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>Hi
VALUE | NAN

OBJ: 1 SS: 8192.
Tovik 1.0.0.6>DEF   | New function SHOW was defined.
WHAT  | Global object SHOW.
EXPL  | SHOW(X) DO(PRINT(X),PRINTC(10),X*2)

OBJ: 2 SS: 8192.
Tovik 1.0.0.6> 21 
VALUE | 42

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>
