"""One scripted session of orvano under valgrind's memcheck: help, the about
box, Open, a decode with its progress window, Options with its rows of
choices, the history list over a log window, Open again, View, Alt-F3, New,
the close icon and Alt-X. Fails on any invalid read, write or free.

Usage: orvano_valgrind.py PATH_TO_ORVANO
"""

import os
import re
import shutil
import struct
import sys
import tempfile

from tmux_session import Session

WAIT = 30.0


def main(program):
    work = tempfile.mkdtemp(prefix="orvano-vg-")
    log = os.path.join(work, "memcheck.log")
    with open(os.path.join(work, "game.raw"), "wb") as f:
        f.write(b"".join(struct.pack("<h", 6000 if (i // 9) % 2 else -6000) for i in range(20000)))
    with open(os.path.join(work, "tape.txt"), "wb") as f:
        f.write(b"10 PRINT\r\n")
    suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wmemcmp.supp")
    command = "valgrind --tool=memcheck --suppressions=%s --log-file=%s %s" % (suppressions, log, os.path.abspath(program))
    s = Session(command, work, config=os.path.join(work, "config"))
    try:
        s.wait_text("F3 Open", WAIT)
        s.key("F1")
        s.wait_text("back into the signal of a tape", WAIT)
        s.key("End")
        s.wait_text("orvano/settings", WAIT)
        s.key("Escape")
        s.wait_gone("orvano/settings", WAIT)
        s.key("M-h")
        s.wait_text("About", WAIT)
        s.key("a")
        s.wait_text("Orvano v2.3.1", WAIT)
        s.key("Enter")
        s.wait_gone("Orvano v2.3.1", WAIT)
        s.key("F3")
        s.wait_text("File name", WAIT)
        s.type("game.raw")
        s.key("Enter")
        s.wait_text("Reading file", WAIT)
        s.key("M-d")
        s.wait_text("Raw recode", WAIT)
        s.key("r")
        s.wait(lambda: os.path.exists(os.path.join(work, "game.MSR")), "game.MSR", WAIT)
        s.key("M-f")
        s.wait_text("Options", WAIT)
        s.key("p")
        s.wait_text("LoadAddr = ", WAIT)
        s.type("zz")
        s.key("Enter")
        s.wait_text("LoadAddr is not a number", WAIT)
        s.key("Enter")
        s.wait_gone("LoadAddr is not a number", WAIT)
        s.type("0xc000")
        for key in ("Tab", "Tab", "Space", "Tab", "Right", "Tab", "Right"):
            s.key(key)
        s.key("Enter")
        s.wait_gone("LoadAddr = ", WAIT)
        # The history list over a log window, closed with Esc twice.
        s.key("F3")
        s.wait_text("File name", WAIT)
        s.key("Tab")
        s.key("Enter")
        s.wait_text("History", WAIT)
        s.key("Escape")
        s.wait_gone("History", WAIT)
        s.key("Escape")
        s.wait_gone("File name", WAIT)
        s.key("F3")
        s.wait_text("File name", WAIT)
        s.type("game.raw")
        s.key("Enter")
        s.wait_gone("File name", WAIT)
        s.key("M-f")
        s.wait_text("View...", WAIT)
        s.key("v")
        s.wait_text("File name", WAIT)
        s.type("tape.txt")
        s.key("Enter")
        s.wait_text("10 PRINT", WAIT)
        s.key("Escape")
        s.wait_gone("10 PRINT", WAIT)
        s.key("M-F3")
        s.wait_gone("Reading file", WAIT)
        s.key("F2")
        s.wait_text("File name", WAIT)
        s.type("tape.txt")
        s.key("Enter")
        s.wait_text("Sucessfully!!!", WAIT)
        s.click(2, 2)
        s.wait_gone("Reading file", WAIT)
        s.key("M-x")
        s.wait_text("ORVANO-EXIT=", WAIT)
    finally:
        s.close()
    with open(log) as f:
        report = f.read()
    shutil.rmtree(work, ignore_errors=True)
    faults = re.findall(r"^==\d+== (Invalid (?:read|write|free)[^\n]*|Mismatched free[^\n]*)", report, re.M)
    if faults:
        print(report)
        print("%d passed, %d failed" % (0, 1))
        return 1
    summary = re.search(r"ERROR SUMMARY: \d+ errors", report)
    print(summary.group(0) if summary else "no summary")
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
