#include "console/usage.h"

namespace tovik::console {

namespace {

constexpr const char* usage_text =
    "Usage: tovik                 start the calculator's console\n"
    "       tovik ARGUMENT...     run the arguments, then wait for Enter\n"
    "       tovik -q [OPTION]... [FILE]...   batch mode: run command lines, print values\n"
    "       tovik -e LINE [-e LINE]... [OPTION]... [FILE]...\n"
    "       tovik -h | --help | -v | --version\n"
    "\n"
    "Arguments are file names handled one after the other; a switch changes how the\n"
    "arguments after it are handled (upper or lower case):\n"
    "  /C   run each line of the file as a command (the default)\n"
    "  /D   run the argument itself as a command line\n"
    "  /M   evaluate the whole file as one expression\n"
    "  /S   save the settings and objects into the file\n"
    "  /X   run the file as a code file\n"
    "\n"
    "Batch mode runs the -e lines and the FILEs (- is standard input), or standard input\n"
    "when there are none, without start-up messages, status lines or prompts. Each value is\n"
    "one line on standard output; failures go to standard error. Tovik.txt is not read.\n"
    "  -q, --batch     batch mode\n"
    "  -e LINE         run LINE as a command line (repeatable, in order with the FILEs);\n"
    "                  implies -q\n"
    "  --startup FILE  read FILE first as the start-up file; exit saves into it (without\n"
    "                  it, exit saves nothing)\n"
    "  --view VIEW     show values as dec (the default), hex, bin, oct or all (the\n"
    "                  console's seven lines), until a wrformat chooses a format\n"
    "Exit status in batch mode: 0 every line succeeded; 1 a line reported a failure; 2 a\n"
    "usage error (an unknown switch, a missing value); 3 a file could not be read or the\n"
    "output could not be written.\n"
    "\n"
    "At start Tovik runs the commands in Tovik.txt in the current folder; the command exit\n"
    "saves them there. At a terminal, typed lines are kept in $XDG_STATE_HOME/tovik/history\n"
    "(by default ~/.local/state/tovik/history). The manual is help.txt (installed in\n"
    "share/doc/tovik); see also tovik(1).\n";

} // namespace

bool print_option(std::FILE* out, std::string_view arg) {
  if (arg == "--help" || arg == "-h") {
    std::fputs(usage_text, out);
    return true;
  }
  if (arg == "--version" || arg == "-v") {
    std::fprintf(out, "Tovik %s\n", version_text);
    return true;
  }
  return false;
}

} // namespace tovik::console
