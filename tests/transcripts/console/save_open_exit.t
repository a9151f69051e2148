Settings saved by save and exit, restored by the next start with their messages; break saves nothing.
=== file auto.txt
help
=== session
> save empty.txt
Saving data in empty.txt...
Writing file empty.txt is completed.
> wrformat "VALUE | %g"
NFRMT | New format: VALUE | %g.
> graph size 800 600
GRAPH | Graphics window have new size 800x600.
> showprog on
SHOW+ | Program showing enabled.
> unknown warning
BREAK | Unknown object will be 'not a number' and will make warning.
> stkstep 10
STACK | New stack realloc step is 10.
> countformat "%g"
NCFMT | New format for count & null: %g.
> autoload auto.txt
ALOAD | New AutoLoad file: auto.txt.
> save s.txt "my file.txt"
Saving data in s.txt...
Writing file s.txt is completed.
Saving data in my file.txt...
Writing file my file.txt is completed.
> save
> exit
Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
# exits
=== expect-file empty.txt noeol

=== expect-file s.txt
showprog on
unknown warning
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
autoload "auto.txt"
=== expect-file "my file.txt"
showprog on
unknown warning
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
autoload "auto.txt"
=== expect-file Tovik.txt
showprog on
unknown warning
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
autoload "auto.txt"
=== session
SHOW+ | Program showing enabled.
BREAK | Unknown object will be 'not a number' and will make warning.
NFRMT | New format: VALUE | %g.
NCFMT | New format for count & null: %g.
GRAPH | Graphics window have new size 800x600.
STACK | New stack realloc step is 10.
ALOAD | New AutoLoad file: auto.txt.
Reading file Tovik.txt is completed.
Opening auto.txt...
HELP  | Help for Tovik is in another file help.txt.
Reading file auto.txt is completed.
> unknown NAN
BREAK | Unknown object will be 'not a number'.
> showprog off
SHOW- | Program showing disabled.
> break
# exits
=== expect-file Tovik.txt
showprog on
unknown warning
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
autoload "auto.txt"
=== session
SHOW+ | Program showing enabled.
BREAK | Unknown object will be 'not a number' and will make warning.
NFRMT | New format: VALUE | %g.
NCFMT | New format for count & null: %g.
GRAPH | Graphics window have new size 800x600.
STACK | New stack realloc step is 10.
ALOAD | New AutoLoad file: auto.txt.
Reading file Tovik.txt is completed.
Opening auto.txt...
HELP  | Help for Tovik is in another file help.txt.
Reading file auto.txt is completed.
> unknown NAN
BREAK | Unknown object will be 'not a number'.
> autoload /null
ALOAD | AutoLoad disabled.
> exit
Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
# exits
=== expect-file Tovik.txt
showprog on
unknown NAN
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
