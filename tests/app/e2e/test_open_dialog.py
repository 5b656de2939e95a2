"""The file dialog of Open, New and View: names typed or picked, the list,
the history and where it starts."""

import os

from orvano_case import OrvanoCase


class OpenDialogTest(OrvanoCase):
    def list_rows(self):
        """The names in the file list, top to bottom."""
        rows = []
        for line in self.s.lines():
            parts = line.split("\u2502")
            if len(parts) >= 4 and parts[2].startswith(" "):
                name = parts[2].strip()
                if name:
                    rows.append(name)
        return rows

    def test_open_list_shows_raw_files_of_any_case(self):
        self.open_dialog()
        screen = self.s.text()
        self.assertIn("game.raw", screen)
        self.assertIn("OTHER.RAW", screen)
        self.assertNotIn("notes.txt", screen)
        self.s.key("Escape")
        self.s.wait_gone("File name")

    def test_list_is_sorted_as_people_read_it(self):
        for name in ("tape10.raw", "Tape9.raw", "b.RAW", "A.raw"):
            self.write(name, b"\x00\x00")
        self.open_dialog()
        self.s.wait_text("tape10.raw")
        self.assertEqual(self.list_rows(),
                         ["../", "A.raw", "b.RAW", "game.raw", "OTHER.RAW", "Tape9.raw", "tape10.raw"])
        self.s.key("Escape")

    def test_cancelled_open_keeps_the_window(self):
        path = self.open_file("game.raw")
        self.open_dialog()
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.assertIn("Reading file " + path, self.s.lines()[1])
        self.assertIn("\u25a0 Reading file " + path, self.s.lines()[3])
        self.wait_decode(True)

    def test_history_button_then_escape_twice_with_a_log_window(self):
        # This used to end in a segmentation fault as the dialog was freed.
        path = self.open_file("game.raw")
        self.open_dialog()
        self.s.key("Tab")
        self.s.key("Enter")
        self.s.wait_text("History")
        self.s.key("Escape")
        self.s.wait_gone("History")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.wait_running()
        self.assertIn("Reading file " + path, self.title())
        self.exit()

    def test_history_entry_picked_then_escape(self):
        path = self.open_file("game.raw")
        self.open_dialog("F2")
        self.s.key("Tab")
        self.s.key("Enter")
        self.s.wait_text("History")
        self.s.key("Enter")
        self.s.wait_gone("History")
        self.s.wait_text(path)  # in the name line
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.wait_running()
        self.exit()

    def test_down_in_the_name_line_opens_the_history(self):
        first = self.open_file("game.raw")
        second = self.open_file("OTHER.RAW")
        self.open_dialog()
        self.s.key("Down")
        self.s.wait_text("History")
        rows = [l for l in self.s.lines() if "\u2502\u2502 " + self.dir in l]
        self.assertEqual(len(rows), 2, "\n".join(self.s.lines()))
        self.assertIn(second, rows[0], "the newest first")
        self.s.key("Down")
        self.s.key("Enter")
        self.s.wait_gone("History")
        self.s.key("Enter")
        self.s.wait(lambda: "Reading file " + first in self.title(), "the first file opened again")

    def test_a_name_that_does_not_exist_is_refused_at_once(self):
        path = self.open_file("game.raw")
        self.open_dialog()
        self.s.type("nothere.raw")
        self.s.key("Enter")
        missing = os.path.join(self.dir, "nothere.raw")
        self.s.wait_text("Error open file " + missing)
        self.s.key("Enter")
        self.s.wait_gone("Error open file")
        self.assertIn("File name", self.s.text(), "the dialog stays for another name")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.assertIn("Reading file " + path, self.title())
        self.wait_decode(True)
        # A folder is no file either, and the right name still opens.
        self.open_dialog()
        os.mkdir(os.path.join(self.dir, "folder.raw"))
        self.s.type("notes.txt")
        self.s.key("Enter")
        self.s.wait(lambda: "Reading file " + os.path.join(self.dir, "notes.txt") in self.title(), "notes.txt opened")

    def test_dialogs_start_in_the_folder_of_the_last_file(self):
        deep = self.write(os.path.join("tapes", "deep.raw"), b"\x00\x00" * 64)
        self.write(os.path.join("tapes", "source.bin"), b"\x01\x02\x03")
        self.open_file(os.path.join("tapes", "deep.raw"))
        self.open_dialog()
        self.s.wait_text(os.path.join(self.dir, "tapes"))
        self.assertIn("deep.raw", self.s.text())
        self.assertNotIn("game.raw", self.s.text())
        self.s.key("Escape")
        self.s.wait_gone("File name")
        # New starts there too, and so does the next run.
        self.open_dialog("F2")
        self.s.wait_text("source.bin")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.restart()
        self.open_dialog()
        self.s.wait_text("deep.raw")
        self.assertIn(os.path.dirname(deep), self.s.text())
        self.s.key("Escape")
