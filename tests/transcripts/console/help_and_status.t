A fresh start without a start-up file, the help line, empty and blank lines, end of input.
=== run
=== stdin
help

   	
help extra words
=== stdout noeol
Opening Tovik.txt...
Can not open file Tovik.txt.

Open file help.txt to get program help. (do not open it in Tovik! please use your text editor)

OBJ: 0 SS: 0.
Tovik 1.0.0.6>HELP  | Help for Tovik is in another file help.txt.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
OBJ: 0 SS: 0.
Tovik 1.0.0.6>
OBJ: 0 SS: 0.
Tovik 1.0.0.6>HELP  | Help for Tovik is in another file help.txt.

OBJ: 0 SS: 0.
Tovik 1.0.0.6>
=== expect-missing Tovik.txt
