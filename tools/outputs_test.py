"""A generator's next run removes what its source no longer makes, and nothing else."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import outputs  # noqa: E402


class StaleOutputs(unittest.TestCase):
    def test_each_case(self):
        # (stamp left by the last run, names this run makes, files then present, files removed)
        cases = [
            ("a line struck from the table",
             outputs.HEADER + "VO_EN_Hi.ogg\nVO_EN_Bye.ogg\n", ["VO_EN_Hi.ogg"], ["VO_EN_Bye.ogg"]),
            ("a stamp of the older kind lists nothing",
             "12 lines\n", ["VO_EN_Hi.ogg"], []),
            ("no stamp yet", None, ["VO_EN_Hi.ogg"], []),
            ("a damaged stamp does not reach outside the folder",
             outputs.HEADER + "../outside.ogg\n.\n\n", ["VO_EN_Hi.ogg"], []),
        ]
        for what, stamp_text, names, removed in cases:
            with self.subTest(what), tempfile.TemporaryDirectory() as root:
                folder = os.path.join(root, "Resources")
                os.makedirs(folder)
                for name in ["VO_EN_Hi.ogg", "VO_EN_Bye.ogg", "Other.png"]:
                    open(os.path.join(folder, name), "w").close()
                open(os.path.join(root, "outside.ogg"), "w").close()
                stamp = os.path.join(root, "voice.stamp")
                if stamp_text is not None:
                    with open(stamp, "w") as written:
                        written.write(stamp_text)
                outputs.finish(stamp, folder, names)
                for name in ["VO_EN_Hi.ogg", "VO_EN_Bye.ogg", "Other.png"]:
                    self.assertEqual(name not in removed, os.path.exists(os.path.join(folder, name)), name)
                self.assertTrue(os.path.exists(os.path.join(root, "outside.ogg")))
                self.assertEqual(set(names), outputs.previous_outputs(stamp))


if __name__ == "__main__":
    unittest.main()
