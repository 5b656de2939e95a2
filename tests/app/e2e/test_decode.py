"""The Decode steps from a recording to its listing, the viewer, and New."""

import os
import re
import shutil
import subprocess

from orvano_case import OrvanoCase, tool

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples", "source")


class DecodeTest(OrvanoCase):
    def make_demo_tape(self):
        shutil.copy(os.path.join(EXAMPLES, "DEMO.CAS"), self.dir)
        subprocess.run([tool("orvano-cli"), "encode", os.path.join(self.dir, "DEMO.CAS")], check=True,
                       stdout=subprocess.DEVNULL)

    def test_decode_menu_from_recording_to_listing(self):
        # The demo tape, made by the encoder, read back by every Decode item
        # in menu order: an item wired to the wrong step breaks the chain.
        self.make_demo_tape()
        path = self.open_file("DEMO.RAW")
        base = os.path.splitext(path)[0]
        for hot_key, done in (("r", "You can rename *.MSR file to *.RAW file"), ("1", "Phase 1 done: "),
                              ("2", "Phase 2 done: "), ("c", "create successfully!!!")):
            self.run_decode(hot_key)
            self.s.wait_text(done, timeout=30)
        # Both phases close with their counts, and the shares add up.
        text = self.screen_text()
        cycles = re.search(r"Phase 1 done: (\d+) cycles, (\d+) short \((\d+) %\), (\d+) long \((\d+) %\)", text)
        self.assertIsNotNone(cycles, text)
        total, short, long_ = int(cycles.group(1)), int(cycles.group(2)), int(cycles.group(4))
        self.assertEqual(short + long_, total)
        self.assertEqual(os.path.getsize(base + ".TX1"), total)
        bits = re.search(r"Phase 2 done: (\d+) bits, (\d+) zeros \(\d+ %\), (\d+) ones \(\d+ %\)", text)
        self.assertIsNotNone(bits, text)
        self.assertEqual(int(bits.group(2)) + int(bits.group(3)), int(bits.group(1)))
        self.assertEqual(os.path.getsize(base + ".TX2"), int(bits.group(1)))
        # BAS decode shows the listing it wrote.
        self.run_decode("b")
        with open(os.path.join(EXAMPLES, "DEMO.BAS"), "rb") as expected:
            listing = expected.read()
        first_line = listing.split(b"\r\n")[0].decode("ascii")
        self.s.wait_text(first_line, timeout=30)
        self.assertIn(base + ".BAS", self.title())
        self.s.key("Escape")
        self.s.wait_text("BAS file " + base + ".BAS create successfully!!!")
        with open(base + ".BAS", "rb") as written:
            self.assertEqual(written.read(), listing)

    def test_whole_tape_lists_the_files_found(self):
        self.make_demo_tape()
        path = self.open_file("DEMO.RAW")
        self.s.key("F9")
        # The files found, in a window of their own, after the pass.
        self.s.wait_text("Files on " + path, timeout=30)
        self.s.wait_text("01-DEMO.CAS")
        row = next(line for line in self.s.lines() if "01-DEMO.CAS" in line)
        self.assertIn("BASIC", row)
        self.assertIn("complete", row)
        self.s.key("Escape")
        self.s.wait_gone("Files on ")
        self.wait_shown("DEMO.RAW: 1 file (1 complete), 2 blocks, 0 framing errors; outputs in " +
                        os.path.join(self.dir, "DEMO"))
        self.assertEqual(sorted(os.listdir(os.path.join(self.dir, "DEMO"))),
                         ["01-DEMO.BAS", "01-DEMO.CAS", "report.json", "tape.cas"])

    def test_view_shows_a_binary_in_hex(self):
        self.write("CODE.BIN", bytes(range(0x41, 0x41 + 40)))
        self.s.key("M-f")
        self.s.wait_text("View...")
        self.s.key("v")
        self.s.wait_text("View file")
        self.s.type("CODE.BIN")
        self.s.key("Enter")
        self.s.wait_text("00000000  41 42 43 44 45 46 47 48-49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP")
        self.assertIn("00000020  61 62 63 64 65 66 67 68", self.s.text())
        self.s.key("Escape")
        self.s.wait_gone("00000000")
        self.wait_running()

    def test_new_on_a_file_of_no_known_kind_says_why(self):
        path = self.write("data.xyz", b"\x01\x02")
        self.open_dialog("F2")
        self.s.type("data.xyz")
        self.s.key("Enter")
        self.wait_shown(path + ": not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)")
        self.assertEqual(sorted(os.listdir(self.dir)), ["OTHER.RAW", "data.xyz", "game.raw", "notes.txt"])

    def test_new_writes_the_tape_of_a_text(self):
        self.write("tape.txt", b'10 PRINT "HI"\r\n')
        self.open_dialog("F2")
        self.s.type("tape.txt")
        self.s.key("Enter")
        self.s.wait_text("Sucessfully!!!")
        # The output's name is the source's, upper-cased as the machine names files.
        self.assertTrue(os.path.exists(os.path.join(self.dir, "TAPE.RAW")))

    def test_bas_decode_of_a_text_tape_names_the_text_written(self):
        self.write("memo.txt", b'10 PRINT "HI"\r\n')
        subprocess.run([tool("orvano-cli"), "encode", os.path.join(self.dir, "memo.txt")], check=True,
                       stdout=subprocess.DEVNULL)
        path = self.open_file("MEMO.RAW")
        for hot_key, done in (("r", "You can rename"), ("1", "Phase 1 done: "), ("2", "Phase 2 done: "),
                              ("c", "create successfully!!!")):
            self.run_decode(hot_key)
            self.s.wait_text(done, timeout=30)
        self.run_decode("b")
        self.wait_shown("The tape held a text file, not a BASIC program: it was written to " + path[:-4] + ".TXT")

    def test_new_warns_of_a_changed_tape_name_and_a_start_outside(self):
        self.open_options()
        self.s.type("0xc000")  # the load address; the start stays 0x9000
        self.s.key("Enter")
        self.s.wait_gone("LoadAddr = ")
        self.write("\u0414\u043b\u0438\u043d\u043d\u0430\u044f.bin", b"\x01\x02\x03\xC9")
        self.open_dialog("F2")
        self.s.type("\u0414\u043b\u0438\u043d\u043d\u0430\u044f.bin")
        self.s.key("Enter")
        self.s.wait_text("Sucessfully!!!")
        self.wait_shown("they are spelled [DLINNA] on tape")
        self.wait_shown("is cut to six characters on tape: [DLINNA]")
        self.wait_shown("The start address 0x9000 lies outside the loaded bytes 0xC000 to 0xC003")
