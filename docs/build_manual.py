#!/usr/bin/python3
"""Builds the user manual: examples/_Help/Help.pdf (English) and examples/_Help/Hilfe.pdf (German).

The pictures of the manual are taken from the real program every time: Tindlow.exe is started
under Wine (with the end-to-end harness of tests/e2e) in a copy of examples/, once in English and
once in German, and the script photographs the main window, the dropped-down command menu and a
reminder box. Then WeasyPrint typesets docs/manual/en.html and de.html with docs/manual/manual.css.

Usage: docs/build_manual.py [--out DIR] [--work DIR] [--no-shots] [--lang en|de]
  --out       where the PDFs go (default: examples/_Help)
  --work      where the pictures go (default: build/docs)
  --no-shots  reuse the pictures of an earlier run (no Wine needed)

Environment: TINDLOW_EXE and TINDLOW_DRIVER (default build/win/Tindlow.exe and tdriver.exe).
Needs Debian's weasyprint, python3-pil, wine64, xvfb, openbox, imagemagick and faketime; run it
with /usr/bin/python3.
"""
import argparse
import shutil
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MANUAL = ROOT / "docs" / "manual"
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

LANGUAGES = {
    # language code: (Settings.txt language, source page, PDF name)
    "en": ("English", "en.html", "Help.pdf"),
    "de": ("German", "de.html", "Hilfe.pdf"),
}
# A Monday on which none of the example events reminds, so that the main window is shown alone.
QUIET_MOMENT = "2026-03-16 10:00:00"
# Where the program directory lies inside the Wine prefix: the log list then shows C:\Tindlow.
PROGRAM_DIR_IN_PREFIX = Path("drive_c") / "Tindlow"

# The controls that the legend of the main window names, in the order of its numbers.
LEGEND = ["FUTURE_EVENTS", "MISSED_EVENTS", "RELOAD_DATA", "OPEN_HELP", "OPEN_DIRECTORY",
          "DOCUMENT_MENU", "HIDE_WINDOW", "SWITCH_LANGUAGE", "CLEAR_LISTBOX", "STOP_ENTRIES",
          "DAYS_FIELD", "COMMAND_MENU", "LOG_LIST"]


def settings_text(language):
    return f"Language = {language}\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 11\r\n"


def crop(source, target, box):
    from PIL import Image
    with Image.open(source) as image:
        image.crop(box).save(target, optimize=True)


def with_new_windows(window, before, after):
    """The window's box grown to take in what changed on the screen between two pictures
    (a message box is placed by the window system and may lie outside the window)."""
    from PIL import Image, ImageChops
    with Image.open(before) as old, Image.open(after) as new:
        changed = ImageChops.difference(old.convert("RGB"), new.convert("RGB")).getbbox()
    if changed is None:
        return window
    return (min(window[0], changed[0]), min(window[1], changed[1]),
            max(window[2], changed[2]), max(window[3], changed[3]))


def box_frame(display, window, before, after):
    """The screen box of the reminder box with its frame: the frame of the top-level X window
    named "Tindlow" (the caption of Tindlow's message boxes); without one, the window and
    everything that changed on the screen."""
    import re
    import subprocess
    tree = subprocess.run(["xwininfo", "-root", "-tree", "-display", display],
                          capture_output=True, text=True, timeout=60).stdout.splitlines()
    geometry = re.compile(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)\s*$")
    for index, line in enumerate(tree):
        if '"Tindlow":' not in line:
            continue
        depth = len(line) - len(line.lstrip())
        # The frame that the window manager put around it is the nearest line above it that
        # is indented less.
        for parent in reversed(tree[:index]):
            if len(parent) - len(parent.lstrip()) < depth:
                match = geometry.search(parent)
                if match and "root window" not in parent.lower():
                    width, height, x, y = map(int, match.groups())
                    frame = (max(x, 0), max(y, 0), x + width, y + height)
                    if width >= 150 and height >= 80 and shows_something(after, frame):
                        return frame
                break
    return outside_window_changes(window, before, after)


def outside_window_changes(window, before, after):
    """What changed on the screen outside the window (a box placed beside or below it), grown
    upwards by a caption's height; the window and all changes when nothing changed there."""
    from PIL import Image, ImageChops, ImageDraw
    with Image.open(before) as old, Image.open(after) as new:
        difference = ImageChops.difference(old.convert("RGB"), new.convert("RGB")).convert("L")
    ImageDraw.Draw(difference).rectangle(window, fill=0)
    changed = difference.point(lambda v: 255 if v > 16 else 0).getbbox()
    if changed is None:
        return with_new_windows(window, before, after)
    return (changed[0], max(changed[1] - 30, 0), changed[2], changed[3])


def shows_something(picture, box):
    """False for a box of one colour (a window that is not shown, or off the screen)."""
    from PIL import Image
    with Image.open(picture) as image:
        region = image.convert("L").crop(box)
        low, high = region.getextrema()
    return high - low > 40


def badge_picture(source, target, window, badges):
    """The window picture with a numbered badge on every control of the legend."""
    from PIL import Image, ImageDraw, ImageFont
    with Image.open(source) as full:
        image = full.crop(window).convert("RGB")
    draw = ImageDraw.Draw(image)
    font_file = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
    font = ImageFont.truetype(font_file, 15) if Path(font_file).exists() else None
    radius = 11
    for number, (x, y) in badges:
        x -= window[0]
        y -= window[1]
        draw.ellipse((x - radius, y - radius, x + radius, y + radius), fill=(200, 0, 0),
                     outline=(255, 255, 255), width=2)
        draw.text((x, y), str(number), fill=(255, 255, 255), font=font, anchor="mm")
    image.save(target, optimize=True)


def settled_box(session, timeout=40):
    """Waits for a reminder box on the shown (no longer flashing) window; returns it."""
    from tindlow_e2e import wait_until
    seen = []

    def shown():
        boxes = session.boxes()
        box = session.visible() == (True, False) and boxes and boxes[0][2] != "?" and boxes[0]
        seen.append(box)
        return box and len(seen) >= 3 and seen[-2] == box and seen[-3] == box and box
    return wait_until(shown, timeout, "a reminder box on the shown window")


def take_shots(code, work):
    """Starts Tindlow in the language `code` and leaves main.png, legend.png, commands.png and
    reminder.png (with badges.txt, the legend's numbers) in work/code."""
    from tindlow_e2e import MenuCommand, Session, ids
    language = LANGUAGES[code][0]
    target = work / code
    shutil.rmtree(target, ignore_errors=True)
    target.mkdir(parents=True)
    with Session(name=f"docs-manual-{code}") as session:
        program_dir = session.prefix / PROGRAM_DIR_IN_PREFIX
        shutil.rmtree(program_dir, ignore_errors=True)
        shutil.copytree(ROOT / "examples", program_dir)
        (program_dir / "_Settings").mkdir(exist_ok=True)
        (program_dir / "_Settings" / "Settings.txt").write_text(settings_text(language),
                                                              encoding="latin-1")
        session.program_dir = program_dir
        session.start(at=QUIET_MOMENT)
        time.sleep(2)
        # No box may cover the window; a reminder of the examples would be one.
        while session.boxes():
            session.close_box()
            time.sleep(1)
        left, top, right, bottom = session.rect()
        window = (max(left, 0), max(top, 0), right, bottom)
        raw = main_raw = session.screenshot("main-raw")
        crop(raw, target / "main.png", window)
        badges = []
        for number, name in enumerate(LEGEND, 1):
            c_left, c_top, c_right, c_bottom = session.rect(getattr(ids, name))
            if name == "LOG_LIST":
                badges.append((number, (c_right - 70, c_top + 45)))
            else:
                badges.append((number, (c_left + 2, c_top + 2)))
        badge_picture(raw, target / "legend.png", window, badges)

        # The command menu, dropped down with F4 as the keyboard does it.
        session.driver("focus", ids.COMMAND_MENU)
        time.sleep(0.5)
        session.driver("key", ids.COMMAND_MENU, "73")
        time.sleep(1.5)
        raw = session.screenshot("commands-raw")
        crop(raw, target / "commands.png", window)
        session.driver("key", ids.COMMAND_MENU, "73")  # F4 again closes the list
        time.sleep(1)

        # A reminder box: the test reminder.
        session.driver("select", ids.COMMAND_MENU, MenuCommand.CreateTestReminder.index)
        settled_box(session)
        time.sleep(1)
        raw = session.screenshot("reminder-raw")
        crop(raw, target / "reminder.png", box_frame(session.display, window, main_raw, raw))
        session.close_box()
        time.sleep(1)
        session.cancel()
    for picture in ("main", "legend", "commands", "reminder"):
        if not (target / f"{picture}.png").exists():
            raise RuntimeError(f"{target / picture}.png was not made")


def render(code, work, out):
    from weasyprint import CSS, HTML
    _, page, pdf = LANGUAGES[code]
    source = MANUAL / page
    html = HTML(string=source.read_text(encoding="utf-8"), base_url=str(work / code) + "/")
    css = CSS(filename=str(MANUAL / "manual.css"))
    out.mkdir(parents=True, exist_ok=True)
    target = out / pdf
    html.write_pdf(str(target), stylesheets=[css])
    return target


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", type=Path, default=ROOT / "examples" / "_Help")
    parser.add_argument("--work", type=Path, default=ROOT / "build" / "docs")
    parser.add_argument("--no-shots", action="store_true")
    parser.add_argument("--lang", choices=sorted(LANGUAGES), action="append")
    args = parser.parse_args()
    codes = args.lang or sorted(LANGUAGES)
    for code in codes:
        if not args.no_shots:
            print(f"build_manual: pictures ({code})", flush=True)
            take_shots(code, args.work)
        print(f"build_manual: {render(code, args.work, args.out)}", flush=True)


if __name__ == "__main__":
    main()
