#!/usr/bin/python3
"""The user manuals shipped in examples/_Help: both PDFs exist, have several pages, and hold
the key words of their language (read with pdftotext and pdfinfo from poppler-utils).

Usage: test_manual_pdfs.py [HELP_DIR]   (default: examples/_Help)
"""
import re
import subprocess
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
HELP_DIR = ROOT / "examples" / "_Help"

EXPECTED = {
    "Help.pdf": ["What Tindlow does", "Future Events", "Switch Language",
                 "19. Read tick count value since Computer start", "[ExecutionLoop]",
                 "[NetworkPathDateFiles]", "30mwd", "30mmd", "shell:startup",
                 "EventTemplate.xlsx", "Incorrect entry in interval column"],
    "Hilfe.pdf": ["Was Tindlow tut", "Künftige Ereignisse", "Sprache Wechseln",
                  "19. Lese den Tick-Count Wert seit dem Computerstart", "[ExecutionLoop]",
                  "[NetworkPathDateFiles]", "30mwd", "30mmd", "shell:startup",
                  "EventTemplate.xlsx", "Inkorrekter Eintrag in der Intervallspalte"],
}
MIN_PAGES = 8


def pages(pdf):
    info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True)
    return int(re.search(r"^Pages:\s+(\d+)", info.stdout, re.M).group(1))


def text(pdf):
    out = subprocess.run(["pdftotext", "-enc", "UTF-8", str(pdf), "-"], capture_output=True,
                         check=True).stdout.decode("utf-8")
    # Table cells wrap their lines: compare with single blanks.
    return re.sub(r"\s+", " ", out)


class ManualPdfs(unittest.TestCase):
    def test_both_manuals(self):
        for name, words in EXPECTED.items():
            with self.subTest(pdf=name):
                pdf = HELP_DIR / name
                self.assertTrue(pdf.is_file(), f"{pdf} is missing")
                self.assertGreaterEqual(pages(pdf), MIN_PAGES)
                content = text(pdf)
                for word in words:
                    self.assertIn(word, content, f"{name} lacks {word!r}")

    def test_no_hand_written_pdf(self):
        # The manuals are typeset by WeasyPrint from docs/manual.
        for name in EXPECTED:
            head = (HELP_DIR / name).read_bytes()[:4096]
            self.assertIn(b"WeasyPrint", (HELP_DIR / name).read_bytes()[-200000:] + head,
                          f"{name} was not made by docs/build_manual.py")


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        HELP_DIR = Path(sys.argv.pop(1))
    unittest.main()
