A fresh start without a start-up file, the help line, empty and blank lines, end of input.
=== session
> help
HELP  | Help for Tovik is in another file help.txt.
>
>    	
> help extra words
HELP  | Help for Tovik is in another file help.txt.
=== expect-missing Tovik.txt
