"""Runs one end-to-end module, or a part of it, as one ctest entry, so that
the long modules can be scheduled in parts beside the others.

    run_tests.py MODULE              every test of the module
    run_tests.py MODULE:NAME,...     the tests of the classes named (or of
                                     Class.test_name)
    run_tests.py MODULE:~NAME,...    every test of the module but those

The parts of a module end with the complement of all the others, so a test
added later is never left out.
"""
import sys
import unittest


def tests_of(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from tests_of(item)
        else:
            yield item


def belongs(test, names):
    cls = type(test).__name__
    return cls in names or "%s.%s" % (cls, test._testMethodName) in names


def main(argument):
    module, _, part = argument.partition(":")
    everything = unittest.defaultTestLoader.loadTestsFromName(module)
    if not part:
        chosen = list(tests_of(everything))
    elif part.startswith("~"):
        chosen = [t for t in tests_of(everything) if not belongs(t, part[1:].split(","))]
    else:
        chosen = [t for t in tests_of(everything) if belongs(t, part.split(","))]
    if not chosen:
        print("no test of %s matches %r" % (module, part))
        return 1
    result = unittest.TextTestRunner(verbosity=2).run(unittest.TestSuite(chosen))
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
