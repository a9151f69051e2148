#!/usr/bin/env python3
"""Save-and-restart check: what `list` and the settings show before `exit` is what they show
after the next start in the same folder, with the objects saved as text and as code.

    save_restart.py PROGRAM [--seed S] [--rounds N] [--seconds T]

Each round types generated definitions, assignments, typed code and settings, then the queries
below and `exit` (half of the rounds with `savecode on` first); the next start types the queries
again. The answers are compared line by line; a difference prints the seed, the round and the
typed lines.
"""
import argparse
import difflib
import os
import random
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate import Gen  # noqa: E402

QUERIES = ["list", "wrformat", "countformat", "graph size", "stkstep", "savecode", "showprog",
           "unknown", "autoload"]
PROMPT = b"Tovik 1.0.0.6>"
# What the console loop reports before each prompt is about the last line run, not the state.
CONSOLE_REPORTS = (b"OBJ: ", b"ERROR | Some of stacks", b"ERROR | There are ", b"ERROR | We have ")


def answers(output, count):
    """The answers to the last `count` typed lines, without the status lines between them."""
    parts = output.split(PROMPT)[-count - 1:-1] if count else []
    return [b"\n".join(l for l in p.split(b"\n") if l and not l.startswith(CONSOLE_REPORTS))
            for p in parts]


def setup_lines(gen, code_form):
    r, lines = gen.r, []
    for _ in range(r.randrange(1, 15)):
        k = r.randrange(6)
        if k < 2:
            lines.append(gen.define())
        elif k == 2:
            lines.append(f"{r.choice(['a', 'b', 'c', 'n1', 'Val'])} = {gen.expr(3, {'budget': [5000]})}")
        elif k == 3:
            lines.append("exec " + gen.as_exec(gen.code_items()))
        else:
            setting = gen.setting()
            # An autoload file that exists would add its own objects at the next start.
            if not setting.startswith("autoload") and not setting.startswith("savecode"):
                lines.append(setting)
    return lines + (["savecode on"] if code_form else [])


def run(program, folder, lines, end):
    typed = "".join(l + "\n" for l in lines + [end]).encode("latin-1")
    return subprocess.run([program], input=typed, cwd=folder, capture_output=True, timeout=60,
                          env=dict(os.environ, ASAN_OPTIONS="allocator_may_return_null=1")).stdout


def round_trip(program, gen, code_form):
    lines = setup_lines(gen, code_form)
    with tempfile.TemporaryDirectory(prefix="tovik-restart-") as folder:
        before = answers(run(program, folder, lines + QUERIES, "exit"), len(QUERIES))
        after = answers(run(program, folder, QUERIES, "break"), len(QUERIES))
    if before == after:
        return None
    diff = difflib.unified_diff([b.decode("latin-1") for b in before],
                                [a.decode("latin-1") for a in after], "before exit",
                                "after restart", lineterm="")
    return lines, "\n".join(diff)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("program")
    ap.add_argument("--seed", type=int, default=None)
    ap.add_argument("--rounds", type=int, default=0)
    ap.add_argument("--seconds", type=float, default=0)
    ap.add_argument("--keep-going", action="store_true")
    a = ap.parse_args()
    seed = a.seed if a.seed is not None else random.randrange(1 << 31)
    program = os.path.abspath(a.program)
    print(f"save_restart: seed {seed}", flush=True)
    start, k, failures = time.monotonic(), 0, 0
    while (not a.rounds or k < a.rounds) and (not a.seconds or time.monotonic() - start < a.seconds):
        gen = Gen(random.Random(f"{seed}:{k}"), roundtrip=True)
        bad = round_trip(program, gen, code_form=k % 2 == 1)
        k += 1
        if bad:
            failures += 1
            lines, diff = bad
            print(f"save_restart: FAILED round {k - 1} of seed {seed} "
                  f"({'code' if k % 2 == 0 else 'text'} form); typed before exit:\n"
                  + "\n".join("    > " + l for l in lines) + "\n" + diff, flush=True)
            if not a.keep_going:
                break
    print(f"save_restart: {k} rounds, {failures} failed, {time.monotonic() - start:.0f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
