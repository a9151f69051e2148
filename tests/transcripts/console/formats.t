Values through output formats: printf directives that get only the value, bases, bytes, characters, bad items; the default format's seven lines.
=== session
> wrformat "%d %5.2f %s %n %x %*d %p|$16|$1|$123|#65#66|##|$$|#T|%Lf|%u#L"
NFRMT | New format: %d %5.2f %s %n %x %*d %p|$16|$1|$123|#65#66|##|$$|#T|%Lf|%u#L.
> exec 00[255.5]
255 255.50 255.5  ff 255 255.5|ff.8|$error[1]|$error[123]23|AB|#|$|	|255.500000|255
# OBJ: 0 SS: 8192.
> wrformat "#l|#s|#d|$36|$7|$2|%.3e|$#L"
NFRMT | New format: #l|#s|#d|$36|$7|$2|%.3e|$#L.
> exec 00[0.75]
00 00 00 00 |00 00 00 00 |00 00 00 00 00 00 E8 3F |0.r|0.515151515151515151|0.11|7.500e-01|$error[0]L
# no line feed
> wrformat "%g ($D)#L"
NFRMT | New format: %g ($D)#L.
> exec 00[10]
10 (10)
> exec 00[ffffffffH]
4.29497e+09 (4294967295)
> exec 00[100000000000000000000]
1e+20 (100000000000000000000)
> exec 00[0.1]
0.1 (0.1)
> exec 12
ERROR | There are 1+0+0 stack error(s).
> wrformat
FRMAT | Format: %g ($D)#L.
> exec 00 [10]
10 (10)