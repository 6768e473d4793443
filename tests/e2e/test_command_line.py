"""The command-line program, built natively (tindlow) and as a Windows console program
(tindlow-cli.exe, run under Wine), on a copy of the example program directory: its output is
the text of the window's exports (the golden files, with the directory's own path), it writes
nothing into the directory, and `check` finds nothing in the examples."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import tindlow_e2e
from tindlow_e2e import ROOT

GOLDEN = ROOT / "tests/golden"
NOW = "09.12.2026 08:30:00"
REPORTS = [
    (["preview", "30"], "future-30-days.txt"),
    (["lookback", "30"], "missed-30-days.txt"),
    (["simulate", "03.02.2027"], "date-simulation-03.02.2027.txt"),
    (["report", "complete"], "complete-dictionary.txt"),
    (["report", "today"], "todays-dictionary.txt"),
]


def native_cli():
    return Path(os.environ.get("TINDLOW_NATIVE_CLI", ROOT / "build/native/tindlow"))


def console_cli():
    return tindlow_e2e.exe_path().parent / "tindlow-cli.exe"


def export_text(name, program_dir):
    """A golden export as text with LF line ends, made for this program directory."""
    text = (GOLDEN / name).read_bytes().decode("utf-16-le").lstrip("\ufeff")
    return text.replace("\r\n", "\n").replace("C:\\P", tindlow_e2e.windows_path(program_dir))


def snapshot(directory):
    return {str(p.relative_to(directory)): (p.is_dir(), None if p.is_dir() else p.read_bytes(),
                                            p.stat().st_mtime_ns)
            for p in sorted(directory.rglob("*"))}


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.root = Path(tempfile.mkdtemp(prefix="tindlow-cli-"))
        self.program_dir = self.root / "Program"
        shutil.copytree(ROOT / "examples", self.program_dir)

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def set_language(self, language):
        (self.program_dir / "_Settings").mkdir(exist_ok=True)
        (self.program_dir / "_Settings/Settings.txt").write_bytes(
            f"Language = {language}\r\n".encode())

    def run_native(self, *args):
        return subprocess.run([str(native_cli()), "--dir", str(self.program_dir), *args],
                              capture_output=True, timeout=120)

    def test_native_program_writes_the_window_exports_and_nothing_else(self):
        if not native_cli().is_file():
            self.skipTest(f"{native_cli()} is not built")
        for language, prefix in (("English", "en"), ("German", "de")):
            self.set_language(language)
            before = snapshot(self.program_dir)
            for args, golden in REPORTS:
                with self.subTest(language=language, command=args[0]):
                    result = self.run_native("--now", NOW, *args)
                    self.assertEqual(result.returncode, 0, result.stderr.decode())
                    self.assertEqual(result.stderr, b"")
                    self.assertEqual(result.stdout.decode("utf-8"),
                                     export_text(f"{prefix}-{golden}", self.program_dir))
            check = self.run_native("check")
            self.assertEqual((check.returncode, check.stdout), (0, b"No problems found.\n"))
            self.assertEqual(snapshot(self.program_dir), before)

        missing = self.run_native("preview")
        self.assertEqual(missing.returncode, 0)
        nowhere = subprocess.run([str(native_cli()), "--dir", str(self.root / "nowhere"),
                                  "preview"], capture_output=True, timeout=60)
        self.assertEqual(nowhere.returncode, 3)
        self.assertIn(b"the program directory cannot be read", nowhere.stderr)

    def test_windows_console_program_writes_the_same_text(self):
        exe = console_cli()
        if not exe.is_file():
            self.skipTest(f"{exe} is not built")
        wine = tindlow_e2e.wine_binary()
        prefix = self.root / "prefix"
        tindlow_e2e._copy_prefix(tindlow_e2e.template_prefix(), prefix)
        env = tindlow_e2e._base_env(prefix)
        try:
            self.set_language("German")
            before = snapshot(self.program_dir)
            for args, golden in REPORTS:
                with self.subTest(command=args[0]):
                    # The current directory is the program directory: Wine shows it as Z:\...
                    result = subprocess.run([wine, str(exe), "--now", NOW, *args], env=env,
                                            cwd=self.program_dir, capture_output=True,
                                            timeout=120, stdin=subprocess.DEVNULL)
                    self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
                    text = result.stdout.decode("utf-8").replace("\r\n", "\n")
                    self.assertEqual(text, export_text(f"de-{golden}", self.program_dir))
            self.assertEqual(snapshot(self.program_dir), before)
        finally:
            subprocess.run([tindlow_e2e.wineserver_binary(), "-k"], env=env,
                           stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
            tindlow_e2e._remove_server_directory(prefix)


if __name__ == "__main__":
    unittest.main()
