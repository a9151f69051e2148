#!/usr/bin/env python3
"""Inputs that once hung or aborted the program: a FIFO where a file is expected (never opened
for reading, so nothing waits), and a huge line for READ under a small address-space limit."""
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

for f in failures:
    print("FAIL", f)
sys.exit(1 if failures else 0)
