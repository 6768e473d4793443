"""The whole tour of the real program in English (see tour.py)."""

import unittest

from tour import ENGLISH_TEXTS, Tour


class EnglishTourTest(unittest.TestCase):
    def test_the_whole_tour(self):
        Tour(self, ENGLISH_TEXTS).run()


if __name__ == "__main__":
    unittest.main(verbosity=2)
