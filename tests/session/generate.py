"""Generates whole console sessions for the session fuzzer and the save-and-restart check.

A session is a list of runs in one folder; each run is the lines typed into one start of the
program, and may first write files into the folder. Everything is drawn from one random.Random,
so a seed reproduces a session exactly.

Every generated line ends: loops count a local that nothing else assigns, a function calls only
functions defined before it in a fixed order, and a cost budget (roughly the instructions a call
may run) caps calls and loops, so nothing waits for a key press that never comes.

It also makes the inputs that once broke the program: names and texts from typed code that a
saved line cannot carry, saves whose text and code file are one file, objects too long for a
line, count/null/graph of functions that leave no value or assign their own range variable,
runaway recursion through frames with many locals, long chains of terms and statements, FIFOs
where files are expected, and exit when the start-up file cannot be written.
"""
import random
import struct

VARS = ["a", "b", "c", "n1", "Val", "z_2", "ANS"]
# Index order is call order: a function calls only functions with a smaller index.
FUNCS = ["F", "G", "H", "Q2", "K", "_q"]
BUDGET = [30 * 4**i for i in range(len(FUNCS))]
TOP_BUDGET = 20000
NUMBERS = ["0", "1", "2", "-3", "2.5", "0.1", "1e300", "1E-300", "65536", "ffH", "101B", "777O",
           "z#36", "1e308*10", "INF", "NAN", "1/0", "PI", "E", "RND", "-0", "4294967295"]
BINOPS = ["+", "-", "*", "/", "^", "<", ">", "<=", ">=", "!=", "==", "&", "|", "~", "[", "]"]
UNARY = ["SIN", "COS", "ATAN", "ASIN", "ACOS", "LN", "E", "ABS", "FRAC", "FKT", "INF", "NAN",
         "CONST"]
LISTS = ["SUM", "AVR"]
FORMAT_PARTS = ["%G", "%g", "%.3f", "%e", "%x", "%d", "%s", "%n", "%*d", "%%", "$D", "$H", "$B",
                "$36", "$2", "#L", "#d", "#l", "#s", " ", "VALUE | ", "x=", "(", ")", "#", "$",
                "\t"]
OPER_CODES = [0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16,
              0x17, 0x18, 0x20]
STDO_CODES = [0x30, 0x31, 0x32, 0x40, 0x41, 0x42, 0x43, 0x44, 0x50, 0x51, 0x52, 0x53, 0xFE]


class Gen:
    def __init__(self, rnd, dictionary=(), corpus=(), roundtrip=False):
        self.r, self.words, self.corpus = rnd, list(dictionary), corpus
        self.roundtrip = roundtrip  # only lines whose effect a save must carry, and no READ
        self.defined = {}  # function name -> number of arguments
        # Functions whose body always leaves a value. A loop body must leave one: a form that
        # leaves none makes the loop pop the frame's locals, its counter among them, and a loop
        # whose counter reads as the error value never ends.
        self.valued = set()

    # ---- expressions -------------------------------------------------------------------------
    def expr(self, depth, scope):
        """An expression; scope: args, assignable locals, callable limit, budget [left]."""
        r = self.r
        if depth <= 0 or r.random() < 0.25:
            return self.atom(scope)
        k = r.randrange(14)
        sub = lambda: self.expr(depth - 1, scope)
        if k < 4:
            return sub() + r.choice(BINOPS) + sub()
        if k == 4:
            return r.choice(["-", "!", "+"]) + sub()
        if k == 5:
            return f"{r.choice(UNARY)}({sub()})"
        if k == 6:
            return f"{r.choice(LISTS)}({','.join(sub() for _ in range(r.randrange(1, 4)))})"
        if k == 7:
            return f"IF({sub()},{sub()},{sub()})"
        if k == 8:
            return f"DO({sub()},{sub()})"
        if k == 9 and self.writable(scope):
            return f"({r.choice(self.writable(scope))}={sub()})"
        if k == 10 and not scope.get("pure"):
            if self.roundtrip:
                return f"PRINT({sub()})"
            return r.choice([f"PRINT({sub()})", f"PRINTS({sub()})", f"PRINTC(65,{sub()})", "READ"])
        if k == 11:
            return self.call(depth, scope)
        if k == 12 and scope.get("counter") and self.spend(scope, 4):
            return self.loop(depth, scope)
        if k == 13:
            return f"({sub()})"
        return self.atom(scope)

    def atom(self, scope):
        r = self.r
        pool = list(NUMBERS) + scope.get("args", []) + scope.get("locals", [])
        if scope.get("range"):
            pool += [scope["range"]] * 6
        pool.append("ARGN")
        if not scope.get("pure"):  # forms that leave no value
            pool += ["ARGS", "PRINT()", "DO()"]
        pool += VARS[:3] + ["@(0)", "@(1)"]
        if self.words and not scope.get("pure") and r.random() < 0.1:  # words may leave none
            return r.choice(self.words)
        return r.choice(pool)

    def writable(self, scope):
        names = list(scope.get("locals", [])) + list(scope.get("args", [])) + VARS[:6]
        if scope.get("range"):
            names.append(scope["range"])
        return names

    def spend(self, scope, cost):
        cost *= scope.get("mult", 1)
        if scope["budget"][0] < cost:
            return False
        scope["budget"][0] -= cost
        return True

    def call(self, depth, scope):
        limit = scope.get("callable", len(FUNCS))
        names = [f for f in FUNCS[:limit] if f in self.defined]
        if scope.get("pure"):
            names = [f for f in names if f in self.valued]
        if not names:
            return self.atom(scope)
        f = self.r.choice(names)
        if not self.spend(scope, BUDGET[FUNCS.index(f)]):
            return self.atom(scope)
        args = [self.expr(depth - 2, scope) for _ in range(self.r.randrange(0, 4))]
        return f"{f}({','.join(args)})" if args else f

    def loop(self, depth, scope):
        """A loop of at most four turns on the counter local, which nothing else assigns."""
        i, n = scope["counter"], self.r.randrange(1, 5)
        # One loop per counter; the body leaves a value.
        inner = dict(scope, mult=scope.get("mult", 1) * n, counter=None, pure=True)
        body = self.expr(depth - 1, inner)
        if self.r.random() < 0.5:
            return f"DO({i}=0,WHILE({i}<{n},DO({i}={i}+1,{body})))"
        return f"DO({i}=0,UNTIL({i}>={n},DO({i}={i}+1,{body})))"

    # ---- definitions -------------------------------------------------------------------------
    def define(self):
        r = self.r
        idx = r.randrange(len(FUNCS))
        name = FUNCS[idx]
        args = r.sample(["X", "Y", "Z0"], r.randrange(0, 4))
        locs = r.sample(["T", "U"], r.randrange(0, 3))
        counter = "I" if r.random() < 0.6 else None
        callable_ = idx + 1 if r.random() < 0.3 else idx
        if r.random() < 0.3:
            locs.append(f"${r.choice([1, 100, 4096, 65536])}")
        # A body with a loop leaves a value everywhere: a form that leaves none, even before the
        # loop, pops the frame's locals and with them the counter.
        pure = counter is not None or r.random() < 0.5
        scope = {"args": args, "locals": locs, "counter": counter, "callable": callable_,
                 "budget": [BUDGET[idx]], "pure": pure}
        named_locals = ([counter] if counter else []) + [l for l in locs if not l.startswith("$")]
        header = args + (["$"] + named_locals if named_locals else []) + \
            [l for l in locs if l.startswith("$")]
        scope["locals"] = [l for l in locs if not l.startswith("$")]
        body = self.expr(4, scope)
        self.defined[name] = len(args)
        if pure:
            self.valued.add(name)
        elif name in self.valued:
            self.valued = set()  # functions that call it may now leave no value
        head = f"{name}({','.join(header)})" if header else name
        if r.random() < 0.15:
            return f"func {head}={body}"
        return f"def {head} {body}"

    def main_call(self):
        n = self.r.randrange(1, 4)
        scope = {"args": ["@0"], "locals": [f"$({i})" for i in range(n)], "budget": [TOP_BUDGET]}
        body = self.expr(3, scope)
        return f"MAIN({body},{self.expr(2, {'budget': [TOP_BUDGET]})},N${n})"

    def recursion(self):
        """Self-recursion that runs into the frame bound: it ends with a run error."""
        return ["def R0(A) R0(A+1)", "R0(1)"]

    # ---- typed code --------------------------------------------------------------------------
    def name_for_code(self):
        if self.r.random() < 0.3:
            return self.r.choice(["", " ", "1+1", "a\nb", "wrformat", "x y", "\t", "#"])
        return self.r.choice(VARS[:6] + FUNCS)

    def text_for_code(self, name):
        text = f"{name} {self.expr(2, {'budget': [100], 'pure': True})}"
        if self.r.random() < 0.3:
            text += "\nwrformat \"PWNED#L\""
        return text

    def code_items(self):
        """A few straight-line instructions (no jumps, so typed code always ends)."""
        r, items = self.r, []
        for _ in range(r.randrange(1, 4)):
            k = r.randrange(8)
            value = ("d", r.choice([0.0, 1.5, -2.0, 1e300, float("inf"), 7.0]))
            if k == 0:
                items += [0x00, value, 0x14, ("q", self.name_for_code()), 0]
            elif k == 1:
                items += [0x00, value, 0x00, value, 0x10, r.choice(OPER_CODES)]
            elif k == 2:
                name = self.name_for_code()
                body = [0x00, value, 0x12]
                text = self.text_for_code(name)
                if self.roundtrip:  # a function's text, and code that is not a plain value
                    body = [0x00, value, 0x24, 0x00, value, 0x12]
                    text = f"{name}(X) X*{r.choice(NUMBERS)}"
                items += [0x15, ("q", name), 0, ("l", len(self.as_bytes(body))), *body, ("q", text),
                          0]
            elif k == 3:
                items += [0x22, ("q", r.choice(["hello", "a b", "%d"])), 0]
            elif k == 4 and not self.roundtrip:
                items += [0x21, ("q", r.choice(["list", "what F", "2+2", "stkstep 3"])), 0]
            elif k == 5:
                items += [0x00, value, 0x50, r.choice(STDO_CODES)]
            elif k == 6 and not self.roundtrip:
                items += [0x20, ("q", self.name_for_code()), 0]
            else:
                items += [0x00, value, 0x23]
        return items

    @staticmethod
    def as_exec(items):
        """The exec text of the items: quoted runs of plain characters, hex for the rest."""
        out = []
        for it in items:
            if isinstance(it, int):
                out.append(f"{it:02X}")
            elif it[0] == "l":
                out.append(f"l{it[1]} ")
            elif it[0] == "d":
                out.append(" ".join(f"{b:02X}" for b in struct.pack("<d", it[1])))
            else:
                run = ""
                for ch in it[1]:
                    if ch.isalnum() and ch not in "ls" or ch in "+-*/()=# ,.|%_":
                        run += ch
                    else:
                        out.append(f"'{run}'" if run else "")
                        run = ""
                        out.append(f"{ord(ch):02X}")
                out.append(f"'{run}'" if run else "")
        return " ".join(o for o in out if o)

    @staticmethod
    def as_bytes(items):
        out = bytearray()
        for it in items:
            if isinstance(it, int):
                out.append(it)
            elif it[0] == "l":
                out += struct.pack("<i", it[1])
            elif it[0] == "d":
                out += struct.pack("<d", it[1])
            else:
                out += it[1].encode("latin-1")
        return bytes(out)

    # ---- lines -------------------------------------------------------------------------------
    def setting(self):
        r = self.r
        fmt = "".join(r.choice(FORMAT_PARTS) for _ in range(r.randrange(1, 6)))
        return r.choice([
            f'wrformat "{fmt}"', f'countformat "{fmt}"', "wrformat", "countformat",
            f"graph size {r.randrange(-5, 900)} {r.randrange(-5, 700)}", "graph size",
            f"stkstep {r.choice([1, 2, 3, 7, 1024, 0, -1, 'abc'])}", "stkstep",
            f"savecode {r.choice(['on', 'off', 'ON'])}", f"showprog {r.choice(['on', 'off'])}",
            f"unknown {r.choice(['NAN', 'warning', 'break', 'nan'])}",
            f"autoload {r.choice(['al.txt', 'cmd.txt', '/null'])}", "autoload", "help"])

    def line(self, files):
        r = self.r
        top = {"budget": [TOP_BUDGET]}
        k = r.randrange(22)
        if k < 4:
            return self.define()
        if k < 7:
            return self.expr(4, top)
        if k == 7:
            return f"{r.choice(VARS[:6])} = {self.expr(3, top)}"
        if k == 8:
            return f"set {r.choice(VARS[:6])} {self.expr(3, top)}"
        if k == 9:
            return self.main_call()
        if k == 10:
            return "exec " + self.as_exec(self.code_items())
        if k == 11:
            return r.choice(["what", "try"]) + " " + r.choice(
                FUNCS + VARS + ["SIN", self.expr(2, {"budget": [200], "pure": True})])
        if k == 12:
            return r.choice(["list", "clnmem", f"del {r.choice(FUNCS + VARS)} {r.choice(VARS)}"])
        if k == 13:
            return self.analysis()
        if k in (14, 15):
            return self.setting()
        if k == 16 and files:
            cmd = r.choice(["open", "runmath", "runcode", "whatcode"])
            return f"{cmd} {r.choice(sorted(files))}"
        if k == 17:
            name = r.choice(["s.txt", "t.txt", "Tovik.txt", "sub dir/x.txt", "."])
            name = r.choice([name, "a.dat", "s.dat"])
            return f'save "{name}"'
        if k == 18 and self.corpus:
            return r.choice(r.choice(self.corpus))
        if k == 19 and r.random() < 0.3:
            return r.choice(self.recursion())
        return self.expr(2, top)

    def analysis(self):
        r = self.r
        scope = {"range": "x", "budget": [300], "callable": len(FUNCS)}
        f = self.expr(3, scope)
        lo, hi = r.choice([(-1, 1), (0, 5), (-10, 10), (1, 1), (5, -5), (0, 1e-300)])
        rng = r.choice(["", "x", f"x({hi})", f"x({lo},{hi})", f"x({lo},{hi},{r.randrange(1, 60)})"])
        return f"{r.choice(['count', 'null', 'graph'])} {f} {rng}".rstrip()

    def files(self):
        """Files written into the folder before a run: commands, a math file and a code file."""
        r, out = self.r, {}
        if r.random() < 0.5:
            out["cmd.txt"] = "\n".join(self.line({}) for _ in range(r.randrange(1, 5))).encode()
        if r.random() < 0.5:
            n = 2500 if r.random() < 0.2 else r.randrange(1, 6)
            stmts = [self.expr(2, {"budget": [500]}).replace("READ", "1") for _ in range(n)]
            out["m.txt"] = (";\n".join(stmts) + " // end\n").encode()
        if r.random() < 0.5:
            items = self.code_items()
            if r.random() < 0.3:
                text = "F " + "+".join(["1"] * 6000)
                items += [0x15, ("q", "F"), 0, ("l", 10), 0x00, ("d", 1.0), 0x12, ("q", text), 0]
            out["c.dat"] = self.as_bytes(items)
        if r.random() < 0.1:
            out[r.choice(["Tovik.txt", "cmd.txt", "al.txt"])] = None  # a FIFO
        if r.random() < 0.1:
            out["Tovik.txt"] = "dir"  # a folder: exit cannot save
        return out

    def session(self):
        """[(files, lines, end)] where end is 'exit', 'break' or 'eof'."""
        runs, files = [], {}
        for _ in range(self.r.randrange(1, 4)):
            new = self.files()
            files.update(new)
            lines = [self.line(files) for _ in range(self.r.randrange(3, 25))]
            end = self.r.choices(["exit", "break", "eof"], [6, 2, 2])[0]
            runs.append((new, lines, end))
        return runs
