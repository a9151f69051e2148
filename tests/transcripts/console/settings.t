Every setting command with and without its parameter, bad parameters and extra words.
=== run
=== stdin
wrformat
wrformat "VALUE | %g"
wrformat ""
wrformat
countformat
countformat "%f [$H]" ignored
countformat
autoload
autoload start.txt
autoload
autoload /null
autoload
stkstep
stkstep 10
stkstep -5
stkstep abc
stkstep 0
stkstep 7x
stkstep
savecode
savecode ON
savecode on
savecode off extra
showprog
showprog on
showprog maybe
showprog off
unknown
unknown warning
unknown
unknown NAN
unknown nan
unknown break
graph size
graph size 800
graph size 800 600 7
graph size
graph size -3 abc
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>FRMAT | Format: VALUE | %G#LDEC $D#LHEX $H#LBIN $B#Ldbl #d#Lul  #l#Lszt #s#L.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NFRMT | New format: VALUE | %g.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>FRMAT | Format: VALUE | %g.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>FRMAT | Format: VALUE | %g.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>CFRMT | Format for count & null: %g ($D).

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NCFMT | New format for count & null: %f [$H].

OBJ: 0 SS: 0.
Tovik 1.0.0.6>CFRMT | Format for count & null: %f [$H].

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | AutoLoad disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | New AutoLoad file: start.txt.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | AutoLoad file: start.txt.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | AutoLoad disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | AutoLoad disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>STACK | Current stack realloc step is 1024.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>STACK | New stack realloc step is 10.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | Stack realloc step must be in Z and >0.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | Stack realloc step must be in Z and >0.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ERROR | Stack realloc step must be in Z and >0.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>STACK | New stack realloc step is 7.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>STACK | Current stack realloc step is 7.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SVCD- | Code saving disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SVCDE | Unknown parameter (it must be on or off).
SVCD- | Code saving disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SVCD+ | Code saving enabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SVCD- | Code saving disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW- | Program showing disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW+ | Program showing enabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW  | Unknown parameter (it must be on or off).
SHOW+ | Program showing enabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW- | Program showing disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will break code execution.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number' and will make warning.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number' and will make warning.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number'.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown parameter (it must be NAN, warning or break).
BREAK | Unknown object will be 'not a number'.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will break code execution.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have size 640x480.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have size 640x480.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have new size 800x600.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have size 800x600.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have new size -3x0.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
