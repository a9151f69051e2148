Every setting command with and without its parameter, bad parameters and extra words.
=== session
> wrformat
FRMAT | Format: VALUE | %G#LDEC $D#LHEX $H#LBIN $B#Ldbl #d#Lul  #l#Lszt #s#L.
> wrformat "VALUE | %g"
NFRMT | New format: VALUE | %g.
> wrformat ""
FRMAT | Format: VALUE | %g.
> wrformat
FRMAT | Format: VALUE | %g.
> countformat
CFRMT | Format for count & null: %g ($D).
> countformat "%f [$H]" ignored
NCFMT | New format for count & null: %f [$H].
> countformat
CFRMT | Format for count & null: %f [$H].
> autoload
ALOAD | AutoLoad disabled.
> autoload start.txt
ALOAD | New AutoLoad file: start.txt.
> autoload
ALOAD | AutoLoad file: start.txt.
> autoload /null
ALOAD | AutoLoad disabled.
> autoload
ALOAD | AutoLoad disabled.
> stkstep
STACK | Current stack realloc step is 1024.
> stkstep 10
STACK | New stack realloc step is 10.
> stkstep -5
ERROR | Stack realloc step must be in Z and >0.
> stkstep abc
ERROR | Stack realloc step must be in Z and >0.
> stkstep 0
ERROR | Stack realloc step must be in Z and >0.
> stkstep 7x
STACK | New stack realloc step is 7.
> stkstep
STACK | Current stack realloc step is 7.
> savecode
SVCD- | Code saving disabled.
> savecode ON
SVCDE | Unknown parameter (it must be on or off).
SVCD- | Code saving disabled.
> savecode on
SVCD+ | Code saving enabled.
> savecode off extra
SVCD- | Code saving disabled.
> showprog
SHOW- | Program showing disabled.
> showprog on
SHOW+ | Program showing enabled.
> showprog maybe
SHOW  | Unknown parameter (it must be on or off).
SHOW+ | Program showing enabled.
> showprog off
SHOW- | Program showing disabled.
> unknown
BREAK | Unknown object will break code execution.
> unknown warning
BREAK | Unknown object will be 'not a number' and will make warning.
> unknown
BREAK | Unknown object will be 'not a number' and will make warning.
> unknown NAN
BREAK | Unknown object will be 'not a number'.
> unknown nan
BREAK | Unknown parameter (it must be NAN, warning or break).
BREAK | Unknown object will be 'not a number'.
> unknown break
BREAK | Unknown object will break code execution.
> graph size
GRAPH | Graphics window have size 640x480.
> graph size 800
GRAPH | Graphics window have size 640x480.
> graph size 800 600 7
GRAPH | Graphics window have new size 800x600.
> graph size
GRAPH | Graphics window have size 800x600.
> graph size -3 abc
GRAPH | Graphics window have new size -3x0.
