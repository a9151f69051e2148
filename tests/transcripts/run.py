#!/usr/bin/env python3
"""Runs transcript tests: typed lines in, exact console output out.

Each *.t file below the given folder runs in a fresh temporary folder. It is a sequence of
sections, each opened by a line "=== KIND ARGS":

  === file NAME [noeol] [esc]     write NAME before the next run
  === session [noeol] [esc]       start the console and type lines into it (below)
  === run [ARGUMENTS]             start the program (arguments split like a shell does)
  === stdin [noeol] [esc]         what the run reads (default: nothing)
  === stdout [noeol] [esc]        exactly what the run must write
  === stderr [noeol] [esc]        exactly what the run must write on standard error (unchecked
                                  when the section is missing)
  === status N                    the exit status (default 0)
  === expect-file NAME [noeol] [esc]   after the run, NAME must hold exactly this
  === expect-missing NAME         after the run, NAME must not exist

A section's text is its lines, each ended by a line feed; "noeol" drops the last line feed and
"esc" reads backslash escapes (\\x00, \\n, \\\\). Lines before the first section are comments.

A session is a console run (no arguments) written as typed lines, each followed by its output:

  === session
  > x = 1 + 2                     a typed line (">" alone types an empty line)
  VALUE | 3                       what the line prints, up to the next typed line
  # OBJ: 2 SS: 8192.              the status line after it, where it changes (at first 0 and 0)
  > exec 53
  < 17.5                          a line the running code reads itself ("<" alone: empty)
  VALUE | 17.5
  > exit
  Saving data in Tovik.txt...
  Writing file Tovik.txt is completed.
  # exits                         the program ends after this line, without a new prompt

The runner writes the rest of the output byte for byte: "Opening Tovik.txt..." first, the help
hint after the start-up, and after the start-up and each line's output a blank line, the status
line and the prompt. Lines before the first typed line are what the start-up files printed (none
stands for "Can not open file Tovik.txt."). Without "# exits" the input ends after the last
typed line and the output with a prompt. Marker lines end a line's output: "# no line feed" (its
last line has none), then "# OBJ: ..." or "# exits"; other lines starting with "#", ">" or "<"
are refused. "noeol" leaves the line feed off the last typed line; "esc" reads backslash escapes
in typed lines and output. What a session cannot say (the command-line driver, output lines that
start like a marker) uses run, stdin and stdout.
"""
import difflib
import os
import re
import shlex
import subprocess
import sys
import tempfile

TIMEOUT = 60


def unescape(data):
    return data.decode("latin-1").encode("latin-1").decode("unicode_escape").encode("latin-1")


def decode(lines, options):
    text = "".join(line + "\n" for line in lines)
    if "noeol" in options and text.endswith("\n"):
        text = text[:-1]
    data = text.encode("latin-1")
    return unescape(data) if "esc" in options else data


STARTUP = "Opening Tovik.txt...\n"
NO_STARTUP_FILE = "Can not open file Tovik.txt.\n"
HINT = ("\nOpen file help.txt to get program help. (do not open it in Tovik! please use your "
        "text editor)\n")
FIRST_STATUS = "OBJ: 0 SS: 0."
PROMPT = "Tovik 1.0.0.6>"
STATUS_MARK = re.compile(r"# (OBJ: \d+ SS: \d+\.)$")
EXITS_MARK = "# exits"
NO_LINE_FEED_MARK = "# no line feed"


def expand_session(lines, options):
    """The stdin and the exact stdout of a session section."""
    typed, blocks = [], [[]]  # blocks[0] holds the start-up lines
    for line in lines:
        if line in (">", "<") or line.startswith(("> ", "< ")):
            typed.append(line[2:])
        if line == ">" or line.startswith("> "):
            blocks.append([])
        elif not (line == "<" or line.startswith("< ")):
            blocks[-1].append(line)
    status, out = FIRST_STATUS, [STARTUP]
    for number, block in enumerate(blocks):
        exits = block[-1:] == [EXITS_MARK]
        if exits and (number == 0 or number != len(blocks) - 1):
            raise ValueError("'# exits' must end the last typed line's output")
        mark = None if exits else STATUS_MARK.match(block[-1]) if block else None
        block = block[:-1] if exits or mark else block
        no_line_feed = block[-1:] == [NO_LINE_FEED_MARK]
        block = block[:-1] if no_line_feed else block
        for line in block:
            if line.startswith(("#", ">", "<")):
                raise ValueError(f"misplaced or unknown marker line '{line}'")
        text = "".join(line + "\n" for line in block)
        if no_line_feed:
            if not block:
                raise ValueError("'# no line feed' after no output line")
            text = text[:-1]
        if number == 0:
            out += [text if block else NO_STARTUP_FILE, HINT]
        else:
            out.append(text)
        status = mark.group(1) if mark else status
        if not exits:
            out.append(f"\n{status}\n{PROMPT}")
    stdout = "".join(out).encode("latin-1")
    return decode(typed, options), unescape(stdout) if "esc" in options else stdout


def parse(path):
    sections, current = [], None
    with open(path, encoding="latin-1") as f:
        for raw in f.read().split("\n"):
            if raw.startswith("=== "):
                words = raw[4:].split(" ", 1)
                kind, rest = words[0], (words[1] if len(words) > 1 else "")
                current = {"kind": kind, "rest": rest, "lines": []}
                sections.append(current)
            elif current is not None:
                current["lines"].append(raw)
    # The file's own final line feed is no line of the last section.
    if sections and sections[-1]["lines"] and sections[-1]["lines"][-1] == "":
        sections[-1]["lines"].pop()
    return sections


def show_diff(expected, actual):
    exp = expected.decode("latin-1").splitlines(keepends=True)
    act = actual.decode("latin-1").splitlines(keepends=True)
    return "".join(
        difflib.unified_diff([repr(l) + "\n" for l in exp], [repr(l) + "\n" for l in act],
                             "expected", "actual"))


class Transcript:
    def __init__(self, program, path):
        self.program, self.path, self.failures = program, path, []
        self.pending = None
        self.dir = tempfile.mkdtemp(prefix="tovik-")

    def run_pending(self):
        run, self.pending = self.pending, None
        if run is None:
            return
        try:
            proc = subprocess.run([self.program] + run["args"], input=run["stdin"],
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  cwd=self.dir, timeout=TIMEOUT, env=dict(os.environ, DISPLAY=""))
        except subprocess.TimeoutExpired:
            self.failures.append(f"run {run['args']}: timed out after {TIMEOUT} s")
            return
        if run["stdout"] is not None and proc.stdout != run["stdout"]:
            self.failures.append(f"run {run['args']}: output differs\n" +
                                 show_diff(run["stdout"], proc.stdout))
        if run["stderr"] is not None and proc.stderr != run["stderr"]:
            self.failures.append(f"run {run['args']}: standard error differs\n" +
                                 show_diff(run["stderr"], proc.stderr))
        if proc.returncode != run["status"]:
            self.failures.append(f"run {run['args']}: status {proc.returncode}, "
                                 f"expected {run['status']}\n{proc.stderr.decode('latin-1')}")

    def step(self, section):
        kind, rest = section["kind"], section["rest"]
        options = shlex.split(rest)
        if kind in ("stdin", "stdout", "stderr", "status"):
            if self.pending is None:
                raise ValueError(f"'{kind}' outside a run")
            if kind == "status":
                self.pending["status"] = int(rest)
            else:
                self.pending[kind] = decode(section["lines"], options)
            return
        self.run_pending()
        if kind == "run":
            self.pending = {"args": shlex.split(rest), "stdin": b"", "stdout": None, "stderr": None,
                            "status": 0}
        elif kind == "session":
            if set(options) - {"noeol", "esc"}:
                raise ValueError(f"a session takes only noeol and esc, not '{rest}'")
            stdin, stdout = expand_session(section["lines"], options)
            self.pending = {"args": [], "stdin": stdin, "stdout": stdout, "stderr": None,
                            "status": 0}
        elif kind == "file":
            with open(os.path.join(self.dir, options[0]), "wb") as f:
                f.write(decode(section["lines"], options[1:]))
        elif kind == "expect-file":
            target = os.path.join(self.dir, options[0])
            expected = decode(section["lines"], options[1:])
            if not os.path.exists(target):
                self.failures.append(f"file {options[0]} is missing")
            else:
                with open(target, "rb") as f:
                    actual = f.read()
                if actual != expected:
                    self.failures.append(f"file {options[0]} differs\n" +
                                         show_diff(expected, actual))
        elif kind == "expect-missing":
            if os.path.exists(os.path.join(self.dir, options[0])):
                self.failures.append(f"file {options[0]} exists")
        else:
            raise ValueError(f"unknown section '{kind}'")

    def run(self):
        for section in parse(self.path):
            self.step(section)
        self.run_pending()
        return self.failures


def main():
    program, root = os.path.abspath(sys.argv[1]), sys.argv[2]
    only = sys.argv[3] if len(sys.argv) > 3 else ""
    paths = sorted(os.path.join(d, f) for d, _, files in os.walk(root)
                   for f in files if f.endswith(".t"))
    failed = 0
    for path in paths:
        name = os.path.relpath(path, root)
        if only not in name:
            continue
        try:
            failures = Transcript(program, path).run()
        except Exception as e:  # a malformed transcript is a failure too
            failures = [f"cannot run: {e}"]
        if failures:
            failed += 1
            print(f"FAIL {name}")
            for f in failures:
                print("  " + f.replace("\n", "\n  "))
        else:
            print(f"ok   {name}")
    print(f"{len(paths) - failed if not only else ''} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
