"""What every terminal test shares: a fresh folder with a few recordings, a
settings folder of its own, and orvano running in a private tmux server."""

import os
import shutil
import tempfile
import unittest

from tmux_session import Session

PROGRAM = None  # set by orvano_e2e.py
MENU_BAR = " File  Decode  Window  Help"
STATUS_LINE = " F1 Help  F2 New  F3 Open  F9 Tape  F10 Menu  Alt-X Exit"
BLACK, BLUE, LIGHT_GREY, DARK_GREY, BRIGHT_WHITE = 0, 4, 7, 8, 15


def tool(name):
    """A program built beside orvano: the command line, or a test helper."""
    build = os.path.dirname(os.path.dirname(PROGRAM))
    return {"orvano-cli": os.path.join(build, "cli", "orvano-cli"),
            "table_window_demo": os.path.join(build, "tests", "app", "table_window_demo")}[name]


class OrvanoCase(unittest.TestCase):
    WIDTH, HEIGHT = 100, 30
    FILES = ("game.raw", "OTHER.RAW", "notes.txt")

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="orvano-e2e-")
        self.config = tempfile.mkdtemp(prefix="orvano-e2e-config-")
        for name in self.FILES:
            self.write(name, b"\x00\x00" * 64)
        self.s = None
        self.start()

    def tearDown(self):
        if self.s is not None:
            self.s.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.rmtree(self.config, ignore_errors=True)

    def start(self, program=None, width=None, height=None, ready="Alt-X Exit"):
        if self.s is not None:
            self.s.close()
        self.s = Session(program or PROGRAM, self.dir, width or self.WIDTH, height or self.HEIGHT, config=self.config)
        self.s.wait_text(ready)

    def restart(self):
        """Ends the program as a user does and starts it again."""
        self.s.key("M-x")
        self.s.wait_text("ORVANO-EXIT=0")
        self.start()

    def write(self, name, data):
        path = os.path.join(self.dir, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        return path

    # What the screen tells.
    def menu_title_colour(self, title):
        row = self.s.cells()[0]
        text = "".join(c.ch for c in row)
        return row[text.index(title) + 1].fg  # the first letter is the hot one

    def decode_enabled(self):
        return self.menu_title_colour("Decode") == BLACK

    def wait_decode(self, enabled):
        self.s.wait(lambda: self.decode_enabled() == enabled, "Decode %s" % ("enabled" if enabled else "grey"))

    def title(self):
        """The title bar of the window on top: the row under the menu bar."""
        return self.s.lines()[1].strip(" -")

    def screen_text(self):
        """The screen without the frames' and scroll bars' glyphs, rows
        joined, so that a wrapped line can be found whole."""
        rows = []
        for line in self.s.lines():
            rows.append(line.strip(" \u2502\u25b2\u25bc"))
        return "".join(rows)

    def shows(self, text):
        """True when the text is on the screen, also when it is wrapped over
        rows; blanks do not count, as a row may break at one."""
        return text.replace(" ", "") in self.screen_text().replace(" ", "")

    def wait_shown(self, text, timeout=10.0):
        self.s.wait(lambda: self.shows(text), repr(text) + " (maybe wrapped)", timeout)

    def wait_running(self):
        self.s.wait(lambda: self.s.lines()[-1].startswith(STATUS_LINE), "the program, still running")

    def assert_whole_screen(self):
        """Menu bar on the first row and status line on the last, at the current size."""
        lines = self.s.lines()
        self.assertEqual(len(lines), self.s.height)
        self.assertTrue(lines[0].startswith(MENU_BAR), lines[0])
        self.assertTrue(lines[-1].startswith(STATUS_LINE), lines[-1])

    # What a user does.
    def open_dialog(self, key="F3"):
        self.s.key(key)
        self.s.wait_text("File name")

    def open_file(self, name):
        self.open_dialog()
        self.s.type(name)
        self.s.key("Enter")
        path = os.path.join(self.dir, name) if not name.startswith("/") else name
        self.s.wait_text("Reading file " + path)
        return path

    def run_decode(self, hot_key):
        self.s.key("M-d")
        self.s.wait_text("Raw recode")
        self.s.key(hot_key)

    def open_options(self):
        self.s.key("M-f")
        self.s.wait_text("Options")
        self.s.key("p")
        self.s.wait_text("LoadAddr = ")

    def exit(self):
        self.s.key("M-x")
        self.s.wait_text("ORVANO-EXIT=0")
