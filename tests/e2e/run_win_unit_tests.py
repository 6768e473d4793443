"""Runs the cross-built unit tests (unit_tests.exe, 16-bit wchar_t) under Wine.

    python3 run_win_unit_tests.py PATH/unit_tests.exe [gtest arguments...]

The program runs in a fresh Wine prefix (a copy of the harness's template prefix) with a
temporary directory as its current directory, so its current drive is Z: and the Linux paths
compiled into the tests resolve. Its exit code is passed through; 77 (ctest skips the test)
when the program has not been built.
"""

import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import tindlow_e2e  # noqa: E402

SKIPPED = 77


def main(argv):
    if len(argv) < 2:
        print(f"usage: {argv[0]} UNIT_TESTS_EXE [gtest arguments...]", file=sys.stderr)
        return 2
    exe = Path(argv[1]).resolve()
    if not exe.is_file():
        print(f"{exe} does not exist: the MinGW build has not built the unit tests")
        return SKIPPED
    wine = tindlow_e2e.wine_binary()
    wineserver = tindlow_e2e.wineserver_binary()
    root = Path(tempfile.mkdtemp(prefix="tindlow-win-unit-"))
    prefix = root / "prefix"
    work = root / "work"
    work.mkdir()
    try:
        tindlow_e2e._copy_prefix(tindlow_e2e.template_prefix(), prefix)
        env = tindlow_e2e._base_env(prefix)
        sys.stdout.flush()
        result = subprocess.run([wine, str(exe), *argv[2:]], env=env, cwd=work,
                                stdin=subprocess.DEVNULL)
        return result.returncode
    finally:
        env = tindlow_e2e._base_env(prefix)
        subprocess.run([wineserver, "-k"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run([wineserver, "-w"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        tindlow_e2e._remove_server_directory(prefix)
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
