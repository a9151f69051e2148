--help and --version (and -h, -v) print and end at once, wherever they stand; nothing is started
or saved.
=== run --version
=== stdout
Tovik 1.0.0.6
=== run -v
=== stdout
Tovik 1.0.0.6
=== run a.txt -h /S out.txt
=== stdout
Usage: tovik                 start the calculator's console
       tovik ARGUMENT...     run the arguments, then wait for Enter
       tovik -h | --help | -v | --version

Arguments are file names handled one after the other; a switch changes how the
arguments after it are handled (upper or lower case):
  /C   run each line of the file as a command (the default)
  /D   run the argument itself as a command line
  /M   evaluate the whole file as one expression
  /S   save the settings and objects into the file
  /X   run the file as a code file

At start Tovik runs the commands in Tovik.txt in the current folder; the command exit
saves them there. At a terminal, typed lines are kept in $XDG_STATE_HOME/tovik/history
(by default ~/.local/state/tovik/history). The manual is help.txt (installed in
share/doc/tovik); see also tovik(1).
=== expect-missing out.txt
