"""The check of a recorded installation (E2ECase.assert_steps) on recordings
made up here: it accepts a value that passed unread and an answer that came
steps late on a loaded machine, and refuses a reading that does not fit its
captions, a bar going back, captions out of order and a busy window idle."""

import unittest

from e2e_case import E2ECase
from harness import expected


def recording(readings, busy=True):
    """Events of a whole run: (caption index, position) pairs, or (caption
    index, position, index of the caption the reading was asked under), then
    the completed caption with 100 and the window idle."""
    captions = expected.STEP_CAPTIONS
    events = [{"t": 0, "caption": "Progressing", "pos": 0, "since": "Progressing",
               "install_enabled": True}]
    for t, (step, pos, *asked) in enumerate(readings, 1):
        events.append({"t": t, "caption": captions[step], "pos": pos,
                       "since": captions[asked[0] if asked else step], "install_enabled": not busy})
    events.append({"t": 99, "caption": expected.DONE_CAPTION, "pos": 100,
                   "since": expected.DONE_CAPTION, "install_enabled": True})
    return events


def every_step():
    out = []
    for step, value in enumerate(expected.STEP_PROGRESS):
        out += [(step, expected.STEP_PROGRESS[step - 1] if step else 0), (step, value)]
    return out


class StepChecks(E2ECase):
    steps = len(expected.STEP_CAPTIONS)

    def test_every_value_read_passes(self):
        self.assert_steps(recording(every_step()), self.steps, done=True)

    def test_a_value_that_passed_unread_passes(self):
        readings = [r for r in every_step() if r != (4, 40)]
        self.assert_steps(recording(readings), self.steps, done=True)

    def test_an_answer_that_arrives_steps_late_passes(self):
        # Asked for during join.sas (30), noted under trans.sas.
        readings = every_step()[:8] + [(4, -1), (5, 30, 3), (5, 50)] + every_step()[12:]
        self.assert_steps(recording(readings), self.steps, done=True)

    def test_a_late_answer_below_the_step_it_was_asked_in_fails(self):
        # 10 cannot have been read once join.sas (20, then 30) showed.
        readings = every_step()[:8] + [(4, -1), (5, 10, 3), (5, 50)] + every_step()[12:]
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(readings), self.steps, done=True)

    def test_a_reading_that_does_not_fit_its_caption_fails(self):
        readings = [(s, 45 if (s, p) == (4, 40) else p) for s, p in every_step()]
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(readings), self.steps, done=True)
        # Two steps ahead of the caption.
        readings = [(s, 60 if (s, p) == (4, 40) else p) for s, p in every_step()]
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(readings), self.steps, done=True)

    def test_a_bar_going_back_fails(self):
        readings = every_step()
        readings.insert(12, (5, 40))
        readings.insert(13, (5, 50))
        readings.insert(14, (5, 40))
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(readings), self.steps, done=True)

    def test_captions_out_of_order_or_an_idle_window_fail(self):
        readings = every_step()
        readings[4], readings[6] = readings[6], readings[4]
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(readings), self.steps, done=True)
        with self.assertRaises(AssertionError):
            self.assert_steps(recording(every_step(), busy=False), self.steps, done=True)


if __name__ == "__main__":
    unittest.main()
