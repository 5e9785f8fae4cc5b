"""scripts/test-summary counts as passed only the tests CTest ran and passed."""

import os
import subprocess
import sys
import tempfile
import unittest

SUMMARY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "test-summary")

# As CTest writes them: a test that passed, one left out as disabled, a listed skip and a failure.
CASES = {
    "ran": '<testcase name="Suite.Ran" time="0.5" status="run"><system-out/></testcase>',
    "disabled": '<testcase name="Suite.DISABLED_Off" time="0" status="disabled">'
                "<system-out>Disabled</system-out></testcase>",
    "skipped": '<testcase name="Suite.Skipped" time="0.1" status="notrun"><skipped message="Skipped"/>'
               "<system-out>t.cpp:3: Skipped\nno locale here\n[  SKIPPED ] Suite.Skipped</system-out></testcase>",
    "failed": '<testcase name="Suite.Failed" time="0.2" status="fail"><failure message=""/>'
              "<system-out>t.cpp:9: Failure\nExpected 1\n[  FAILED  ] Suite.Failed</system-out></testcase>",
}


def summarise(folder, kinds):
    junit = os.path.join(folder, "results.xml")
    with open(junit, "w", encoding="utf-8") as written:
        written.write("<testsuite>" + "".join(CASES[kind] for kind in kinds) + "</testsuite>")
    known = os.path.join(folder, "known-skips")
    with open(known, "w", encoding="utf-8") as written:
        written.write("Suite.Skipped  no locale here\n")
    run = subprocess.run([sys.executable, SUMMARY, junit, "--known-skips", known],
                         capture_output=True, text=True, check=False)
    return run.returncode, run.stdout


class DisabledTests(unittest.TestCase):
    def test_a_disabled_test_is_listed_and_not_counted_as_passed(self):
        with tempfile.TemporaryDirectory() as folder:
            status, output = summarise(folder, ["ran", "disabled", "skipped", "failed"])
        self.assertIn("Disabled, not run:\n  Suite.DISABLED_Off\n", output)
        self.assertIn("Tests: 1 passed, 1 failed, 1 skipped, 1 disabled (not run)\n", output)
        self.assertEqual(1, status)

    def test_a_run_without_failures_still_passes(self):
        with tempfile.TemporaryDirectory() as folder:
            status, output = summarise(folder, ["ran", "disabled", "skipped"])
        self.assertIn("Tests: 1 passed, 0 failed, 1 skipped, 1 disabled (not run)\n", output)
        self.assertEqual(0, status)


if __name__ == "__main__":
    unittest.main()
