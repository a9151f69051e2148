#!/usr/bin/env python3
"""Tovik side by side with bc -l, python3 and lua5.4 on the workloads users compare at a prompt.

Each workload is the same work written in each language. Rounds alternate the programs (the
order reverses every round) so that load on the machine falls on all of them alike. A time is
the processor time (user + system) of the process, which other load on the machine hardly
changes, unlike the clock. A cell shows the median of the rounds and the peak resident memory
of one run; the peers' cells also show their time divided by Tovik's. Runs read their input from
a file and write to /dev/null, in a fresh folder (no start-up file). Except for the start-up
row, a time is the work alone: the run minus the median run of the same program on a trivial
size, so that start-up cost does not blur the comparison. Only ratios measured in one run are
meaningful: absolute times vary from machine to machine.

Usage: bench/compare.py [--rounds N] [--before OLD_TOVIK] [TOVIK]   (default build/tovik)
  --before  also runs an older build of Tovik and checks that nothing got slower or bigger.
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

STARTS = 20  # start-up runs per round; the row shows one start
FEW_MIB = 3  # "a few MiB" over the table's own values in the count workload


def loop_programs(n):
    return {
        "tovik": f"MAIN($0=0;$1=1;WHILE($1<={n},$0=$0+$1;$1=$1+1);$0,N$(2))\nbreak\n",
        "bc": f"s=0;i=1;while(i<={n}){{s=s+i;i=i+1}};s\nquit\n",
        "python3": f"s = 0\ni = 1\nwhile i <= {n}:\n    s = s + i\n    i = i + 1\nprint(s)\n",
        "lua5.4": f"local s, i = 0, 1\nwhile i <= {n} do s = s + i; i = i + 1 end\nprint(s)\n",
    }


def fib_programs(n):
    return {
        "tovik": f"def F(N) IF(N<2,N,F(N-1)+F(N-2))\nF({n})\nbreak\n",
        "bc": f"define f(n) {{\n if (n < 2) return (n);\n return (f(n-1) + f(n-2));\n}}\n"
        f"f({n})\nquit\n",
        "python3": f"def f(n):\n    return n if n < 2 else f(n - 1) + f(n - 2)\nprint(f({n}))\n",
        "lua5.4": f"local function f(n)\n  if n < 2 then return n end\n  return f(n - 1) + f(n - 2)\n"
        f"end\nprint(f({n}))\n",
    }


def lines_programs(n):
    lines = [f"({i}*3+1)/7-2^3\n" for i in range(1, n + 1)]
    return {
        "tovik": 'wrformat "%.15g#L"\n' + "".join(lines) + "break\n",
        "bc": "".join(lines) + "quit\n",
        "python3 -i": "".join(lines).replace("^", "**"),
    }


def count_programs(count_format):
    def make(n):
        setting = f'countformat "{count_format}"\n' if count_format else ""
        return {
            "tovik": f"{setting}count x^2-2 x(0,{n / 1000:g},{n})\nbreak\n",
            # n steps from 0 are n + 1 points
            "python3": f"x = 0.0\nfor _ in range({n + 1}):\n    print(x, x * x - 2)\n"
                       "    x += 0.001\n",
        }

    return make


def start_programs(_):
    return {"tovik": "break\n", "bc": "quit\n"}


# label, program texts for a size, full size, trivial size (None: whole runs), text each output
# must hold per program, and whether the row needs Tovik's batch mode.
WORKLOADS = [
    ("loop, N = 10^7", loop_programs, 10**7, 1, {"": "50000005000000"}, False),
    ("fib: F(27)", fib_programs, 27, 1, {"": "196418"}, False),
    ("100,000 piped lines", lines_programs, 100000, 1, {"": "42849.285714285"}, False),
    ('count 10^6 points, "%.15g"', count_programs("%.15g"), 10**6, 1,
     {"tovik": "999.999999983265 -> 999997.99996653", "python3": "999.99999998"}, False),
    ("count 10^6 points, default format", count_programs(None), 10**6, 1,
     {"tovik": "1000 (999.999999983265) -> 999998 (", "python3": "999.99999998"}, False),
    (f"start-up and break (×{STARTS})", start_programs, STARTS, None, {}, False),
    ("100,000 lines, batch mode (-q)", lines_programs, 100000, 1, {"": "42849.285714285"}, True),
]


def find_peers():
    """Command lines of the peers that are installed; a missing one shows as a dash."""
    python = "/usr/bin/python3"  # Debian's, which bootstrap installs, rather than a private one
    python = python if os.access(python, os.X_OK) else shutil.which("python3")
    bc, lua = shutil.which("bc"), shutil.which("lua5.4")
    return {
        "bc": bc and [bc, "-lq"],
        "python3": python and [python, "-"],
        "python3 -i": python and [python, "-q", "-i"],
        "lua5.4": lua and [lua, "-"],
    }


def cpu_seconds():
    """User and system time of all ended children: unlike the clock, not inflated by other load."""
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime


class Runner:
    def __init__(self, folder):
        self.folder = folder
        self.time_tool = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None
        # No window, and none of the settings that change how the peers start or buffer
        # (PYTHONUNBUFFERED alone makes python3 ten times slower at printing).
        self.env = {k: v for k, v in os.environ.items()
                    if k != "DISPLAY" and not k.startswith(("PYTHON", "LUA_"))}
        self.env["HOME"] = folder
        self.inputs = {}

    def input_file(self, text):
        if text not in self.inputs:
            path = os.path.join(self.folder, f"input{len(self.inputs)}.txt")
            with open(path, "w") as f:
                f.write(text)
            self.inputs[text] = path
        return self.inputs[text]

    def run(self, command, text, stdout=subprocess.DEVNULL):
        work = tempfile.mkdtemp(dir=self.folder)
        with open(self.input_file(text)) as stdin:
            before = cpu_seconds()
            done = subprocess.run(command, stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                                  cwd=work, env=self.env)
            elapsed = cpu_seconds() - before
        shutil.rmtree(work)
        if done.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} ended with {done.returncode}: "
                               f"{done.stderr.decode(errors='replace')[:300]}")
        return elapsed, done

    def checked_peak(self, command, text, expected):
        """One untimed run that checks the output and measures the peak resident memory (KiB)."""
        mem = os.path.join(self.folder, "peak")
        wrapped = [self.time_tool, "-f", "%M", "-o", mem] + command if self.time_tool else command
        _, done = self.run(wrapped, text, stdout=subprocess.PIPE)
        if expected and expected not in done.stdout.decode(errors="replace"):
            raise RuntimeError(f"{' '.join(command)}: output lacks {expected!r}")
        if not self.time_tool:
            return None
        with open(mem) as f:
            return int(f.read().split()[-1])


def has_batch_mode(tovik):
    done = subprocess.run([tovik, "--help"], stdin=subprocess.DEVNULL, capture_output=True)
    return b"--batch" in done.stdout


def measure(programs, rounds, runner, progress):
    """{workload: {program: (seconds or None, peak KiB or None)}}"""
    jobs = []  # (workload label, program, command, full text, trivial text, repeats)
    results = {}
    for label, make, size, trivial, expected, needs_batch in WORKLOADS:
        results[label] = {}
        full, small = make(size), make(trivial) if trivial else None
        for name, command in programs.items():
            key = "tovik" if name.startswith("tovik") else name
            if key not in full or command is None or (needs_batch and key != "tovik"):
                continue
            if needs_batch:
                if not has_batch_mode(command[0]):
                    continue
                command = command + ["-q"]
            text = full[key]
            peak = runner.checked_peak(command, text, expected.get(key, expected.get("")))
            results[label][name] = ([], [], peak)
            jobs.append((label, name, command, text, small and small[key],
                         1 if trivial else size))
    for r in range(rounds):
        progress(f"round {r + 1} of {rounds}")
        for label, name, command, text, small_text, repeats in (jobs if r % 2 == 0 else jobs[::-1]):
            whole, base, _ = results[label][name]
            whole.append(sum(runner.run(command, text)[0] for _ in range(repeats)) / repeats)
            if small_text is not None:
                base.append(runner.run(command, small_text)[0])
    return {label: {name: (max(statistics.median(w) - (statistics.median(b) if b else 0), 1e-6),
                           peak)
                    for name, (w, b, peak) in row.items()} for label, row in results.items()}


def show_time(seconds):
    ms = seconds * 1000
    return f"{ms:,.0f} ms" if ms >= 100 else f"{ms:.1f} ms" if ms >= 1 else f"{ms:.2f} ms"


def show_cell(cell, tovik_seconds):
    if cell is None:
        return "—"
    seconds, peak = cell
    text = show_time(seconds)
    if tovik_seconds is not None:
        text += f" ({seconds / tovik_seconds:.2f}×)"
    if peak is not None:
        text += f", {peak / 1024:.1f} MiB"
    return text


def targets(res, before):
    """(target, measured, met) for each target that this run measured."""
    def t(label, name):
        cell = res[WORKLOADS[label][0]].get(name)
        return cell and cell[0]

    def peak(label, name):
        cell = res[WORKLOADS[label][0]].get(name)
        return cell and cell[1]

    def ratio(what, a, b, limit, at_most=True):
        if a and b:
            r = a / b
            return (what, f"{r:.2f}×", r <= limit if at_most else r >= limit)
        return (what, "—", None)

    rows = [
        ratio("loop: Tovik at most 1.5× Lua's time", t(0, "tovik"), t(0, "lua5.4"), 1.5),
        ratio("loop: at least 10× faster than bc -l", t(0, "bc"), t(0, "tovik"), 10, False),
        ratio("loop: at least 10× faster than python3", t(0, "python3"), t(0, "tovik"), 10, False),
        ratio("fib(27): Tovik at most 2× Lua's time", t(1, "tovik"), t(1, "lua5.4"), 2),
        ratio("piped lines: at least 2× faster than bc -l", t(2, "bc"), t(2, "tovik"), 2, False),
        ratio('count "%.15g": at least 5× faster than python3', t(3, "python3"), t(3, "tovik"), 5,
              False),
        ratio("count, default format: at least 5× faster than python3", t(4, "python3"),
              t(4, "tovik"), 5, False),
        ratio("start-up and break: no slower than bc", t(5, "tovik"), t(5, "bc"), 1),
    ]
    limit = 2 * 10**6 * 8 / 2**20 + FEW_MIB
    for label, name in ((3, '"%.15g"'), (4, "default format")):
        p = peak(label, "tovik")
        rows.append((f"count, {name}: peak at most 2,000,000 doubles + {FEW_MIB} MiB "
                     f"({limit:.1f} MiB)", "—" if p is None else f"{p / 1024:.1f} MiB",
                     None if p is None else p / 1024 <= limit))
    p = peak(5, "tovik")
    rows.append(("start-up: peak under 3 MiB", "—" if p is None else f"{p / 1024:.1f} MiB",
                 None if p is None else p / 1024 < 3))
    rows.append(ratio("batch lines: no slower than console lines", t(6, "tovik"), t(2, "tovik"), 1))
    rows.append(ratio("batch lines: no slower than bc -l", t(6, "tovik"), t(2, "bc"), 1))
    if before:
        # Within-run noise on a loaded machine is a few percent: allow 5 %.
        for label, *_ in WORKLOADS:
            now, old = res[label].get("tovik"), res[label].get("tovik before")
            if now and old:
                rows.append(ratio(f"{label}: no slower than before (5 % noise)", now[0], old[0],
                                  1.05))
                if now[1] and old[1]:
                    rows.append((f"{label}: peak no higher than before",
                                 f"{now[1] / 1024:.1f} vs {old[1] / 1024:.1f} MiB",
                                 now[1] <= old[1] * 1.02))
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tovik", nargs="?", default="build/tovik")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--before", help="an older build of Tovik to compare with")
    args = parser.parse_args()

    programs = {"tovik": [os.path.abspath(args.tovik)]}
    if args.before:
        programs["tovik before"] = [os.path.abspath(args.before)]
    peers = find_peers()
    programs.update(peers)
    missing = [name for name, command in peers.items() if command is None]
    if missing:
        print(f"not installed (shown as —): {', '.join(missing)}", file=sys.stderr)

    with tempfile.TemporaryDirectory(prefix="tovik-bench-") as folder:
        runner = Runner(folder)
        if not runner.time_tool:
            print("/usr/bin/time is missing: peak memory is not measured", file=sys.stderr)
        res = measure(programs, args.rounds, runner,
                      lambda text: print(text, file=sys.stderr, flush=True))

    shown = [c for c in programs if c != "python3 -i"]
    print(f"\nMedians of {args.rounds} alternating rounds of processor time (user + system); "
          f"(n×) = that program's time ÷ Tovik's; MiB = peak resident memory. "
          f"Load: {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores.\n")
    print("| workload | " + " | ".join(shown) + " |")
    print("|---" * (len(shown) + 1) + "|")
    for label, *_ in WORKLOADS:
        row = res[label]
        base = row.get("tovik")
        cells = []
        for name in shown:
            cell = row.get(name) or (row.get("python3 -i") if name == "python3" else None)
            cells.append(show_cell(cell, base and base[0] if name != "tovik" else None))
        print(f"| {label} | " + " | ".join(cells) + " |")
    print("\n(python3 runs the piped lines as python3 -i; a dash: not measured or not installed.)\n")
    print("| target | measured | met |")
    print("|---|---|---|")
    for what, value, met in targets(res, args.before):
        print(f"| {what} | {value} | {'—' if met is None else 'yes' if met else 'NO'} |")


if __name__ == "__main__":
    main()
