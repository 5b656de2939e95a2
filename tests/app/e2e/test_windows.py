"""The log window: closing it, replacing it, long lines, names in UTF-8,
resizes and sources that vanish."""

import os

from orvano_case import BLUE, BRIGHT_WHITE, STATUS_LINE, OrvanoCase


class LogWindowTest(OrvanoCase):
    def log_window_count(self):
        return sum(1 for line in self.s.lines() if line.startswith(" - ") and "Reading file" in line)

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

    def test_long_lines_wrap_at_80_columns(self):
        self.start(width=80, height=25)
        deep = os.path.join("a-folder-with-a-long-name", "and-one-more-folder-below-it", "the-recording-itself.raw")
        path = self.write(deep, b"\x00\x00" * 64)
        self.open_dialog()
        self.s.type(deep)
        self.s.key("Enter")
        self.wait_shown("Reading file " + path)
        first = self.s.lines()[3]
        self.assertTrue(first.startswith("\u2502 \u25a0 Reading file"), first)
        self.assertTrue(self.s.lines()[4].startswith("\u2502   "), "continued under the text: " + self.s.lines()[4])

    def test_names_in_utf8_show_as_written(self):
        name = "\u0418\u0433\u0440\u0430.raw"
        path = self.write(name, b"\x00\x00" * 64)
        self.open_dialog()
        self.s.wait_text(name)  # in the file list
        self.s.type(name)
        self.s.key("Enter")
        self.s.wait_text("Reading file " + path)
        self.assertIn(path, self.title())
        self.assertIn("\u25a0 Reading file " + path, self.s.lines()[3])
        self.wait_decode(True)
        self.run_decode("r")
        self.s.wait_text("Write to " + path[:-4] + ".MSR")
        self.assertTrue(os.path.exists(path[:-4] + ".MSR"))

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
        self.s.wait_text("Phase 1 done", timeout=90)
        self.s.wait_gone("Phase 1 decode", timeout=10)
        self.wait_running()
        self.assert_whole_screen()
        self.assertIn("Please wait...It's a very long operation", self.s.text())
        # Still working: the Open dialog comes and goes, Alt-X ends the program.
        self.open_dialog()
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.exit()

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
        self.exit()
