#!/usr/bin/env python3
"""Drives the program at a pseudo-terminal: line editing, history (also kept from one run to the
next), completion, Ctrl-C at the prompt and during a run, a key press that stops a run, pasted
lines that are not taken for a key press, and the end of input. Skipped (exit 77) when no
pseudo-terminal can be made."""
import os
import stat
import subprocess
import select
import signal
import sys
import tempfile
import time

PROMPT = b"Tovik 1.0.0.6>"
HELP_LINE = b"HELP  | Help for Tovik is in another file help.txt."


class Session:
    def __init__(self, program, cwd, env):
        pid, fd = os.forkpty()
        if pid == 0:
            os.chdir(cwd)
            os.execve(program, [program], env)
        self.pid, self.fd, self.output, self.pos = pid, fd, b"", 0

    def expect(self, marker, timeout=10):
        """Waits until `marker` appears after everything expected so far, and moves past it."""
        end = time.time() + timeout
        while self.output.find(marker, self.pos) < 0:
            ready, _, _ = select.select([self.fd], [], [], max(0, end - time.time()))
            if not ready:
                raise AssertionError(f"timed out waiting for {marker!r}; "
                                     f"after {self.output[:self.pos]!r} came {self.output[self.pos:]!r}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                raise AssertionError(f"program ended early; got {self.output!r}")
            self.output += chunk
        self.pos = self.output.find(marker, self.pos) + len(marker)
        return self.output[:self.pos]

    def send(self, data):
        os.write(self.fd, data)

    def line(self, text, reply, timeout=10):
        """Types `text`, waits for `reply` and then for the next prompt."""
        self.send(text)
        self.expect(reply, timeout)
        self.expect(PROMPT)

    def key_stops(self, message):
        """A key pressed while a line runs stops it with `message`; the key is not lost, it
        starts the next line."""
        self.send(b"h")
        self.expect(message)
        self.expect(PROMPT)
        self.line(b"elp\r", HELP_LINE)

    def send_control(self, data):
        """Control characters typed before the line editor has taken the terminal would be
        handled by the terminal itself, so give it a moment after the prompt."""
        time.sleep(0.3)
        os.write(self.fd, data)

    def wait(self, timeout=10):
        end = time.time() + timeout
        while time.time() < end:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return os.waitstatus_to_exitcode(status)
            time.sleep(0.05)
        raise TimeoutError

    def kill(self):
        try:
            os.kill(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def run(session):
    session.expect(PROMPT)
    # Editing: type "hlp", go back and put the missing letter in.
    session.line(b"hlp\x1b[D\x1b[De\r", HELP_LINE)
    # Ctrl-C abandons the typed line and the program goes on.
    session.send(b"showprog on")
    session.send_control(b"\x03")
    session.expect(PROMPT)
    # History: the up arrow brings back the last line.
    session.send(b"\x1b[A\r")
    before = session.expect(HELP_LINE)
    assert b"SHOW+" not in before, before
    session.expect(PROMPT)
    # A key press stops a running loop; the key is not lost, it starts the next line. The
    # listing shows that the loop has started.
    session.line(b"showprog on\r", b"SHOW+ | Program showing enabled.")
    session.send(b"exec 31 l0\r")
    session.expect(b"ZORVA | Run code:")
    session.key_stops(b"Broken by user")
    # So does Ctrl-C, and the program goes on.
    session.send(b"exec 31 l0\r")
    session.expect(b"ZORVA | Run code:")
    session.send(b"\x03")
    session.expect(b"Broken by user")
    session.expect(PROMPT)
    time.sleep(0.2)
    session.send(b"showprog off\r")
    session.expect(PROMPT)
    # Pasted lines are input for the lines after them, not a key press: every value is defined.
    start = session.pos
    session.send(b"a=1\rb=2\rc=a+b\r")
    session.expect(b"VALUE | 3\r\n")
    assert b"Broken" not in session.output[start:], session.output[start:]
    session.expect(PROMPT)
    # A paste that arrives in two chunks while its first line still runs is one paste too.
    start = session.pos
    session.send(b"def L(N,$,I) DO(I=0,WHILE(I<N,I=I+1),I)\rL(30000000)\rd=")
    time.sleep(0.4)
    session.send(b"7\rd+1\r")
    session.expect(b"VALUE | 8\r\n", timeout=60)
    assert b"Broken" not in session.output[start:], session.output[start:]
    session.expect(PROMPT)
    # A key pressed during an endless loop stops it and starts the next line.
    session.send(b"WHILE(1,1)\r")
    time.sleep(1.5)
    session.key_stops(b"Broken by user")
    # A key stops a long count table after the line being printed, and starts the next line.
    session.send(b"count x x(0,1,1000000)\r")
    session.expect(b" -> ")
    session.key_stops(b"BREAK | Printing is broken by user.")
    # Tab completes commands, keywords and the names of global objects.
    session.line(b"def twice(x) x*2\r", b"DEF   | New function twice was defined.")
    session.line(b"wrform\t\"%g#L\"\r", b"NFRMT | New format: %g#L.")
    session.line(b"twi\t(ABS(-4))+ARGN\r", b"\n8\r\n")
    # READ takes 254 characters of its line; the rest, the byte it looked at included, is the
    # next console line.
    session.send(b"READ*9+0\r")
    session.send(b"0" * 253 + b"1" + b"20+3\r")
    session.expect(b"\n9\r\n")
    session.expect(b"\n23\r\n")
    session.expect(PROMPT)
    session.line(b"help\r", HELP_LINE)
    # The end of input at an empty line ends the program.
    for _ in range(5):
        session.send_control(b"\x04")
        try:
            status = session.wait(timeout=2)
            break
        except TimeoutError:
            continue
    else:
        raise AssertionError(f"program did not end; got {session.output!r}")
    assert status == 0, status


def end_session(session):
    session.send(b"help\r")
    session.expect(PROMPT)
    session.send_control(b"\x04")
    assert session.wait() == 0


def check_history(program, folder, env):
    """The typed lines outlive the run in a file only its owner may read, and come back in the
    next run; a piped run keeps none, and a history that cannot be kept only warns, once."""
    history = os.path.join(env["XDG_STATE_HOME"], "tovik", "history")
    with open(history) as f:
        lines = f.read().split("\n")
    assert "c=a+b" in lines and lines[-2:] == ["help", ""], lines
    assert stat.S_IMODE(os.stat(history).st_mode) == 0o600
    assert stat.S_IMODE(os.stat(os.path.dirname(history)).st_mode) == 0o700
    session = Session(program, folder, env)
    try:
        session.expect(PROMPT)
        session.send(b"\x1b[A\r")  # the last line of the run before
        session.expect(HELP_LINE)
        end_session(session)
    finally:
        session.kill()
    piped_env = dict(env, XDG_STATE_HOME=os.path.join(folder, "piped"))
    subprocess.run([program], input=b"1+1\n", cwd=folder, env=piped_env, capture_output=True)
    assert not os.path.exists(piped_env["XDG_STATE_HOME"])
    broken_env = dict(env, XDG_STATE_HOME=history)  # a file where a folder should be
    session = Session(program, folder, broken_env)
    try:
        session.expect(PROMPT)
        session.send(b"1+1\r")
        end_session(session)
        assert session.output.count(b"WARN  | History file") == 1, session.output
    finally:
        session.kill()


def main():
    program = os.path.abspath(sys.argv[1])
    folder = tempfile.mkdtemp(prefix="tovik-pty-")
    env = dict(os.environ, XDG_STATE_HOME=os.path.join(folder, "state"))
    try:
        session = Session(program, folder, env)
    except OSError as e:
        print(f"skipped: no pseudo-terminal ({e})")
        return 77
    try:
        run(session)
    finally:
        session.kill()
    check_history(program, folder, env)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
