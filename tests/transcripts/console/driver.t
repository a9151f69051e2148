The command-line driver: switches in either case, an ignored switch, a lone slash as a file name.
=== run /s out.txt /q again.txt /d help "graph size 1 2" /C / missing.txt /S out2.txt
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)
Executing commands...
Saving data in out.txt...
Writing file out.txt is completed.
Saving data in again.txt...
Writing file again.txt is completed.
HELP  | Help for Tovik is in another file help.txt.
GRAPH | Graphics window have new size 1x2.
Opening /...
Can not open file /.
Opening missing.txt...
Can not open file missing.txt.
Saving data in out2.txt...
Writing file out2.txt is completed.

Press Enter to exit.
=== expect-file out.txt noeol

=== expect-file out2.txt
graph size 1 2
=== expect-missing Tovik.txt
=== file cmds.txt
showprog on
=== run /D "stkstep 5" /c cmds.txt /x
=== stdin

=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)
Executing commands...
STACK | New stack realloc step is 5.
Opening cmds.txt...
SHOW+ | Program showing enabled.
Reading file cmds.txt is completed.

Press Enter to exit.
