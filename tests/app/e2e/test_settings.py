"""The options and the history from one run to the next, and a settings
file that is damaged."""

import os

from orvano_case import OrvanoCase


class SettingsTest(OrvanoCase):
    def settings_file(self):
        return os.path.join(self.config, "orvano", "settings")

    def test_options_and_history_last(self):
        path = self.open_file("game.raw")
        self.open_options()
        self.s.type("0xc000")
        # Write wave, then 2400 baud; slowly, so that each key reaches the
        # field the one before moved to.
        self.s.key("Tab", "Tab", "Space", "Tab", "Right", pause=0.25)
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.restart()
        self.open_options()
        line = next(l for l in self.s.lines() if "LoadAddr = " in l)
        self.assertIn("0xC000", line)
        self.assertIn("(\u2022) 2400", self.s.text())
        self.s.key("Escape")
        self.s.wait_gone("LoadAddr = ")
        self.open_dialog()
        self.s.key("Down")
        self.s.wait_text(path)
        self.s.key("Escape")
        with open(self.settings_file()) as f:
            text = f.read()
        self.assertIn("load-address = 0xC000", text)
        self.assertIn("write-wave = yes", text)
        self.assertIn("history = " + path, text)

    def test_a_damaged_file_is_told_once_and_the_defaults_are_used(self):
        os.makedirs(os.path.dirname(self.settings_file()))
        with open(self.settings_file(), "w") as f:
            f.write("load-address = 0xC000\nbaud = fast\n")
        self.start()
        complaint = "Settings file %s is damaged in line 2" % self.settings_file()
        self.wait_shown(complaint)
        self.assertTrue(self.shows("the defaults are used"))
        self.open_options()
        self.assertIn("0x9000", next(l for l in self.s.lines() if "LoadAddr = " in l))
        self.s.key("Enter")  # saved whole again
        self.s.wait_gone("LoadAddr = ")
        path = self.open_file("game.raw")
        self.assertFalse(self.shows("damaged"))
        self.restart()
        self.assertFalse(self.shows("damaged"), "the file is whole again")
        self.open_dialog()
        self.s.key("Down")
        self.s.wait_text(path)
        self.s.key("Escape")
