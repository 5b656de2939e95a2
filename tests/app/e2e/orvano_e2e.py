"""End-to-end tests of orvano in a real terminal (tmux), as a user drives it.

Usage: orvano_e2e.py PATH_TO_ORVANO [unittest arguments, e.g. test_options]
"""

import os
import sys
import unittest

import orvano_case

if __name__ == "__main__":
    orvano_case.PROGRAM = os.path.abspath(sys.argv.pop(1))
    here = os.path.dirname(os.path.abspath(__file__))
    names = sys.argv[1:]
    loader = unittest.TestLoader()
    suite = loader.loadTestsFromNames(names) if names else loader.discover(here, pattern="test_*.py")
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
