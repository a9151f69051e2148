Typed code through exec: assembly faults, listing, unknown-object modes, output instructions, stack errors, the thread hand-off, FUNC and SET from code, READ, a nested RUN, and what on the objects made.
=== session noeol
> wrformat "VALUE | %g#L"
NFRMT | New format: VALUE | %g#L.
> exec 00 [2.5] 12
VALUE | 2.5
# OBJ: 0 SS: 8192.
> exec 00[2.5]
VALUE | 2.5
> exec 0G
ERROR | Unknown HEX code: "0G"
> exec 1
ERROR | Unknown HEX code: "1"
> showprog on
SHOW+ | Program showing enabled.
> exec 00[3]00[4]1002
ZORVA | Run code:
address | cmd | explanation
      0 |  00 | PUSH 3
      9 |  00 | PUSH 4
     18 |  10 | OPER 2
     20 |  12 | RETURN
VALUE | 12
> showprog off
SHOW- | Program showing disabled.
> exec 01'NOPE'00
ZORVA | Unknown object: NOPE.
ZORVA | Error 0x101. Call object - unknown object.
> unknown warning
BREAK | Unknown object will be 'not a number' and will make warning.
> exec 00[1]02'NOPE'00l1 
ZORVA | Unknown object: NOPE.
> unknown NAN
BREAK | Unknown object will be 'not a number'.
> exec 01'NOPE'00
> unknown break
BREAK | Unknown object will break code execution.
> exec 22'hi#L'00 00[65]46 00[66]23
hi#LA 66 VALUE | 66
> exec 24
ZORVA | Error 0x30. 1 stack error(s).
ERROR | There are 1+0+0 stack error(s).
> exec 70
[new]
Warning: commands 7x are not stable now.
This Part of code is not completed now. Please wait for new version of Tovik.
[del home 0/1]
[del]
ERROR | There are 1+0+0 stack error(s).
# OBJ: 0 SS: 16.
> exec 15'F'00l17 41l0 00[1]1000 12'F x+1'00 00[41]02'F'00l1 
VALUE | 42
# OBJ: 1 SS: 12304.
> exec 00[5]14'X'00 01'X'00 1000
VALUE | 10
# OBJ: 2 SS: 12304.
> exec 30l0 
ZORVA | Error 0x30. 1 stack error(s).
ERROR | There are 1+0+0 stack error(s).
> exec 80
ZORVA | Error 0x4. Unknown command.
> exec 53
< 17.5
VALUE | 17.5
> exec 53 53 10 01
< 0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000125
VALUE | -24
> exec 53
< 00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000033
VALUE | 33
> exec 00[1]21'exec 00'5B'9'5D00 00[2]1000
VALUE | 9
VALUE | 3
> what X
WHAT  | Global object X.
EXPL  | X 5
> what F
WHAT  | Global object F.
EXPL  | F x+1
> what SIN
WHAT  | System object SIN.
> exec 53
< 42
VALUE | 42
