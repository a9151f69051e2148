#!/usr/bin/env python3
"""Session fuzzer: generated whole console sessions run through a sanitizer build of tovik.

    session_fuzz.py PROGRAM [--seed S] [--sessions N] [--seconds T] [--dict FILE]
                    [--corpus DIR] [--artifacts DIR] [--replay K]

A session is one to three starts of the program in one fresh folder, so later starts read what
earlier ones saved. A start fails on any sanitizer report, a signal, an exit status other than 0
(1 only after an exit that could not save), or a time-out. Session K of seed S is always the same
session: a failure prints the seed, K, the files and the typed lines, and keeps them in the
artifacts folder; --replay K runs just that session again. The seed corpus (sessions written by
hand, starts separated by a line "=== restart") is run first, and its lines are mixed into
generated sessions with the dictionary's words.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate import Gen  # noqa: E402

REPORTS = [b"AddressSanitizer", b"LeakSanitizer", b"UndefinedBehaviorSanitizer", b"runtime error:"]
SANITIZER_EXIT = 86
ENV = dict(os.environ,
           ASAN_OPTIONS=f"allocator_may_return_null=1:exitcode={SANITIZER_EXIT}:detect_leaks=1",
           UBSAN_OPTIONS=f"print_stacktrace=1:halt_on_error=1:exitcode={SANITIZER_EXIT}")
ENV.pop("DISPLAY", None)


def read_dictionary(path):
    """Words of a libFuzzer dictionary: lines of the form name="text" or "text"."""
    words = []
    for raw in open(path, encoding="latin-1") if path else []:
        raw = raw.strip()
        if raw.endswith('"') and '"' in raw[:-1]:
            text = raw[raw.index('"') + 1:-1]
            if "\\" not in text:
                words.append(text)
    return words


def read_corpus(folder):
    """Hand-written sessions: each file's starts, separated by '=== restart' lines."""
    sessions = []
    for name in sorted(os.listdir(folder)) if folder else []:
        with open(os.path.join(folder, name), encoding="latin-1") as f:
            starts = f.read().split("=== restart\n")
        sessions.append([({}, s.splitlines(), "eof") for s in starts])
    return sessions


def place(folder, files):
    for name, data in files.items():
        path = os.path.join(folder, name)
        if os.path.isdir(path):
            os.rmdir(path)
        elif os.path.lexists(path):
            os.unlink(path)
        if data is None:
            os.mkfifo(path)
        elif data == "dir":
            os.mkdir(path)
        else:
            with open(path, "wb") as f:
                f.write(data)


def typed(lines, end):
    """What one start reads: its lines, then the ending line unless it ends at the end of input."""
    return "".join(l + "\n" for l in lines + ([] if end == "eof" else [end]))


def run_session(program, runs, timeout):
    """None when every start behaved, else (start number, reason, output)."""
    with tempfile.TemporaryDirectory(prefix="tovik-session-") as folder:
        for number, (files, lines, end) in enumerate(runs, 1):
            place(folder, files)
            try:
                p = subprocess.run([program], input=typed(lines, end).encode("latin-1"), cwd=folder,
                                   env=ENV, capture_output=True, timeout=timeout,
                                   start_new_session=True)
            except subprocess.TimeoutExpired as e:
                return number, f"no end within {timeout} s", (e.stderr or b"")[-4000:]
            report = next((r for r in REPORTS if r in p.stderr), None)
            # Any refused exit, not only a start-up file that is a folder: also an object too
            # long for a line of the text form.
            exit_failed = b" was not saved, so the program goes on" in p.stdout
            if report:
                return number, f"sanitizer report ({report.decode()})", p.stderr[-8000:]
            if p.returncode < 0:
                return number, f"signal {-p.returncode}", p.stderr[-4000:]
            if p.returncode not in ((0, 1) if exit_failed else (0,)):
                return number, f"exit status {p.returncode}", p.stderr[-4000:]
    return None


def show(runs):
    text = []
    for number, (files, lines, end) in enumerate(runs, 1):
        text.append(f"--- start {number} (then {end})")
        for name, data in files.items():
            kind = "a FIFO" if data is None else "a folder" if data == "dir" else repr(data[:400])
            text.append(f"    file {name}: {kind}")
        text += [f"    > {l[:2000]}" for l in lines]
    return "\n".join(text)


def keep(artifacts, tag, runs):
    folder = os.path.join(artifacts, tag)
    os.makedirs(folder, exist_ok=True)
    for number, (files, lines, end) in enumerate(runs, 1):
        for name, data in files.items():
            if isinstance(data, bytes):
                with open(os.path.join(folder, f"start{number}-file-{name.replace('/', '_')}"),
                          "wb") as f:
                    f.write(data)
        with open(os.path.join(folder, f"start{number}.stdin"), "w", encoding="latin-1") as f:
            f.write(typed(lines, end))
    return folder


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("program")
    ap.add_argument("--seed", type=int, default=None)
    ap.add_argument("--sessions", type=int, default=0, help="stop after this many (0: no bound)")
    ap.add_argument("--seconds", type=float, default=0, help="stop after this time (0: no bound)")
    ap.add_argument("--timeout", type=float, default=30, help="seconds one start may take")
    ap.add_argument("--dict", default=None)
    ap.add_argument("--corpus", default=None)
    ap.add_argument("--artifacts", default="session-failures")
    ap.add_argument("--replay", type=int, default=None, help="run only this session number")
    ap.add_argument("--keep-going", action="store_true")
    a = ap.parse_args()
    seed = a.seed if a.seed is not None else random.randrange(1 << 31)
    words, corpus = read_dictionary(a.dict), read_corpus(a.corpus)
    corpus_lines = [l for s in corpus for _, lines, _ in s for l in lines]
    print(f"session_fuzz: seed {seed}", flush=True)

    def session(k):
        rnd = random.Random(f"{seed}:{k}")
        return Gen(rnd, words, [corpus_lines] if corpus_lines else []).session()

    jobs = [(f"corpus {i}", runs) for i, runs in enumerate(corpus)] if a.replay is None else []
    start, k, failures = time.monotonic(), a.replay or 0, 0
    while True:
        if jobs:
            tag, runs = jobs.pop(0)
        else:
            if a.replay is not None and k > a.replay:
                break
            if a.sessions and k >= a.sessions + (a.replay or 0):
                break
            if a.seconds and time.monotonic() - start > a.seconds:
                break
            tag, runs, k = f"session {k}", session(k), k + 1
        if k and k % 100 == 0 and not jobs:
            print(f"session_fuzz: {k} sessions, {failures} failed", flush=True)
        bad = run_session(os.path.abspath(a.program), runs, a.timeout)
        if bad:
            failures += 1
            number, reason, output = bad
            kept = keep(a.artifacts, f"seed{seed}-{tag.replace(' ', '')}", runs)
            print(f"session_fuzz: FAILED {tag} of seed {seed}, start {number}: {reason}\n"
                  f"{show(runs)}\n{output.decode('latin-1')}\n"
                  f"session_fuzz: kept in {kept}; replay: {sys.argv[0]} {a.program} --seed {seed}"
                  f" --replay {k - 1}" + "".join(f" --{o} {v}" for o, v in (
                      ("dict", a.dict), ("corpus", a.corpus)) if v),
                  flush=True)
            if not a.keep_going:
                return 1
    print(f"session_fuzz: {k} generated sessions ({len(corpus)} from the corpus), {failures} "
          f"failed, {time.monotonic() - start:.0f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
