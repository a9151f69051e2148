#!/usr/bin/env python3
"""Inputs that once hung, aborted or were refused: a FIFO where a file is expected (never opened
for reading, so nothing waits), a huge line for READ under a small address-space limit, and
expressions whose trees are as deep as they are long (a math file of 100,000 statements, a
console line as full of terms as it can hold) through every walk that follows parsing."""
import os
import resource
import subprocess
import sys
import tempfile

program = os.path.abspath(sys.argv[1])
failures = []


def run(folder, stdin, args=(), limit=None):
    def limited():
        if limit:
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    try:
        p = subprocess.run([program, *args], input=stdin, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, cwd=folder, timeout=60, preexec_fn=limited,
                           env=dict(os.environ, DISPLAY=""))
    except subprocess.TimeoutExpired:
        return None, b""
    return p.returncode, p.stdout


def expect(name, result, needle, count=1):
    status, out = result
    if status != 0 or out.count(needle) != count:
        failures.append(f"{name}: status {status}, {out.count(needle)} x {needle!r}")


with tempfile.TemporaryDirectory() as d:
    os.mkfifo(os.path.join(d, "Tovik.txt"))
    lines = b"".join(b"%s Tovik.txt\n" % c for c in (b"open", b"runcode", b"runmath", b"whatcode"))
    expect("fifo commands", run(d, lines + b"break\n"), b"Can not open file Tovik.txt.", 5)
    expect("fifo switches", run(d, b"\n", ["/C", "Tovik.txt", "/M", "Tovik.txt", "/X", "Tovik.txt"]),
           b"Can not open file Tovik.txt.", 4)

with tempfile.TemporaryDirectory() as d:
    os.mkfifo(os.path.join(d, "p"))
    with open(os.path.join(d, "Tovik.txt"), "w") as f:
        f.write('autoload "p"\n')
    expect("fifo autoload", run(d, b"break\n"), b"Can not open file p.")

# A sanitizer build reserves more address space than any small limit allows: skip there.
limit = 150_000 * 1024
with tempfile.TemporaryDirectory() as d:
    if run(d, b"break\n", limit=limit)[0] == 0:
        huge = b"exec 53\n" + b"0" * 253 + b"7" + b" " * 100_000_000 + b"\nbreak\n"
        expect("huge READ line", run(d, huge, limit=limit), b"VALUE | 7\n")

with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "long.txt"), "w") as f:
        f.write("x=0;" + "x=x+1;" * 100_000 + "x")
    expect("100,000 statements", run(d, b"runmath long.txt\nbreak\n"), b"VALUE | 100000\n")
    terms = "+".join(["x"] * 5000).encode()
    lines = (b"what %s\ndef F(x) %s\nF(1)\ncount %s x(0,1,1)\nbreak\n"
             % (terms.replace(b"x", b"1"), terms, terms))
    session = run(d, lines)
    for needle in (b"TREE  | " + b"+{" * 4999 + b"1,1},1}", b"VALUE | 5000\n",
                   b"1 (1) -> 5000 (5000)\n"):
        expect("5,000 terms", session, needle)

for f in failures:
    print("FAIL", f)
sys.exit(1 if failures else 0)
