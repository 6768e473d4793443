"""The whole tour of the real program in German (see tour.py)."""

import unittest

from tour import GERMAN_TEXTS, Tour


class GermanTourTest(unittest.TestCase):
    def test_the_whole_tour(self):
        Tour(self, GERMAN_TEXTS).run()


if __name__ == "__main__":
    unittest.main(verbosity=2)
