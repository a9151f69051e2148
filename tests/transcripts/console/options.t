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
       tovik -q [OPTION]... [FILE]...   batch mode: run command lines, print values
       tovik -e LINE [-e LINE]... [OPTION]... [FILE]...
       tovik -h | --help | -v | --version

Arguments are file names handled one after the other; a switch changes how the
arguments after it are handled (upper or lower case):
  /C   run each line of the file as a command (the default)
  /D   run the argument itself as a command line
  /M   evaluate the whole file as one expression
  /S   save the settings and objects into the file
  /X   run the file as a code file

Batch mode runs the -e lines and the FILEs (- is standard input), or standard input
when there are none, without start-up messages, status lines or prompts. Each value is
one line on standard output; failures go to standard error. Tovik.txt is not read.
  -q, --batch     batch mode
  -e LINE         run LINE as a command line (repeatable, in order with the FILEs);
                  implies -q
  --startup FILE  read FILE first as the start-up file; exit saves into it (without
                  it, exit saves nothing)
  --view VIEW     show values as dec (the default), hex, bin, oct or all (the
                  console's seven lines), until a wrformat chooses a format
Exit status in batch mode: 0 every line succeeded; 1 a line reported a failure; 2 a
usage error (an unknown switch, a missing value); 3 a file could not be read or the
output could not be written.

At start Tovik runs the commands in Tovik.txt in the current folder; the command exit
saves them there. At a terminal, typed lines are kept in $XDG_STATE_HOME/tovik/history
(by default ~/.local/state/tovik/history). The manual is help.txt (installed in
share/doc/tovik); see also tovik(1).
=== expect-missing out.txt
