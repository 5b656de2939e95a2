"""End-to-end tests of orvano in a real terminal (tmux), as a user drives it.

Usage: orvano_e2e.py PATH_TO_ORVANO
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from tmux_session import Session

PROGRAM = None
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples", "source")
MENU_BAR = " File  Decode  Window  Help"
STATUS_LINE = " F2 New  F3 Open  Alt-X Exit"
BLACK, BLUE, LIGHT_GREY, DARK_GREY, BRIGHT_WHITE = 0, 4, 7, 8, 15


class OrvanoTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="orvano-e2e-")
        for name in ("game.raw", "OTHER.RAW", "notes.txt"):
            with open(os.path.join(self.dir, name), "wb") as f:
                f.write(b"\x00\x00" * 64)
        self.s = Session(PROGRAM, self.dir)
        self.s.wait_text(STATUS_LINE)

    def tearDown(self):
        self.s.close()
        shutil.rmtree(self.dir, ignore_errors=True)

    # What the screen tells.
    def menu_title_colour(self, title):
        row = self.s.cells()[0]
        text = "".join(c.ch for c in row)
        return row[text.index(title) + 1].fg  # the first letter is the hot one

    def decode_enabled(self):
        return self.menu_title_colour("Decode") == BLACK

    def wait_decode(self, enabled):
        self.s.wait(lambda: self.decode_enabled() == enabled, "Decode %s" % ("enabled" if enabled else "grey"))

    def open_file(self, name):
        self.s.key("F3")
        self.s.wait_text("File name")
        self.s.type(name)
        self.s.key("Enter")
        path = os.path.join(self.dir, name) if not name.startswith("/") else name
        self.s.wait_text("Reading file " + path)
        return path

    def log_window_count(self):
        return sum(1 for line in self.s.lines() if line.startswith(" - ") and "Reading file" in line)

    # The cases.
    def test_first_screen(self):
        lines = self.s.lines()
        self.assertTrue(lines[0].startswith(MENU_BAR))
        self.assertEqual(lines[-1].rstrip(), STATUS_LINE)
        self.assertFalse(self.decode_enabled())
        self.assertEqual(self.menu_title_colour("File"), BLACK)

    def test_about_box_is_centred(self):
        self.s.key("F1")
        self.s.wait_text("Orvano v2.3.1")
        line = next(l for l in self.s.lines() if "Orvano v2.3.1" in l)
        inside = line[line.index("\u2502") + 1: line.rindex("\u2502")]
        left = len(inside) - len(inside.lstrip())
        right = len(inside) - len(inside.rstrip())
        self.assertLessEqual(abs(left - right), 1, line)
        self.s.key("Enter")
        self.s.wait_gone("Orvano v2.3.1")

    def test_open_typed_path(self):
        path = self.open_file("game.raw")
        lines = self.s.lines()
        self.assertIn("Reading file " + path, lines[1])  # the title
        first = lines[3]
        self.assertTrue(first.startswith("\u2502 \u25a0 Reading file " + path), first)
        bullet = self.s.cells()[3][2]
        self.assertEqual((bullet.ch, bullet.fg, bullet.bg), ("\u25a0", BRIGHT_WHITE, BLUE))
        self.wait_decode(True)

    def test_alt_f3_greys_decode(self):
        self.open_file("game.raw")
        self.wait_decode(True)
        self.s.key("M-F3")
        self.s.wait_gone("Reading file")
        self.wait_decode(False)

    def test_close_icon_greys_decode(self):
        self.open_file("game.raw")
        self.wait_decode(True)
        self.s.click(2, 2)
        self.s.wait_gone("Reading file")
        self.wait_decode(False)

    def test_window_close_all_greys_decode(self):
        self.open_file("game.raw")
        self.s.key("M-w")
        self.s.wait_text("Close all")
        self.s.key("o")
        self.s.wait_gone("Reading file")
        self.wait_decode(False)

    def test_open_twice_keeps_one_window(self):
        first = self.open_file("game.raw")
        second = self.open_file("OTHER.RAW")
        self.assertEqual(self.log_window_count(), 1)
        self.assertNotIn(first, self.s.text())
        self.assertIn("Reading file " + second, self.s.lines()[1])
        self.wait_decode(True)

    def test_cancelled_open_keeps_the_window(self):
        path = self.open_file("game.raw")
        self.s.key("F3")
        self.s.wait_text("File name")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.assertIn("Reading file " + path, self.s.lines()[1])
        self.assertIn("\u25a0 Reading file " + path, self.s.lines()[3])
        self.wait_decode(True)

    def test_open_list_shows_raw_files_of_any_case(self):
        self.s.key("F3")
        self.s.wait_text("File name")
        screen = self.s.text()
        self.assertIn("game.raw", screen)
        self.assertIn("OTHER.RAW", screen)
        self.assertNotIn("notes.txt", screen)
        self.s.key("Escape")
        self.s.wait_gone("File name")

    def open_options(self):
        self.s.key("M-f")
        self.s.wait_text("Options")
        self.s.key("p")
        self.s.wait_text("LoadAddr = ")

    def address_fields(self):
        lines = self.s.lines()
        load = next(l for l in lines if "LoadAddr = " in l)
        start = next(l for l in lines if "StartAddr = " in l)
        return load.split("=")[1].split()[0], start.split("=")[1].split()[0]

    def test_options_round_trip(self):
        self.open_options()
        self.assertEqual(self.address_fields(), ("0x9000", "0x9000"))
        self.s.type("0xc000")
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual(self.address_fields(), ("0xC000", "0x9000"))
        # Edited, then Esc: nothing changes.
        self.s.type("1234")
        self.s.key("Escape")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual(self.address_fields(), ("0xC000", "0x9000"))
        self.s.key("Escape")
        self.s.wait_gone("LoadAddr = ")

    def test_options_refuses_a_text_that_is_no_number(self):
        self.open_options()
        self.s.key("Tab")
        self.s.type("zz")
        self.s.key("Enter")
        self.s.wait_text("StartAddr is not a number")
        self.s.key("Enter")
        self.s.wait_gone("StartAddr is not a number")
        self.assertIn("StartAddr = ", self.s.text())  # still open
        self.s.type("0x100")
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual(self.address_fields(), ("0x9000", "0x0100"))
        self.s.key("Escape")

    def run_decode(self, hot_key):
        self.s.key("M-d")
        self.s.wait_text("Raw recode")
        self.s.key(hot_key)

    def assert_whole_screen(self):
        """Menu bar on the first row and status line on the last, at the current size."""
        lines = self.s.lines()
        self.assertEqual(len(lines), self.s.height)
        self.assertTrue(lines[0].startswith(MENU_BAR), lines[0])
        self.assertTrue(lines[-1].startswith(STATUS_LINE), lines[-1])

    def test_terminal_resized_during_an_operation(self):
        path = self.open_file("game.raw")
        # Phase 1 reads a large sample file made sparse: long enough to resize
        # the terminal twice while the progress window is up.
        msr = os.path.splitext(path)[0] + ".MSR"
        with open(msr, "wb") as f:
            f.truncate(2 << 30)
        self.run_decode("1")
        self.s.wait_text("Phase 1 decode")
        self.s.resize(80, 24)
        self.s.resize(120, 40)
        self.s.wait(lambda: os.path.exists(os.path.splitext(path)[0] + ".TX1"), "the cycle file", timeout=90)
        self.s.wait_gone("Phase 1 decode", timeout=10)
        self.s.wait(lambda: self.s.lines()[-1].startswith(STATUS_LINE), "the status line at the bottom")
        self.assert_whole_screen()
        self.assertIn("Please wait...It's a very long operation", self.s.text())
        # Still working: the Open dialog comes and goes, Alt-X ends the program.
        self.s.key("F3")
        self.s.wait_text("File name")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.s.key("M-x")
        self.s.wait_text("ORVANO-EXIT=0")

    def test_source_deleted_after_open(self):
        path = self.open_file("game.raw")
        os.remove(path)
        self.run_decode("r")
        self.s.wait_text("Error open file " + path)
        # Phase 1 finds no recoded file either.
        self.run_decode("1")
        self.s.wait_text("Error open file " + os.path.splitext(path)[0] + ".MSR")
        self.assertEqual(sorted(os.listdir(self.dir)), ["OTHER.RAW", "notes.txt"])
        self.assert_whole_screen()
        self.s.key("M-x")
        self.s.wait_text("ORVANO-EXIT=0")

    def test_alt_x_restores_the_terminal(self):
        self.s.wait(self.s.alternate_screen, "the alternate screen")
        self.s.key("M-x")
        self.s.wait_text("ORVANO-EXIT=0")
        self.assertFalse(self.s.alternate_screen())
        self.assertNotIn("Alt-X Exit", self.s.text())

    def test_decode_menu_from_recording_to_listing(self):
        # The demo tape, made by the encoder, read back by every Decode item
        # in menu order: an item wired to the wrong step breaks the chain.
        cli = os.path.join(os.path.dirname(os.path.dirname(PROGRAM)), "cli", "orvano-cli")
        shutil.copy(os.path.join(EXAMPLES, "DEMO.CAS"), self.dir)
        subprocess.run([cli, "encode", os.path.join(self.dir, "DEMO.CAS")], check=True, stdout=subprocess.DEVNULL)
        path = self.open_file("DEMO.RAW")
        base = os.path.splitext(path)[0]
        for hot_key, done in (("r", "You can rename *.MSR file to *.RAW file"), ("1", base + ".TX1"),
                              ("2", base + ".TX2"), ("c", "create successfully!!!"),
                              ("b", "BAS file " + base + ".BAS create successfully!!!")):
            self.run_decode(hot_key)
            if done.startswith("/"):
                # Phase 1 and 2 end without a line; their output appears whole when they are done.
                self.s.wait(lambda: os.path.exists(done), done, timeout=30)
            else:
                self.s.wait_text(done, timeout=30)
        with open(base + ".BAS", "rb") as listing, open(os.path.join(EXAMPLES, "DEMO.BAS"), "rb") as expected:
            self.assertEqual(listing.read(), expected.read())

    def test_file_exit(self):
        self.s.key("M-f")
        # "Exit" alone is also on the status line; wait for the menu item.
        self.s.wait_text("Exit     Alt-X")
        self.s.key("x")
        self.s.wait_text("ORVANO-EXIT=0")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
