Recursive user functions: Fibonacci, factorial and a function of two arguments that calls
itself in both.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== run
=== stdin
def FIB(N) IF(N<2,N,FIB(N-1)+FIB(N-2))
FIB(20)
def FACT(N) IF(N<=1,1,N*FACT(N-1))
FACT(10)
FACT(170)/FACT(169)
def ACK(M,N) IF(M==0,N+1,IF(N==0,ACK(M-1,1),ACK(M-1,ACK(M,N-1))))
ACK(2,3)
def GCD(A,B) IF(B==0,A,GCD(B,A-B*FLOOR(A/B)))
def FLOOR(X) X-FRAC(X)
GCD(1071,462)
def EVEN(N) IF(N==0,1,ODD(N-1))
def ODD(N) IF(N==0,0,EVEN(N-1))
EVEN(10)+ODD(7)*10
def DEEP($65535) DO(C=C+1,DEEP())
C=0
DEEP()
C
=== stdout noeol
Opening Tovik.txt...
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>DEF   | New function FIB was defined.
WHAT  | Global object FIB.
EXPL  | FIB(N) IF(N<2,N,FIB(N-1)+FIB(N-2))

OBJ: 1 SS: 0.
Tovik 1.0.0.6>VALUE | 6765

OBJ: 2 SS: 12288.
Tovik 1.0.0.6>DEF   | New function FACT was defined.
WHAT  | Global object FACT.
EXPL  | FACT(N) IF(N<=1,1,N*FACT(N-1))

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 3.6288e+06

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>VALUE | 170

OBJ: 3 SS: 12288.
Tovik 1.0.0.6>DEF   | New function ACK was defined.
WHAT  | Global object ACK.
EXPL  | ACK(M,N) IF(M==0,N+1,IF(N==0,ACK(M-1,1),ACK(M-1,ACK(M,N-1))))

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>VALUE | 9

OBJ: 4 SS: 12288.
Tovik 1.0.0.6>DEF   | New function GCD was defined.
WHAT  | Global object GCD.
EXPL  | GCD(A,B) IF(B==0,A,GCD(B,A-B*FLOOR(A/B)))

OBJ: 5 SS: 12288.
Tovik 1.0.0.6>DEF   | New function FLOOR was defined.
WHAT  | Global object FLOOR.
EXPL  | FLOOR(X) X-FRAC(X)

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>VALUE | 21

OBJ: 6 SS: 12288.
Tovik 1.0.0.6>DEF   | New function EVEN was defined.
WHAT  | Global object EVEN.
EXPL  | EVEN(N) IF(N==0,1,ODD(N-1))

OBJ: 7 SS: 12288.
Tovik 1.0.0.6>DEF   | New function ODD was defined.
WHAT  | Global object ODD.
EXPL  | ODD(N) IF(N==0,0,EVEN(N-1))

OBJ: 8 SS: 12288.
Tovik 1.0.0.6>VALUE | 11

OBJ: 8 SS: 12288.
Tovik 1.0.0.6>DEF   | New function DEEP was defined.
WHAT  | Global object DEEP.
EXPL  | DEEP($65535) DO(C=C+1,DEEP())

OBJ: 9 SS: 12288.
Tovik 1.0.0.6>VALUE | 0

OBJ: 10 SS: 12288.
Tovik 1.0.0.6>ZORVA | Error 0x1441. Init locals - no room on Stack 1 for the local variables.
VALUE | NAN
ERROR | Some of stacks are not empty.

OBJ: 10 SS: 134225920.
Tovik 1.0.0.6>VALUE | 256

OBJ: 10 SS: 134225920.
Tovik 1.0.0.6>
