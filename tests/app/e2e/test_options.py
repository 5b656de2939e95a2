"""The Options dialog: the addresses, Write wave and the rows of choices."""

from orvano_case import OrvanoCase


class OptionsTest(OrvanoCase):
    def address_fields(self):
        lines = self.s.lines()
        load = next(l for l in lines if "LoadAddr = " in l)
        start = next(l for l in lines if "StartAddr = " in l)
        return load.split("=")[1].split()[0], start.split("=")[1].split()[0]

    def line_of(self, text):
        return next(l for l in self.s.lines() if text in l)

    def chosen(self, row):
        """The label of the chosen button of a row of choices."""
        line = self.line_of(row + " ")
        return line.split("(\u2022) ")[1].split()[0]

    def wave_ticked(self):
        return "[\u00d7]" in self.line_of("Write wave")

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

    def test_enter_on_write_wave_accepts_and_space_ticks(self):
        self.open_options()
        self.s.key("Tab", "Tab", pause=0.25)  # to Write wave
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertFalse(self.wave_ticked(), "Enter must not tick the box")
        self.s.key("Tab", "Tab", "Space", pause=0.25)
        self.s.wait(self.wave_ticked, "the box ticked")
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertTrue(self.wave_ticked())
        self.s.key("Escape")

    def test_rows_of_choices_in_tab_order(self):
        self.start(width=80, height=25)
        self.open_options()
        self.assertEqual((self.chosen("Baud"), self.chosen("Channel"), self.chosen("BASIC")), ("1200", "Auto", "Auto"))
        # Slowly: a key that arrives with the one before goes to the field
        # that had the focus before it.
        for key in ("Tab", "Tab", "Tab", "Right", "Tab", "Right", "Right", "Right", "Right", "Tab", "Space", "Space"):
            self.s.key(key, pause=0.25)
        self.s.wait(lambda: self.chosen("BASIC") == "Korvet", "Korvet chosen")
        self.assertEqual((self.chosen("Baud"), self.chosen("Channel")), ("2400", "Mix"))
        self.s.key("Enter")  # from the last row
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual((self.chosen("Baud"), self.chosen("Channel"), self.chosen("BASIC")), ("2400", "Mix", "Korvet"))
        # Changed, then Esc: the options stay.
        self.s.key("Tab", "Tab", "Tab", "Left", pause=0.25)
        self.s.wait(lambda: self.chosen("Baud") == "1200", "1200 chosen")
        self.s.key("Escape")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual(self.chosen("Baud"), "2400")
        # A click picks a button; Alt and the label's letter goes to the row.
        line_number = next(i for i, l in enumerate(self.s.lines()) if "Channel " in l)
        column = self.s.lines()[line_number].index("Left") + 1
        self.s.click(column, line_number + 1)
        self.s.wait(lambda: self.chosen("Channel") == "Left", "Left clicked")
        self.s.key("M-a", "Left", pause=0.25)
        self.s.wait(lambda: self.chosen("BASIC") == "MSX", "MSX chosen")
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.open_options()
        self.assertEqual((self.chosen("Channel"), self.chosen("BASIC")), ("Left", "MSX"))
        self.s.key("Escape")
