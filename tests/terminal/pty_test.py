#!/usr/bin/env python3
"""Drives the program at a pseudo-terminal: line editing, history, completion, Ctrl-C at the
prompt and during a run, a key press that stops a run, and the end of input. Skipped (exit 77)
when no pseudo-terminal can be made."""
import os
import select
import signal
import sys
import tempfile
import time

PROMPT = b"Tovik 1.0.0.6>"
HELP_LINE = b"HELP  | Help for Tovik is in another file help.txt."


class Session:
    def __init__(self, program, cwd):
        pid, fd = os.forkpty()
        if pid == 0:
            os.chdir(cwd)
            os.execv(program, [program])
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
    session.send(b"hlp\x1b[D\x1b[De\r")
    session.expect(HELP_LINE)
    session.expect(PROMPT)
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
    session.send(b"showprog on\r")
    session.expect(b"SHOW+ | Program showing enabled.")
    session.expect(PROMPT)
    session.send(b"exec 31 l0\r")
    session.expect(b"ZORVA | Run code:")
    session.send(b"h")
    session.expect(b"Broken by user")
    session.expect(PROMPT)
    session.send(b"elp\r")
    session.expect(HELP_LINE)
    session.expect(PROMPT)
    # So does Ctrl-C, and the program goes on.
    session.send(b"exec 31 l0\r")
    session.expect(b"ZORVA | Run code:")
    session.send(b"\x03")
    session.expect(b"Broken by user")
    session.expect(PROMPT)
    time.sleep(0.2)
    # Tab completes commands, keywords and the names of global objects.
    session.send(b"def twice(x) x*2\r")
    session.expect(b"DEF   | New function twice was defined.")
    session.expect(PROMPT)
    session.send(b"wrform\t\"%g#L\"\r")
    session.expect(b"NFRMT | New format: %g#L.")
    session.expect(PROMPT)
    session.send(b"twi\t(ABS(-4))+ARGN\r")
    session.expect(b"\n8\r\n")
    session.expect(PROMPT)
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


def main():
    program = os.path.abspath(sys.argv[1])
    try:
        session = Session(program, tempfile.mkdtemp(prefix="tovik-pty-"))
    except OSError as e:
        print(f"skipped: no pseudo-terminal ({e})")
        return 77
    try:
        run(session)
    finally:
        session.kill()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
