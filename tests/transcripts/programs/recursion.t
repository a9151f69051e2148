Recursive user functions: Fibonacci, factorial and a function of two arguments that calls
itself in both.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> def FIB(N) IF(N<2,N,FIB(N-1)+FIB(N-2))
DEF   | New function FIB was defined.
WHAT  | Global object FIB.
EXPL  | FIB(N) IF(N<2,N,FIB(N-1)+FIB(N-2))
# OBJ: 1 SS: 0.
> FIB(20)
VALUE | 6765
# OBJ: 2 SS: 12288.
> def FACT(N) IF(N<=1,1,N*FACT(N-1))
DEF   | New function FACT was defined.
WHAT  | Global object FACT.
EXPL  | FACT(N) IF(N<=1,1,N*FACT(N-1))
# OBJ: 3 SS: 12288.
> FACT(10)
VALUE | 3.6288e+06
> FACT(170)/FACT(169)
VALUE | 170
> def ACK(M,N) IF(M==0,N+1,IF(N==0,ACK(M-1,1),ACK(M-1,ACK(M,N-1))))
DEF   | New function ACK was defined.
WHAT  | Global object ACK.
EXPL  | ACK(M,N) IF(M==0,N+1,IF(N==0,ACK(M-1,1),ACK(M-1,ACK(M,N-1))))
# OBJ: 4 SS: 12288.
> ACK(2,3)
VALUE | 9
> def GCD(A,B) IF(B==0,A,GCD(B,A-B*FLOOR(A/B)))
DEF   | New function GCD was defined.
WHAT  | Global object GCD.
EXPL  | GCD(A,B) IF(B==0,A,GCD(B,A-B*FLOOR(A/B)))
# OBJ: 5 SS: 12288.
> def FLOOR(X) X-FRAC(X)
DEF   | New function FLOOR was defined.
WHAT  | Global object FLOOR.
EXPL  | FLOOR(X) X-FRAC(X)
# OBJ: 6 SS: 12288.
> GCD(1071,462)
VALUE | 21
> def EVEN(N) IF(N==0,1,ODD(N-1))
DEF   | New function EVEN was defined.
WHAT  | Global object EVEN.
EXPL  | EVEN(N) IF(N==0,1,ODD(N-1))
# OBJ: 7 SS: 12288.
> def ODD(N) IF(N==0,0,EVEN(N-1))
DEF   | New function ODD was defined.
WHAT  | Global object ODD.
EXPL  | ODD(N) IF(N==0,0,EVEN(N-1))
# OBJ: 8 SS: 12288.
> EVEN(10)+ODD(7)*10
VALUE | 11
> def DEEP($65535) DO(C=C+1,DEEP())
DEF   | New function DEEP was defined.
WHAT  | Global object DEEP.
EXPL  | DEEP($65535) DO(C=C+1,DEEP())
# OBJ: 9 SS: 12288.
> C=0
VALUE | 0
# OBJ: 10 SS: 12288.
> DEEP()
ZORVA | Error 0x1441. Init locals - no room on Stack 1 for the local variables.
VALUE | NAN
ERROR | Some of stacks are not empty.
# OBJ: 10 SS: 134225920.
> C
VALUE | 256
