"""scripts/install against a home directory of its own: every file it writes, the launcher and
the start at log-in started the way a desktop starts them (gio launch), the program directory
made once from the examples, and --uninstall, which leaves nothing of it but the program
directory. Wine is a stand-in here that notes how it was called."""

import json
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
INSTALL = ROOT / "scripts" / "install"
EXAMPLES = ROOT / "examples"

# Notes each call, with its directory and prefix; `wineboot -i` makes a prefix.
FAKE_WINE = """#!/usr/bin/env python3
import json, os, sys
from pathlib import Path
here = Path(sys.argv[0]).resolve().parent
with open(here / "calls.jsonl", "a") as log:
    log.write(json.dumps({"argv": [Path(sys.argv[0]).name] + sys.argv[1:], "cwd": os.getcwd(),
                          "prefix": os.environ.get("WINEPREFIX")}) + "\\n")
if sys.argv[1:] == ["wineboot", "-i"]:
    Path(os.environ["WINEPREFIX"]).mkdir(parents=True, exist_ok=True)
    (Path(os.environ["WINEPREFIX"]) / "system.reg").write_text("")
"""

FAKE_CLI = "#!/bin/sh\necho \"command line: $*\"\n"


def tree(base):
    """{relative path: bytes, or "-> target" for a link} of every file below base."""
    found = {}
    for path in sorted(Path(base).rglob("*")):
        rel = path.relative_to(base).as_posix()
        if path.is_symlink():
            found[rel] = "-> " + os.readlink(path)
        elif path.is_file():
            found[rel] = path.read_bytes()
    return found


def desktop_entry(path):
    """The keys of a desktop entry's [Desktop Entry] group."""
    lines = Path(path).read_text(encoding="utf-8").splitlines()
    assert lines[0] == "[Desktop Entry]", lines[0]
    return dict(line.split("=", 1) for line in lines[1:] if line and not line.startswith("#"))


def png_size(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", data[:16]
    return struct.unpack(">II", data[16:24])


class InstallTest(unittest.TestCase):
    def setUp(self):
        self.root = Path(tempfile.mkdtemp(prefix="tindlow-install-"))
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        # Quotes, a blank and a per cent sign, which the launcher's command line has to carry.
        self.home = self.root / "Ann's home 100%"
        self.home.mkdir()
        fake = self.root / "fake"
        fake.mkdir()
        for name in ("wine", "wineserver"):
            (fake / name).write_text(FAKE_WINE)
            (fake / name).chmod(0o755)
        self.calls_log = fake / "calls.jsonl"
        self.exe = self.root / "Tindlow.exe"
        self.exe.write_bytes(b"MZ the window program")
        cli = self.root / "tindlow-cli"
        cli.write_text(FAKE_CLI)
        cli.chmod(0o755)
        self.env = {name: value for name, value in os.environ.items()
                    if name not in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "WINEPREFIX")}
        self.env.update(HOME=str(self.home), PATH=f"{fake}{os.pathsep}{os.environ['PATH']}",
                        TINDLOW_EXE=str(self.exe), TINDLOW_CLI=str(cli), DISPLAY=":99")

    def install(self, *args):
        result = subprocess.run([str(INSTALL), "--no-build", *args], env=self.env,
                                stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result.stdout

    def calls(self):
        if not self.calls_log.exists():
            return []
        return [json.loads(line) for line in self.calls_log.read_text().splitlines()]

    def launch(self, entry):
        """Start a desktop entry as a desktop does; returns how Tindlow.exe was started."""
        before = len(self.calls())
        subprocess.run(["gio", "launch", str(entry)], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=60)
        deadline = time.monotonic() + 30
        while True:
            started = [c for c in self.calls()[before:] if c["argv"][-1].endswith("Tindlow.exe")]
            if started:
                return started[0]
            self.assertLess(time.monotonic(), deadline, f"{entry} did not start Tindlow.exe")
            time.sleep(0.1)

    def check_program_files(self, app_dir):
        self.assertEqual(tree(app_dir / "examples"), tree(EXAMPLES))
        self.assertEqual((app_dir / "Tindlow.exe").read_bytes(), self.exe.read_bytes())
        self.assertEqual((app_dir / "run").read_bytes(), (ROOT / "scripts/run").read_bytes())
        self.assertTrue(os.access(app_dir / "run", os.X_OK))

    def check_entries(self, launcher, autostart, data):
        entry = desktop_entry(launcher)
        self.assertEqual({k: entry[k] for k in ("Type", "Name", "Icon", "Terminal")},
                         {"Type": "Application", "Name": "Tindlow", "Icon": "tindlow",
                          "Terminal": "false"})
        self.assertEqual(desktop_entry(autostart)["Exec"], entry["Exec"])
        for size in (16, 32, 48):
            icon = data / f"icons/hicolor/{size}x{size}/apps/tindlow.png"
            self.assertEqual(png_size(icon.read_bytes()), (size, size))

    def test_install_start_and_uninstall_in_the_default_directories(self):
        (self.home / ".config").mkdir()
        (self.home / ".config/mimeapps.list").write_text("[Default Applications]\n")
        before = tree(self.home)

        self.install("--autostart")
        data, app_dir = self.home / ".local/share", self.home / ".local/share/tindlow"
        launcher = data / "applications/tindlow.desktop"
        autostart = self.home / ".config/autostart/tindlow.desktop"
        written = set(tree(self.home)) - set(before)
        self.assertEqual(written, {
            ".local/share/applications/tindlow.desktop",
            ".config/autostart/tindlow.desktop",
            ".local/share/icons/hicolor/16x16/apps/tindlow.png",
            ".local/share/icons/hicolor/32x32/apps/tindlow.png",
            ".local/share/icons/hicolor/48x48/apps/tindlow.png",
            ".local/bin/tindlow",
            ".local/share/tindlow/Tindlow.exe",
            ".local/share/tindlow/run",
            ".local/share/tindlow/tindlow",
        } | {f".local/share/tindlow/examples/{rel}" for rel in tree(EXAMPLES)})
        self.assertEqual(tree(self.home)[".config/mimeapps.list"], before[".config/mimeapps.list"])
        self.check_program_files(app_dir)
        self.check_entries(launcher, autostart, data)
        command = subprocess.run([str(self.home / ".local/bin/tindlow"), "check"],
                                 capture_output=True, text=True, check=True)
        self.assertEqual(command.stdout, "command line: check\n")

        # The first start makes the program directory from the examples.
        program_dir = self.home / "Tindlow"
        started = self.launch(launcher)
        self.assertEqual(started["argv"], ["wine", str(app_dir / "Tindlow.exe")])
        self.assertEqual(started["cwd"], str(program_dir))
        self.assertEqual(started["prefix"], str(data / "tindlow-wine"))
        self.assertEqual(tree(program_dir), tree(EXAMPLES))
        self.assertTrue((data / "tindlow-wine/system.reg").exists())

        # Later starts leave it as the user made it.
        (program_dir / "_IniFile/IniFile.csv").write_bytes(b"Value;Key\r\n")
        (program_dir / "_PeriodicEvents/Duties.csv").unlink()
        mine = tree(program_dir)
        started = self.launch(autostart)
        self.assertEqual(started["cwd"], str(program_dir))
        self.assertEqual(tree(program_dir), mine)

        # Installing again without --autostart takes back the start at log-in.
        self.install()
        self.assertFalse(autostart.exists())
        program_files = {f"Tindlow/{rel}": content for rel, content in mine.items()}
        self.assertEqual(set(tree(self.home)) - set(before) - set(program_files),
                         written - {".config/autostart/tindlow.desktop"}
                         | {".local/share/tindlow-wine/system.reg"})
        self.check_program_files(app_dir)

        self.calls_log.unlink()
        self.install("--uninstall")
        self.assertEqual(tree(self.home), before | program_files)
        self.assertFalse((data / "tindlow-wine").exists())
        self.assertEqual([(c["argv"], c["prefix"]) for c in self.calls()], [
            (["wine", "wineboot", "--end-session"], str(data / "tindlow-wine")),
            (["wineserver", "-k"], str(data / "tindlow-wine")),
            (["wineserver", "-w"], str(data / "tindlow-wine")),
        ])

    def test_the_base_directories_and_a_command_of_the_same_name_are_respected(self):
        data, config = self.root / "data", self.root / "config"
        self.env.update(XDG_DATA_HOME=str(data), XDG_CONFIG_HOME=str(config))
        own = self.home / ".local/bin/tindlow"
        own.parent.mkdir(parents=True)
        own.write_text("#!/bin/sh\necho mine\n")
        home_before = tree(self.home)

        self.install("--autostart", "--dir", str(self.root / "Reminders"))
        self.assertEqual(tree(self.home), home_before)
        self.check_program_files(data / "tindlow")
        self.check_entries(data / "applications/tindlow.desktop",
                           config / "autostart/tindlow.desktop", data)
        started = self.launch(data / "applications/tindlow.desktop")
        self.assertEqual(started["cwd"], str(self.root / "Reminders"))
        self.assertEqual(started["prefix"], str(data / "tindlow-wine"))

        self.install("--uninstall")
        self.assertEqual(tree(data), {})
        self.assertEqual(tree(config), {})
        self.assertEqual(tree(self.home), home_before)
        self.assertEqual(tree(self.root / "Reminders"), tree(EXAMPLES))


if __name__ == "__main__":
    unittest.main()
