A value printed with the default format: the tag line, the three bases and the three byte lines.
=== session
> 1 + 2
VALUE | 3
DEC 3
HEX 3
BIN 11
dbl 00 00 00 00 00 00 08 40 
ul  03 00 00 00 
szt 03 00 00 00 
# OBJ: 1 SS: 8192.
> -0.5
VALUE | -0.5
DEC -0.5
HEX -0.8
BIN -0.1
dbl 00 00 00 00 00 00 E0 BF 
ul  00 00 00 00 
szt 00 00 00 00 
