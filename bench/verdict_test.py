"""The verdict's statistics on made-up rounds (make bench runs this first)."""
import unittest

from verdict import MEETS, OVER, UNDECIDED, median_interval, verdict


class Verdict(unittest.TestCase):

    def test_the_interval_holds_the_median_narrows_with_more_rounds_and_decides_only_when_clear_of_the_goal(self):
        spread = [0.94, 0.97, 0.99, 1.00, 1.01, 1.02, 1.03, 1.04, 1.06, 1.10, 1.27]
        median, low, high = median_interval(spread)
        self.assertEqual(median, 1.02)
        self.assertTrue(0.97 <= low < 1.02 < high <= 1.06, (low, high))
        _, low4, high4 = median_interval(spread * 4)
        self.assertLess(high4 - low4, high - low)
        self.assertEqual(median_interval([1.07] * 9), (1.07, 1.07, 1.07))

        self.assertEqual(verdict(1.02, 0.99, 1.04, 1.05, 15), (MEETS, 0))
        self.assertEqual(verdict(1.10, 1.06, 1.14, 1.05, 15), (OVER, 0))
        # Half-width 0.08 at 0.04 from the goal: four times the rounds.
        self.assertEqual(verdict(1.09, 1.01, 1.17, 1.05, 15), (UNDECIDED, 45))
        self.assertEqual(verdict(1.05, 1.00, 1.10, 1.05, 15), (UNDECIDED, None))


if __name__ == "__main__":
    unittest.main()
