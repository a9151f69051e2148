#!/usr/bin/env python3
"""Runs every example of the user's manual (help.txt), the README and the man page and checks
their output.

Usage: check_help.py TOVIK HELP_TXT [TEXT]
  TOVIK     the built program
  HELP_TXT  the manual, or README.md, or the man page (a name ending in ".1")
  TEXT      optional: only run the examples whose first line contains TEXT

The manual's own "About the examples" section states the convention to the reader; in short:

  An example is a block of lines indented by exactly four blanks whose first line starts with
  "> " or "$ " (after the indent). The block runs until the first line that is neither empty nor
  indented by four blanks; empty lines at its end do not belong to it. Inside the block:

    > TEXT         a line typed at the Tovik prompt
    ? TEXT         a line typed while the program waits in READ (the terminal's echo of it is
                   not part of the captured output, so it is left out of the comparison)
    $ tovik ARGS   start Tovik with these arguments (split like a shell does); its output is
                   shown from the very start
    $ cat NAME     the lines up to the next "$" or ">" line are the content of the file NAME:
                   before the example's first run of Tovik the file is written with them, after
                   a run the file must hold exactly them (a final line end is not shown)
    anything else  what Tovik prints

  Two examples need a line of text between them: with only empty lines between, they are one.
  A run ends at the next "$" line or at the end of the example; after it, typed lines need a
  new "$ tovik". Every run must end with exit status 0.

  Every example runs in a fresh empty temporary folder, without a graphic display. Typed lines
  that come before any "$ tovik" line start Tovik without showing its start-up messages, in a
  folder whose start-up file Tovik.txt holds the line  wrformat "VALUE | %g#L"  (unless the
  example writes Tovik.txt itself with "$ cat"), so results show as one "VALUE | " line.

  The captured output is compared after these steps, which turn it into what the manual shows:
    - the status line ("OBJ: ... SS: ....") with the empty line before it, and the prompt
      ("Tovik 1.0.0.6>") are removed; in their place each typed line is shown as "> TEXT";
    - a line rewritten with carriage returns is shown as a terminal leaves it (what follows a
      carriage return overwrites the start of the line), and tabs become blanks up to the next
      multiple of eight columns;
    - blanks at the ends of lines are removed, and a last line without a line end counts as a
      whole line.

The manual itself must keep to 100 columns, plain ASCII, no tabs and no blanks at line ends.

The README and the man page show a session as it looks at the terminal: an example is a block
(indented by four blanks in the README, between ".nf" and ".fi" in the man page) whose first
line starts with the prompt "Tovik 1.0.0.6>"; each line that starts with the prompt is a typed
line, the others are what Tovik prints. Such an example starts Tovik with no start-up file (the
default settings) and without showing its start-up messages. In the man page, the escapes "\-"
and "\e" stand for "-" and a backslash.
"""
import difflib
import os
import re
import shlex
import subprocess
import sys
import tempfile

INDENT = "    "
TIMEOUT = 60
MAX_COLUMNS = 100
SHORT_FORMAT_STARTUP = 'wrformat "VALUE | %g#L"\n'
PROMPT = re.compile(rb"Tovik [0-9.]+>")
STATUS_AT_END = re.compile(rb"\nOBJ: \d+ SS: \d+\.\n\Z")


class Example:
    """The lines of one example without their indent, each with its line number in the manual."""

    def __init__(self, manual, numbers, lines, title):
        self.manual, self.numbers, self.lines, self.title = manual, numbers, lines, title

    def where(self, number=None):
        return f"{self.manual}:{number or self.numbers[0]}"


def find_examples(manual, text):
    """The example blocks of the manual, each with the title of the section it is in."""
    lines = text.split("\n")
    examples, title, i = [], "(top)", 0
    while i < len(lines):
        line = lines[i]
        if i + 1 < len(lines) and re.fullmatch(r"[=-]{3,}", lines[i + 1]) and line.strip():
            title = line.strip()
        if line.startswith(INDENT + "> ") or line.startswith(INDENT + "$ "):
            numbers, block = [], []
            while i < len(lines) and (lines[i] == "" or lines[i].startswith(INDENT)):
                numbers.append(i + 1)
                block.append(lines[i][len(INDENT):])
                i += 1
            while block and block[-1] == "":
                block.pop()
                numbers.pop()
            examples.append(Example(manual, numbers, block, title))
            continue
        i += 1
    return examples


SESSION_PROMPT = "Tovik 1.0.0.6>"


def session_lines(block):
    """A session as the terminal shows it, in the manual's convention of typed lines."""
    return ["> " + line[len(SESSION_PROMPT):] if line.startswith(SESSION_PROMPT) else line
            for line in block]


def find_session_examples(manual, text):
    """The README's indented sessions, or the man page's sessions between .nf and .fi."""
    lines = text.split("\n")
    man = manual.endswith(".1")
    examples, i = [], 0
    while i < len(lines):
        first = i + 1 if man else i
        opens_man = man and lines[i] == ".nf" and first < len(lines)
        if opens_man and lines[first].startswith(SESSION_PROMPT):
            i = first
            while i < len(lines) and lines[i] != ".fi":
                i += 1
            block = [line.replace("\\-", "-").replace("\\e", "\\") for line in lines[first:i]]
        elif not man and lines[i].startswith(INDENT + SESSION_PROMPT):
            while i < len(lines) and lines[i].startswith(INDENT):
                i += 1
            block = [line[len(INDENT):] for line in lines[first:i]]
        else:
            i += 1
            continue
        examples.append(Example(manual, list(range(first + 1, i + 1)), session_lines(block),
                                "(session)"))
    return examples


def lint(manual, text):
    """Layout faults of the manual, each as 'help.txt:N: what'."""
    faults = []
    for n, line in enumerate(text.split("\n"), 1):
        if len(line) > MAX_COLUMNS:
            faults.append(f"{manual}:{n}: {len(line)} columns, at most {MAX_COLUMNS}")
        if "\t" in line:
            faults.append(f"{manual}:{n}: tab character")
        if line != line.rstrip():
            faults.append(f"{manual}:{n}: blanks at the end of the line")
        if any(ord(c) > 126 or (ord(c) < 32) for c in line):
            faults.append(f"{manual}:{n}: character outside printable ASCII")
    return faults


def as_terminal_lines(data):
    """Text as a terminal shows it: carriage returns overwrite, end blanks vanish."""
    shown = []
    for raw in data.decode("latin-1").split("\n"):
        line = ""
        for part in raw.split("\r"):
            line = part + line[len(part):]
        shown.append(line.expandtabs(8).rstrip())
    if shown and shown[-1] == "":
        shown.pop()
    return shown


def without_status(chunk):
    return STATUS_AT_END.sub(b"", chunk)


class Run:
    """One start of Tovik: its arguments, typed lines and the lines the manual shows for it."""

    def __init__(self, args, explicit, number):
        self.args, self.explicit, self.number = args, explicit, number
        self.prompt_lines, self.stdin_lines = [], []
        self.expected, self.expected_numbers = [], []

    def expect(self, text, number):
        self.expected.append(text)
        self.expected_numbers.append(number)

    def first_difference(self, actual):
        """The manual's line number where the actual output first departs from it."""
        for i, line in enumerate(self.expected):
            if i >= len(actual) or actual[i] != line:
                return self.expected_numbers[i]
        return self.expected_numbers[-1] if self.expected_numbers else self.number

    def render(self, stdout):
        """The captured output in the form the manual shows it."""
        chunks = PROMPT.split(stdout)
        shown = as_terminal_lines(without_status(chunks[0])) if self.explicit else []
        for k, chunk in enumerate(chunks[1:]):
            if k < len(self.prompt_lines):
                shown.append(("> " + self.prompt_lines[k]).rstrip())
            shown.extend(as_terminal_lines(without_status(chunk)))
        return shown


def show_diff(expected, actual, expected_name, actual_name):
    return "\n".join(difflib.unified_diff(expected, actual, expected_name, actual_name,
                                          lineterm="", n=2))


class ExampleRunner:
    def __init__(self, program, example):
        self.program, self.example = program, example
        self.folder = None
        self.failures, self.ran = [], False
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}

    def fail(self, number, text):
        self.failures.append(f"{self.example.where(number)}: {text}")

    def path(self, name):
        return os.path.join(self.folder, name)

    def run(self, run):
        if self.example.title == "(session)":
            pass  # a session at the terminal starts with the default settings
        elif not run.explicit and not os.path.exists(self.path("Tovik.txt")):
            with open(self.path("Tovik.txt"), "w") as f:
                f.write(SHORT_FORMAT_STARTUP)
        stdin = "".join(line + "\n" for line in run.stdin_lines).encode("latin-1")
        command = [self.program] + run.args
        try:
            proc = subprocess.run(command, input=stdin, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, cwd=self.folder, env=self.env,
                                  timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.fail(run.number, f"tovik {shlex.join(run.args)}: no end after {TIMEOUT} s")
            return
        self.ran = True
        if proc.returncode != 0:
            self.fail(run.number, f"tovik {shlex.join(run.args)}: exit status {proc.returncode}\n"
                      + proc.stderr.decode("latin-1"))
        actual = run.render(proc.stdout)
        if actual != run.expected:
            self.fail(run.first_difference(actual), "the output differs from the manual here\n" +
                      show_diff(run.expected, actual, "expected (manual)", "actual (tovik)") +
                      "\n-- the actual output, as the manual would show it:\n" +
                      "\n".join(INDENT + line if line else "" for line in actual))

    def file_section(self, name, content, number):
        if not self.ran:
            with open(self.path(name), "w", encoding="latin-1") as f:
                f.write("".join(line + "\n" for line in content))
            return
        if not os.path.exists(self.path(name)):
            self.fail(number, f"file {name} does not exist")
            return
        with open(self.path(name), "rb") as f:
            actual = f.read().decode("latin-1").split("\n")
        if actual and actual[-1] == "":
            actual.pop()
        if actual != content:
            self.fail(number, f"file {name} differs from the manual\n" +
                      show_diff(content, actual, f"{name} (manual)", f"{name} (actual)"))

    def run_all(self):
        with tempfile.TemporaryDirectory(prefix="tovik-manual-") as folder:
            self.folder = folder
            return self.run_lines()

    def run_lines(self):
        run, cat = None, None  # cat: the file's name, its lines and the line number of "$ cat"

        def close_section():
            nonlocal run, cat
            if run is not None:
                self.run(run)
            if cat is not None:
                self.file_section(*cat)
            run, cat = None, None

        for number, line in zip(self.example.numbers, self.example.lines):
            def malformed(why):
                return ValueError(f"{self.example.where(number)}: malformed example: {why}")

            if line.startswith("$ "):
                close_section()
                words = shlex.split(line[2:])
                if words and words[0] == "tovik":
                    run = Run(words[1:], True, number)
                elif len(words) == 2 and words[0] == "cat":
                    cat = (words[1], [], number)
                else:
                    raise malformed(f"unknown shell line: {line}")
            elif cat is not None and not line.startswith("> "):
                cat[1].append(line)
            elif line.startswith("> ") or line == ">":
                if run is None:
                    close_section()
                    if self.ran:
                        raise malformed("a typed line after a run ended needs a new '$ tovik'")
                    run = Run([], False, number)
                typed = line[2:]
                run.prompt_lines.append(typed)
                run.stdin_lines.append(typed)
                run.expect(line.rstrip(), number)
            elif line.startswith("? "):
                if run is None:
                    raise malformed("a line for READ outside a run")
                run.stdin_lines.append(line[2:])
            elif run is not None:
                run.expect(line, number)
            else:
                raise malformed(f"output line before any run: {line}")
        close_section()
        return self.failures


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, manual = os.path.abspath(sys.argv[1]), sys.argv[2]
    only = sys.argv[3] if len(sys.argv) > 3 else None
    with open(manual, encoding="latin-1") as f:
        text = f.read()
    name = os.path.basename(manual)
    session = name.endswith(".1") or name.endswith(".md")
    faults = [] if session else lint(name, text)
    for fault in faults:
        print("FAIL " + fault)
    examples = find_session_examples(name, text) if session else find_examples(name, text)
    failed, checked = len(faults), 0
    for example in examples:
        if only is not None and only not in example.lines[0]:
            continue
        checked += 1
        try:
            failures = ExampleRunner(program, example).run_all()
        except ValueError as e:  # a malformed example is a failure of the manual
            failures = [str(e)]
        if failures:
            failed += 1
            print(f"FAIL example at {example.where()} in \"{example.title}\"")
            for failure in failures:
                print("  " + failure.replace("\n", "\n  "))
    print(f"{checked} examples checked, {failed} failure(s)")
    if not examples:
        print(f"FAIL {name} holds no examples")
        return 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
