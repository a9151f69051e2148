Loops with named and counted locals: WHILE, UNTIL (whose body runs at least once), assignments
to locals and arguments, and loops that leave the error value.
=== file Tovik.txt
wrformat "VALUE | %g#L"
=== session
NFRMT | New format: VALUE | %g#L.
Reading file Tovik.txt is completed.
> def SUMTO(N,$,I,S) DO(I=0,S=0,WHILE(I<N,DO(I=I+1,S=S+I)),S)
DEF   | New function SUMTO was defined.
WHAT  | Global object SUMTO.
EXPL  | SUMTO(N,$,I,S) DO(I=0,S=0,WHILE(I<N,DO(I=I+1,S=S+I)),S)
# OBJ: 1 SS: 0.
> SUMTO(100)
VALUE | 5050
# OBJ: 2 SS: 12288.
> def POW2(N,$,P) DO(P=1,UNTIL(N<=0,DO(P=P*2,N=N-1)),P)
DEF   | New function POW2 was defined.
WHAT  | Global object POW2.
EXPL  | POW2(N,$,P) DO(P=1,UNTIL(N<=0,DO(P=P*2,N=N-1)),P)
# OBJ: 3 SS: 12288.
> POW2(10)
VALUE | 1024
> POW2(0)
VALUE | 2
> def ONCE($1) DO($0=0,UNTIL(1,$0=$0+1),$0)
DEF   | New function ONCE was defined.
WHAT  | Global object ONCE.
EXPL  | ONCE($1) DO($0=0,UNTIL(1,$0=$0+1),$0)
# OBJ: 4 SS: 12288.
> ONCE
VALUE | 1
> def COLLATZ(N,$,K) K=0;WHILE(N!=1,DO(N=IF(FRAC(N/2)==0,N/2,3*N+1),K=K+1));K
DEF   | New function COLLATZ was defined.
WHAT  | Global object COLLATZ.
EXPL  | COLLATZ(N,$,K) K=0;WHILE(N!=1,DO(N=IF(FRAC(N/2)==0,N/2,3*N+1),K=K+1));K
# OBJ: 5 SS: 12288.
> COLLATZ(27)
VALUE | 111
> WHILE(0,1)
VALUE | NAN
> def LOCALS($3) DO($(0)=1,$(1)=2,$(2)=3,$(0)+$(1)*$(2))
DEF   | New function LOCALS was defined.
WHAT  | Global object LOCALS.
EXPL  | LOCALS($3) DO($(0)=1,$(1)=2,$(2)=3,$(0)+$(1)*$(2))
# OBJ: 6 SS: 12288.
> LOCALS
VALUE | 7
> def OUTSIDE($1) $(5)
DEF   | New function OUTSIDE was defined.
WHAT  | Global object OUTSIDE.
EXPL  | OUTSIDE($1) $(5)
# OBJ: 7 SS: 12288.
> OUTSIDE
VALUE | NAN
> i = 0
VALUE | 0
# OBJ: 8 SS: 12288.
> WHILE(i<5,i=i+1)
VALUE | NAN
> i
VALUE | 5
