#!/usr/bin/env python3
"""Runs transcript tests: typed lines in, exact console output out.

Each *.t file below the given folder runs in a fresh temporary folder. It is a sequence of
sections, each opened by a line "=== KIND ARGS":

  === file NAME [noeol] [esc]     write NAME before the next run
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
"""
import difflib
import os
import shlex
import subprocess
import sys
import tempfile

TIMEOUT = 60


def decode(lines, options):
    text = "".join(line + "\n" for line in lines)
    if "noeol" in options and text.endswith("\n"):
        text = text[:-1]
    data = text.encode("latin-1")
    if "esc" in options:
        data = data.decode("latin-1").encode("latin-1").decode("unicode_escape").encode("latin-1")
    return data


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
