#!/usr/bin/env python3
"""Drives the program at a pseudo-terminal: line editing, history, Ctrl-C at the prompt and the
end of input. Skipped (exit 77) when no pseudo-terminal can be made."""
import os
import select
import sys
import tempfile
import time

PROMPT = b"Tovik 1.0.0.6>"


class Session:
    def __init__(self, program, cwd):
        pid, fd = os.forkpty()
        if pid == 0:
            os.chdir(cwd)
            os.execv(program, [program])
        self.pid, self.fd, self.output = pid, fd, b""

    def read_until(self, marker, count=1, timeout=10):
        end = time.time() + timeout
        while self.output.count(marker) < count:
            ready, _, _ = select.select([self.fd], [], [], max(0, end - time.time()))
            if not ready:
                raise AssertionError(f"timed out waiting for {marker!r}; got {self.output!r}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                raise AssertionError(f"program ended early; got {self.output!r}")
            self.output += chunk

    def send(self, data):
        os.write(self.fd, data)

    def wait(self):
        _, status = os.waitpid(self.pid, 0)
        return os.waitstatus_to_exitcode(status)


def main():
    program = os.path.abspath(sys.argv[1])
    try:
        session = Session(program, tempfile.mkdtemp(prefix="tovik-pty-"))
    except OSError as e:
        print(f"skipped: no pseudo-terminal ({e})")
        return 77
    help_line = b"HELP  | Help for Tovik is in another file help.txt."
    session.read_until(PROMPT)
    # Editing: type "hlp", go back and put the missing letter in.
    session.send(b"hlp\x1b[D\x1b[De\r")
    session.read_until(help_line)
    session.read_until(PROMPT, 2)
    # Ctrl-C abandons the typed line and the program goes on.
    session.send(b"showprog on\x03")
    session.read_until(PROMPT, 3)
    # History: the up arrow brings back the last line.
    session.send(b"\x1b[A\r")
    session.read_until(help_line, 2)
    session.read_until(PROMPT, 4)
    assert b"SHOW+" not in session.output, session.output
    # A key press stops a running loop; the key is not lost, it starts the next line.
    session.send(b"exec 31 l0\r")
    time.sleep(1.5)
    session.send(b"h")
    session.read_until(b"Broken by user")
    session.read_until(PROMPT, 5)
    session.send(b"elp\r")
    session.read_until(help_line, 3)
    session.read_until(PROMPT, 6)
    # So does Ctrl-C, and the program goes on.
    session.send(b"exec 31 l0\r")
    time.sleep(1.5)
    session.send(b"\x03")
    session.read_until(b"Broken by user", 2)
    session.read_until(PROMPT, 7)
    session.send(b"\x04")
    status = session.wait()
    assert status == 0, status
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
