Settings saved by save and exit, restored by the next start with their messages; break saves nothing.
=== file auto.txt
help
=== run
=== stdin
save empty.txt
wrformat "VALUE | %g"
graph size 800 600
showprog on
unknown warning
stkstep 10
countformat "%g"
autoload auto.txt
save s.txt "my file.txt"
save
exit
=== stdout
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>Saving data in empty.txt...
Writing file empty.txt is completed.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NFRMT | New format: VALUE | %g.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>GRAPH | Graphics window have new size 800x600.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW+ | Program showing enabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number' and will make warning.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>STACK | New stack realloc step is 10.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>NCFMT | New format for count & null: %g.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | New AutoLoad file: auto.txt.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>Saving data in s.txt...
Writing file s.txt is completed.
Saving data in my file.txt...
Writing file my file.txt is completed.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
OBJ: 0 SS: 0.
Tovik 1.0.0.6>Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
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
=== run
=== stdin
unknown NAN
showprog off
break
=== stdout noeol
Opening Tovik.txt...
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

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number'.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>SHOW- | Program showing disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
=== expect-file Tovik.txt
showprog on
unknown warning
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
autoload "auto.txt"
=== run
=== stdin
unknown NAN
autoload /null
exit
=== stdout
Opening Tovik.txt...
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

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>BREAK | Unknown object will be 'not a number'.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>ALOAD | AutoLoad disabled.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>Saving data in Tovik.txt...
Writing file Tovik.txt is completed.
=== expect-file Tovik.txt
showprog on
unknown NAN
wrformat "VALUE | %g"
countformat "%g"
graph size 800 600
stkstep 10
