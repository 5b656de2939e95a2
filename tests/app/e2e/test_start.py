"""The first screen, the menus, the status line, help and leaving."""

import os

from orvano_case import BLACK, BRIGHT_WHITE, LIGHT_GREY, MENU_BAR, STATUS_LINE, OrvanoCase


class StartTest(OrvanoCase):
    def test_first_screen(self):
        lines = self.s.lines()
        self.assertTrue(lines[0].startswith(MENU_BAR))
        self.assertEqual(lines[-1].rstrip(), STATUS_LINE)
        self.assertFalse(self.decode_enabled())
        self.assertEqual(self.menu_title_colour("File"), BLACK)

    def test_first_screen_at_80_by_25(self):
        self.start(width=80, height=25)
        self.assert_whole_screen()

    def test_about_box_is_centred(self):
        self.s.key("M-h")
        self.s.wait_text("About")
        self.s.key("a")
        self.s.wait_text("Orvano v2.3.1")
        line = next(l for l in self.s.lines() if "Orvano v2.3.1" in l)
        inside = line[line.index("\u2502") + 1: line.rindex("\u2502")]
        left = len(inside) - len(inside.lstrip())
        right = len(inside) - len(inside.rstrip())
        self.assertLessEqual(abs(left - right), 1, line)
        self.s.key("Enter")
        self.s.wait_gone("Orvano v2.3.1")

    def test_alt_x_restores_the_terminal(self):
        self.s.wait(self.s.alternate_screen, "the alternate screen")
        self.exit()
        self.assertFalse(self.s.alternate_screen())
        self.assertNotIn("Alt-X Exit", self.s.text())

    def test_file_exit(self):
        self.s.key("M-f")
        # "Exit" alone is also on the status line; wait for the menu item.
        self.s.wait_text("Exit     Alt-X")
        self.s.key("x")
        self.s.wait_text("ORVANO-EXIT=0")

    def test_window_menu_with_no_window_keeps_the_keyboard(self):
        # With every item grey, the drop-down used to open without a focused
        # item and take every key until a mouse click.
        self.assertEqual(self.menu_title_colour("Window"), LIGHT_GREY)
        self.s.key("M-w")
        self.s.key("Escape")
        self.open_dialog()
        self.s.key("Escape")
        self.s.wait_gone("File name")
        # Walking the menu bar passes over it and still closes.
        self.s.key("F10")
        self.s.key("Right")
        self.s.key("Right")
        self.s.key("Escape")
        self.s.key("Escape")
        self.open_dialog()
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.exit()

    def test_window_menu_opens_once_a_window_is_there(self):
        self.open_file("game.raw")
        self.assertEqual(self.menu_title_colour("Window"), BLACK)
        self.s.key("M-w")
        self.s.wait_text("Close all")
        self.s.key("Escape")
        self.s.wait_gone("Close all")

    def status_column(self, text):
        return self.s.lines()[-1].index(text) + 2  # 1-based, inside the item

    def test_status_line_click_runs_the_item(self):
        self.s.click(self.status_column("F3 Open"), self.s.height)
        self.s.wait_text("File name")
        self.s.key("Escape")
        self.s.wait_gone("File name")
        self.s.click(self.status_column("F1 Help"), self.s.height)
        self.s.wait_text("back into the signal of a tape")
        self.s.key("Escape")
        self.s.wait_gone("back into the signal of a tape")
        # F10 Menu highlights the menu bar, as the key does.
        self.s.click(self.status_column("F10 Menu"), self.s.height)
        self.s.wait(lambda: self.menu_title_colour("File") == BRIGHT_WHITE, "the bar highlighted")
        self.s.key("Down")
        self.s.wait_text("Open...")
        self.s.key("Escape")
        self.s.key("Escape")
        self.s.click(self.status_column("Alt-X Exit"), self.s.height)
        self.s.wait_text("ORVANO-EXIT=0")

    def test_status_line_hints_the_highlighted_item(self):
        self.s.key("M-f")
        self.s.wait_text("Open...")
        self.s.wait(lambda: "Put a file on tape" in self.s.lines()[-1], "the hint of New")
        self.s.key("Down")
        self.s.wait(lambda: "Choose a recording to decode" in self.s.lines()[-1], "the hint of Open")
        self.assertTrue(self.s.lines()[-1].startswith(STATUS_LINE))
        self.s.key("Escape")
        self.s.wait(lambda: self.s.lines()[-1].rstrip() == STATUS_LINE, "the hint to go")

    def test_hints_fit_80_columns(self):
        self.start(width=80, height=25)
        self.s.key("M-f")
        self.s.wait(lambda: "Put a file on tape" in self.s.lines()[-1], "the hint of New")
        self.assertEqual(len(self.s.lines()[-1].rstrip()), len(self.s.lines()[-1].rstrip()[:80]))
        self.s.key("Escape")

    def test_help_scrolls_and_closes_with_escape(self):
        self.start(width=80, height=25)
        self.s.key("F1")
        self.s.wait_text("Keys")
        self.assertIn("F2", self.s.text())
        self.assertNotIn("settings", self.s.text(), "the end is below the window")
        self.s.key("End")
        self.s.wait_text("orvano/settings")
        self.s.key("Home")
        self.s.wait_text("Keys")
        self.s.key("PPage")
        self.s.key("NPage")
        self.s.wait_text("Decode: the steps")
        # Help's lines for the steps wrap under their text, never cut.
        self.s.key("Down")
        self.s.key("Down")
        self.s.key("Down")
        self.s.key("Down")
        self.wait_shown("write the first tape file of the .TX2 of FILE (.CAS, .TXT or .BIN)")
        self.s.key("Escape")
        self.s.wait_gone("Decode: the steps")
        self.assert_whole_screen()
        self.exit()
