"""The window of a results table, shown by the test helper table_window_demo
through the text UI's reporter as an operation would report one."""

from orvano_case import OrvanoCase, tool


class TableWindowTest(OrvanoCase):
    WIDTH, HEIGHT = 80, 25

    def start(self, program=None, width=None, height=None, ready=None):
        # The helper instead of orvano.
        super().start(tool("table_window_demo"), width, height, ready="Files on the tape")

    def row_numbers(self):
        numbers = []
        for line in self.s.lines():
            cells = line.strip("\u2502 \u25b2\u25bc").split()
            if len(cells) >= 4 and cells[0].isdigit() and cells[1].startswith("FILE"):
                numbers.append(int(cells[0]))
        return numbers

    def wait_first_row(self, number):
        self.s.wait(lambda: self.row_numbers()[:1] == [number], "row %d on top" % number)

    def test_headings_stay_aligned_while_rows_scroll(self):
        self.s.wait_text("Files on the tape")
        heading = next(l for l in self.s.lines() if "Name" in l and "Status" in l)
        self.assertIn("#  Name    Type    Bytes  Status", heading)
        row = next(l for l in self.s.lines() if "FILE7 " in l)
        self.assertIn(" 7  FILE7   BASIC     259  checksum error", row)
        self.assertEqual(self.row_numbers()[0], 1)
        shown = len(self.row_numbers())
        self.assertLess(shown, 40, "more rows than the window holds")
        # A page moves by one row less than the window shows.
        for key, first in (("Down", 2), ("NPage", 2 + shown - 1), ("End", 40 - shown + 1), ("Up", 40 - shown),
                           ("PPage", 40 - 2 * shown + 1), ("Home", 1)):
            self.s.key(key)
            self.wait_first_row(first)
            self.assertIn("Name", self.s.text(), "the headings stay")
        # The wheel scrolls three rows, over the rows or over the scroll bar.
        row_y = next(i for i, l in enumerate(self.s.lines()) if "FILE1 " in l) + 1
        self.s.tmux("send-keys", "-l", "\x1b[<65;20;%dM" % row_y)
        self.wait_first_row(4)
        self.s.tmux("send-keys", "-l", "\x1b[<64;20;%dM" % row_y)
        self.wait_first_row(1)
        self.s.key("Escape")
        self.s.wait_text("TABLE CLOSED")
