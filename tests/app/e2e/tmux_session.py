"""Drives orvano in a private tmux server and reads its screen back."""

import os
import re
import shlex
import subprocess
import time

SGR = re.compile(r"\x1b\[([0-9;:]*)m")


class Cell:
    __slots__ = ("ch", "fg", "bg")

    def __init__(self, ch, fg, bg):
        self.ch, self.fg, self.bg = ch, fg, bg


def _colour_state(params, fg, bg):
    codes = [int(p) if p else 0 for p in params.replace(":", ";").split(";")] if params else [0]
    i = 0
    while i < len(codes):
        c = codes[i]
        if c == 0:
            fg, bg = None, None
        elif 30 <= c <= 37:
            fg = c - 30
        elif 90 <= c <= 97:
            fg = c - 90 + 8
        elif 40 <= c <= 47:
            bg = c - 40
        elif 100 <= c <= 107:
            bg = c - 100 + 8
        elif c == 39:
            fg = None
        elif c == 49:
            bg = None
        elif c in (38, 48) and i + 2 < len(codes) and codes[i + 1] == 5:
            if c == 38:
                fg = codes[i + 2]
            else:
                bg = codes[i + 2]
            i += 2
        i += 1
    return fg, bg


class Session:
    def __init__(self, program, workdir, width=100, height=30, config=None):
        """`config` becomes XDG_CONFIG_HOME inside the pane, so that a test
        never reads or writes the user's own settings."""
        self.server = "orvano-e2e-%d-%d" % (os.getpid(), int(time.time() * 1000) % 100000)
        self.width, self.height = width, height
        env = dict(os.environ, TERM="tmux-256color", LANG="C.UTF-8")
        env.pop("TMUX", None)
        self.env = env
        pane_env = ["-e", "TERM=tmux-256color", "-e", "LANG=C.UTF-8"]
        if config is not None:
            pane_env += ["-e", "XDG_CONFIG_HOME=" + config]
        command = "cd %s && %s; echo ORVANO-EXIT=$?; sleep 600" % (shlex.quote(workdir), program)
        self.tmux("new-session", "-d", "-x", str(width), "-y", str(height), *pane_env, command)

    def tmux(self, *args):
        return subprocess.run(["tmux", "-L", self.server, "-f", "/dev/null"] + list(args), env=self.env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=20).stdout

    def close(self):
        subprocess.run(["tmux", "-L", self.server, "kill-server"], env=self.env, stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=20)

    def key(self, *keys, pause=0.08):
        # One key per call: the toolkit hands a whole burst to one widget.
        # Esc waits longer: a key sent right after it would reach the program
        # as one sequence, Alt and that key.
        for key in keys:
            self.tmux("send-keys", key)
            time.sleep(0.3 if key == "Escape" else pause)

    def type(self, text):
        for ch in text:
            self.tmux("send-keys", "-l", ch)
            time.sleep(0.04)

    def click(self, column, row):
        """A left click (press and release) at 1-based screen coordinates."""
        for final in ("M", "m"):
            self.tmux("send-keys", "-l", "\x1b[<0;%d;%d%s" % (column, row, final))
            time.sleep(0.08)

    def resize(self, width, height):
        """Changes the terminal's size, as a user dragging its window would."""
        self.tmux("resize-window", "-x", str(width), "-y", str(height))
        self.width, self.height = width, height

    def lines(self):
        return self.tmux("capture-pane", "-p").split("\n")[: self.height]

    def text(self):
        return "\n".join(self.lines())

    def cells(self):
        """The screen as rows of cells with their colours."""
        raw = self.tmux("capture-pane", "-p", "-e", "-N")
        fg = bg = None
        rows = []
        for line in raw.split("\n")[: self.height]:
            row = []
            pos = 0
            for match in SGR.finditer(line):
                for ch in line[pos:match.start()]:
                    row.append(Cell(ch, fg, bg))
                fg, bg = _colour_state(match.group(1), fg, bg)
                pos = match.end()
            for ch in line[pos:]:
                row.append(Cell(ch, fg, bg))
            rows.append(row)
        return rows

    def alternate_screen(self):
        return self.tmux("display-message", "-p", "#{alternate_on}").strip() == "1"

    def wait(self, predicate, what, timeout=10.0):
        deadline = time.time() + timeout
        while True:
            if predicate():
                return
            if time.time() > deadline:
                raise AssertionError("timed out waiting for %s; screen:\n%s" % (what, self.text()))
            time.sleep(0.05)

    def wait_text(self, text, timeout=10.0):
        self.wait(lambda: text in self.text(), repr(text), timeout)

    def wait_gone(self, text, timeout=10.0):
        self.wait(lambda: text not in self.text(), "%r to go" % text, timeout)
