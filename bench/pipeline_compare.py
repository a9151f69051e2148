#!/usr/bin/env python3
"""The whole pipeline of the calculator against bc and python3 on the same machine.

Two measurements, each the best of several runs of a fresh process:
  lines   many separate expression lines on standard input: read, parse, compile, run and
          print each (the default value format), reported as lines per second;
  fib25   a recursive user function, F(25) = 75025 with 242785 calls, reported in seconds
          after subtracting the time of a run that only defines F and computes F(1).

Usage: bench/pipeline_compare.py [PATH_TO_TOVIK] [LINES]   (default build/tovik, 20000)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

REPEATS = 5


def best_time(command, text, cwd):
    best = None
    for _ in range(REPEATS):
        start = time.perf_counter()
        done = subprocess.run(command, input=text.encode(), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, cwd=cwd)
        elapsed = time.perf_counter() - start
        if done.returncode != 0:
            raise RuntimeError(f"{command[0]} failed: {done.stderr.decode()[:200]}")
        best = elapsed if best is None else min(best, elapsed)
    return best, done.stdout.decode()


def expression_lines(n):
    """The same arithmetic in the three notations: ours, bc's and python's."""
    ours, bc, py = [], [], []
    for i in range(1, n + 1):
        ours.append(f"({i}*3+7)/({i}+1)-SIN({i})^2+{i % 17}")
        bc.append(f"({i}*3+7)/({i}+1)-s({i})^2+{i % 17}")
        py.append(f"({i}*3+7)/({i}+1)-sin({i})**2+{i % 17}")
    return ("\n".join(ours) + "\n", "\n".join(bc) + "\n", "\n".join(py) + "\n")


PY_LINES = "import sys\nfrom math import sin\nfor line in sys.stdin:\n    print(eval(line))\n"
PY_FIB = ("import sys\nsys.setrecursionlimit(10000)\n"
          "def f(n):\n    return n if n < 2 else f(n - 1) + f(n - 2)\n"
          "print(f(int(sys.stdin.read())))\n")
BC_FIB = "define f(n) {\n if (n < 2) return (n);\n return (f(n - 1) + f(n - 2));\n}\nf(%d)\n"
OUR_FIB = "def F(N) IF(N<2,N,F(N-1)+F(N-2))\nF(%d)\n"


def main():
    tovik = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/tovik")
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    python = sys.executable or shutil.which("python3")
    bc = shutil.which("bc")
    cwd = tempfile.mkdtemp(prefix="tovik-bench-")  # no start-up file there
    ours, bc_text, py_text = expression_lines(n)

    print(f"{n} expression lines, best of {REPEATS} runs")
    results = [("tovik", [tovik], ours), ("python3", [python, "-c", PY_LINES], py_text)]
    if bc:
        results.insert(1, ("bc -l", [bc, "-l", "-q"], bc_text))
    for name, command, text in results:
        t, _ = best_time(command, text, cwd)
        print(f"  {name:8} {t:8.3f} s   {n / t:10.0f} lines/s")

    print("recursive F(25), process time minus a run of F(1)")
    fib = [("tovik", [tovik], lambda k: OUR_FIB % k),
           ("python3", [python, "-c", PY_FIB], lambda k: f"{k}\n")]
    if bc:
        fib.insert(1, ("bc", [bc, "-q"], lambda k: BC_FIB % k))
    for name, command, text in fib:
        t25, out = best_time(command, text(25), cwd)
        t1, _ = best_time(command, text(1), cwd)
        ok = "75025" in out
        print(f"  {name:8} {t25 - t1:8.3f} s   (whole run {t25:.3f} s){'' if ok else '  WRONG'}")


if __name__ == "__main__":
    main()
