Batch mode: -q/--batch, -e, --startup and --view. Values alone on standard output, one line each;
failures on standard error; exit status 0 all went well, 1 a line failed, 2 usage, 3 a file.
In order below:
- -e lines and files run in the order given ("-" is standard input); Tovik.txt is not read;
- a failure does not end the run; each stream keeps its order; commands' own output is shown;
- break ends the run; a failure before it still makes the status 1;
- --view chooses the view of the whole run (the last one given wins); a wrformat replaces it;
- --startup reads a start-up file quietly (its format holds unless --view is given), and exit
  saves into it; without --startup, exit saves nothing; a missing start-up file is made by exit;
- usage errors: status 2, nothing runs;
- files that cannot be read: status 3, the other sources still run; after "--" all are files.
=== file Tovik.txt
def X 5
=== file a.txt
A=2
A*3
=== run -e ffH+1
=== stdout
256
=== stderr
=== run -e "def F(N) IF(N<2,N,F(N-1)+F(N-2))" -e F(20)
=== stdout
6765
=== run --batch a.txt -e A+1 - a.txt
=== stdin
A*10
=== stdout
2
6
3
20
2
6
=== run -e X
=== stdout
=== stderr
ZORVA | Unknown object: X.
ZORVA | Error 0x101. Call object - unknown object.
VALUE | NAN
=== status 1
=== run -q
=== stdin
1+2
(2
del nothing
list
2*3
=== stdout
3
----------- global objects -----------
ANS 3
--------------------------------------
6
=== stderr
ERROR | Some of brackets are not closed.
ERROR | Error in expression or tree is corrupted.
VALUE | NAN
ERROR | Object nothing can not be deleted.
=== status 1
=== run -e 1 -e break -e 2
=== stdout
1
=== run -e Y -e break -e 2
=== stdout
=== status 1
=== run -q --view=oct -e 8 --view bin -e 5
=== stdout
1000
101
=== run --view hex -e 255 -e "wrformat %g#L" -e 255
=== stdout
ff
255
=== run --view all -e 10
=== stdout
VALUE | 10
DEC 10
HEX a
BIN 1010
dbl 00 00 00 00 00 00 24 40 
ul  0A 00 00 00 
szt 0A 00 00 00 
=== file s.txt
def SQ(x) x*x
wrformat "%g#L"
=== run -q --startup s.txt -e SQ(3) -e "def Y 7" -e exit
=== stdout
9
Saving data in s.txt...
Writing file s.txt is completed.
=== expect-file s.txt
wrformat "%g#L"
def ANS 9
def SQ(x) x*x
def Y 7
=== run --startup new.txt -e "def Z 1" -e exit -q
=== stdout
Saving data in new.txt...
Writing file new.txt is completed.
=== expect-file new.txt
def Z 1
=== run -e "def Z 1" -e exit
=== stdout
=== expect-file Tovik.txt
def X 5
=== run -e 1 -z
=== stdout
=== stderr
ERROR | Unknown switch -z; see tovik --help.
=== status 2
=== run -q --view
=== stderr
ERROR | A value must follow --view; see tovik --help.
=== status 2
=== run -q --view=big
=== stderr
ERROR | --view takes dec, hex, bin, oct or all, not big; see tovik --help.
=== status 2
=== run --startup s.txt
=== stderr
ERROR | --startup and --view work in batch mode: add -q; see tovik --help.
=== status 2
=== run -q . nofile -e 1 -- -e
=== stdout
1
=== stderr
ERROR | Can not read file .: Is a directory.
ERROR | Can not read file nofile: No such file or directory.
ERROR | Can not read file -e: No such file or directory.
=== status 3
=== run -q --startup . -e 1
=== stdout
1
=== stderr
ERROR | Can not read the start-up file .: not a regular file.
=== status 3
