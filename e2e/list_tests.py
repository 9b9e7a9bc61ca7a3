"""Prints the id of every end-to-end test, one a line, for CTest to register
each as a test of its own (e2e/CMakeLists.txt)."""

import sys
import unittest


def ids(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from ids(item)
        else:
            yield item.id()


if __name__ == "__main__":
    loader = unittest.TestLoader()
    for module in sys.argv[1:]:
        for test_id in ids(loader.loadTestsFromName(module)):
            print(test_id)
