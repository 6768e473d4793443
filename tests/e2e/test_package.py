"""The Windows download: scripts/package's zip, unpacked into a fresh prefix and started from
there as a user double-clicks Tindlow.exe."""

import os
import subprocess
import tempfile
import unittest
import zipfile
from pathlib import Path

from tindlow_e2e import ROOT, Session, exe_path


class PackageTest(unittest.TestCase):
    def test_unpacked_zip_runs_with_its_examples(self):
        with tempfile.TemporaryDirectory(prefix="tindlow-package-") as work:
            work = Path(work)
            env = dict(os.environ, TINDLOW_WIN_BUILD_DIR=str(exe_path().parent))
            made = subprocess.run([str(ROOT / "scripts/package"), "--no-build", "--out",
                                   str(work / "dist")], env=env, check=True,
                                  capture_output=True, text=True).stdout.strip()
            archive = Path(made)
            self.assertRegex(archive.name, r"^Tindlow-\d+\.\d+-win64\.zip$")
            with zipfile.ZipFile(archive) as z:
                names = z.namelist()
                z.extractall(work / "unpacked")
            top = {name.split("/")[0] for name in names}
            self.assertEqual(len(top), 1, top)
            folder = work / "unpacked" / top.pop()
            for needed in ["Tindlow.exe", "tindlow-cli.exe", "ReadMe.txt", "_Help/Help.pdf",
                           "_Help/Hilfe.pdf", "_UserDocuments/EventTemplate.xlsx"]:
                self.assertTrue((folder / needed).is_file(), needed)
            self.assertFalse([n for n in names if n.lower().endswith(".dll")])

            with Session(self, source=folder) as s:
                s.exe = s.program_dir / "Tindlow.exe"
                program = s.start(at="2026-03-16 10:00:00")
                s.screenshot("started-from-the-zip")
                self.assertEqual(program.title, "Tindlow v1.40 (a) Instance 1")
                lines = s.list_lines()
                for name in ["Appointments.csv", "Birthdays.csv", "Duties.csv"]:
                    self.assertTrue([l for l in lines if "Reading " in l and name in l], name)
                self.assertFalse([l for l in lines if "error has occurred" in l], lines)
                s.close()
                s.wait_exit()

                # The command-line program beside it finds nothing wrong in the examples.
                check = subprocess.run([s.wine, str(s.program_dir / "tindlow-cli.exe"), "check"],
                                       cwd=s.program_dir, env=s.env(), stdin=subprocess.DEVNULL,
                                       capture_output=True, timeout=120)
                self.assertEqual(check.returncode, 0, check.stdout + check.stderr)


if __name__ == "__main__":
    unittest.main()
