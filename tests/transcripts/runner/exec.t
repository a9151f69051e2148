Typed code through exec: assembly faults, listing, unknown-object modes, output instructions, stack errors, the thread hand-off, FUNC and SET from code, READ, a nested RUN, and what on the objects made.
=== run
=== stdin noeol
wrformat "VALUE | %g#L"
exec 00 [2.5] 12
exec 00[2.5]
exec 0G
exec 1
showprog on
exec 00[3]00[4]1002
showprog off
exec 01'NOPE'00
unknown warning
exec 00[1]02'NOPE'00l1 
unknown NAN
exec 01'NOPE'00
unknown break
exec 22'hi#L'00 00[65]46 00[66]23
exec 24
exec 70
exec 15'F'00l17 41l0 00[1]1000 12'F x+1'00 00[41]02'F'00l1 
exec 00[5]14'X'00 01'X'00 1000
exec 30l0 
exec 80
exec 53
17.5
exec 53 53 10 01
0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000125
exec 53
00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000033
exec 00[1]21'exec 00'5B'9'5D00 00[2]1000
what X
what F
what SIN
exec 53
42
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NFRMT | New format: VALUE | %g#L.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>VALUE | 2.5

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>VALUE | 2.5

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Unknown HEX code: "0G"

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ERROR | Unknown HEX code: "1"

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>SHOW+ | Program showing enabled.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ZORVA | Run code:
address | cmd | explanation
      0 |  00 | PUSH 3
      9 |  00 | PUSH 4
     18 |  10 | OPER 2
     20 |  12 | RETURN
VALUE | 12

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>SHOW- | Program showing disabled.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ZORVA | Unknown object: NOPE.
ZORVA | Error 0x101. Call object - unknown object.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number' and will make warning.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ZORVA | Unknown object: NOPE.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number'.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>
OBJ: 0 SS: 8192.
Tovik 1.0.0.6>BREAK | Unknown object will break code execution.

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>hi#LA 66 VALUE | 66

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>ZORVA | Error 0x30. 1 stack error(s).
ERROR | There are 1+0+0 stack error(s).

OBJ: 0 SS: 8192.
Tovik 1.0.0.6>[new]
Warning: commands 7x are not stable now.
This Part of code is not completed now. Please wait for new version of Tovik.
[del home 0/1]
[del]
ERROR | There are 1+0+0 stack error(s).

OBJ: 0 SS: 16.
Tovik 1.0.0.6>VALUE | 42

OBJ: 1 SS: 12304.
Tovik 1.0.0.6>VALUE | 10

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>ZORVA | Error 0x30. 1 stack error(s).
ERROR | There are 1+0+0 stack error(s).

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>ZORVA | Error 0x4. Unknown command.

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>VALUE | 17.5

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>VALUE | -24

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>VALUE | 33

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>VALUE | 9
VALUE | 3

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>WHAT  | Global object X.
EXPL  | X 5

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>WHAT  | Global object F.
EXPL  | F x+1

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>WHAT  | System object SIN.

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>VALUE | 42

OBJ: 2 SS: 12304.
Tovik 1.0.0.6>
