Saving in code form with an empty table, listing and running code files, files that cannot be read.
=== file empty.dat noeol

=== file ret.dat esc noeol
\x00\x00\x00\x00\x00\x00\x00\x04\x40
=== session
> savecode on
SVCD+ | Code saving enabled.
> save a.txt sub.d/f
Saving data in a.txt...
Writing file a.txt is completed.
Saving code in a.dat...
Writing file a.dat is completed.
Saving data in sub.d/f...
Can not open file sub.d/f.
> whatcode a.dat missing.dat
Reading a.dat...
Code in file:
address | cmd | explanation
      0 |  12 | RETURN
      1 |  12 | RETURN
Reading missing.dat...
Can not open file missing.dat.
> runcode empty.dat . ret.dat
Reading empty.dat...
Cannot read data from empty.dat.
Reading ....
Can not open file ..
Reading ret.dat...
Executing ret.dat...
VALUE | 2.5
DEC 2.5
HEX 2.8
BIN 10.1
dbl 00 00 00 00 00 00 04 40 
ul  02 00 00 00 
szt 02 00 00 00 
Executing file ret.dat is completed.
# OBJ: 0 SS: 8192.
=== expect-file a.txt noeol
savecode on
runcode "a.dat"
=== expect-file a.dat esc noeol
\x12
