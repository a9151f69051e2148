#!/usr/bin/env python3
"""Pipes 10,000 command lines through `tovik -q` and compares every value, the failure lines and
the exit status; then checks that output that cannot be written ends with status 3, and that the
console reading a pipe shows each prompt before it waits for the next line.

Usage: pipe_test.py TOVIK
"""
import os
import select
import subprocess
import sys
import tempfile

LINES = 10_000


def exact(x):
    """A value as the decimal view writes it (every value here has at most three decimals)."""
    return f"{x:.3f}".rstrip("0").rstrip(".") if x != int(x) else str(int(x))


def case(i):
    """One command line and the value it must print, or None for a failure."""
    kind = i % 4
    if i % 1000 == 0:
        return "nothing_here+1", None
    if kind == 0:
        return f"{i}*3-7", exact(i * 3 - 7)
    if kind == 1:
        return f"-{i}/8", exact(-i / 8)
    if kind == 2:
        return f"{i:x}H*{i}", exact(i * i)
    return f"x{i % 7}={i}^2-ANS", None  # checked below: it depends on the line before


def prompt_shown_while_waiting(program, folder):
    """Output is held back while read-ahead input is served, never while the console waits."""
    proc = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE, cwd=folder)
    try:
        proc.stdin.write(b"wrformat \"%.15g#L\"\n6*7\n")
        proc.stdin.flush()
        seen = b""
        while not seen.endswith(b"42\n\nOBJ: 1 SS: 8192.\nTovik 1.0.0.6>"):
            if not select.select([proc.stdout], [], [], 10)[0]:
                return f"console waiting on a pipe showed only {seen[-60:]!r}"
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                return f"console ended early after {seen[-60:]!r}"
            seen += chunk
        return None
    finally:
        proc.stdin.close()
        proc.wait(timeout=60)
        proc.stdout.close()


def main():
    program = os.path.abspath(sys.argv[1])
    lines, expected, failures = [], [], 0
    previous = 0
    for i in range(1, LINES + 1):
        line, value = case(i)
        if line.startswith("x"):
            value = exact(i * i - previous)
        lines.append(line)
        if value is None:
            failures += 1
        else:
            expected.append(value)
            previous = float(value)
    with tempfile.TemporaryDirectory() as folder:
        proc = subprocess.run([program, "-q"], input="\n".join(lines).encode() + b"\n",
                              capture_output=True, cwd=folder, timeout=60)
        got = proc.stdout.decode().splitlines()
        problems = []
        if got != expected:
            first = next((n for n, (a, b) in enumerate(zip(got, expected)) if a != b),
                         min(len(got), len(expected)))
            problems.append(f"{len(got)} values, {len(expected)} expected; first difference at "
                            f"value {first}: {got[first:first + 1]} != {expected[first:first + 1]}")
        unknown = proc.stderr.decode().count("Unknown object: nothing_here.")
        if unknown != failures:
            problems.append(f"{unknown} failures on standard error, {failures} expected")
        if proc.returncode != 1:
            problems.append(f"status {proc.returncode}, expected 1")
        with open("/dev/full", "wb") as full:
            proc = subprocess.run([program, "-e", "1"], stdout=full, stderr=subprocess.PIPE,
                                  cwd=folder, timeout=60)
        if proc.returncode != 3 or b"could not be written" not in proc.stderr:
            problems.append(f"to /dev/full: status {proc.returncode}, {proc.stderr!r}")
        if problem := prompt_shown_while_waiting(program, folder):
            problems.append(problem)
    for p in problems:
        print("FAIL", p)
    print(f"{LINES} piped lines: {'ok' if not problems else 'FAILED'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
