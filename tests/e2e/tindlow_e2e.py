"""End-to-end harness: the real Tindlow.exe under Wine inside its own Xvfb display.

A Session owns one throw-away world: a temporary directory holding the program directory and a
WINEPREFIX (a copy of a cached, initialised template prefix), an Xvfb display with openbox, and
a persistent wineserver. Programs started in it run with the program directory as their current
directory; the driver program (tdriver.exe) reads and works their window from a second process.

    with Session(self, files={"_Settings/Settings.txt": b"..."}) as s:
        s.start()                      # or s.start(at="2025-12-24 08:59:50")
        s.wait_for_line("Reload")
        s.close()
        s.wait_exit()

Environment: TINDLOW_EXE, TINDLOW_DRIVER (the cross-built programs), TINDLOW_E2E_OUT (folder for
screenshots and logs, one sub-folder per test). A failed session keeps its temporary directory
and says where.
"""

import datetime
import enum
import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path
from types import SimpleNamespace

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
TITLE_PREFIX = "Tindlow v1.40 (a)"
TEMPLATE_STAMP = ".tindlow-template"
CONTROL_IDS_HEADER = ROOT / "src/ui/control_ids.h"
MENU_COMMANDS_HEADER = ROOT / "src/app/menu_commands.h"

_cleared_outputs = set()


def read_control_ids(header=CONTROL_IDS_HEADER):
    """The resource ids of the dialog, its icon and its controls, read from the header that the
    resource script, the Win32 layer and the engine take them from: one attribute per
    "#define ID..._NAME number" line, the controls without their IDC_ prefix (ids.LOG_LIST), the
    dialog and the icon under their full names (ids.IDD_TINDLOW_DIALOG, ids.IDR_MAINFRAME)."""
    found = {}
    for line in header.read_text(encoding="utf-8").splitlines():
        match = re.match(r"\s*#\s*define\s+(ID[CDR]_\w+)\s+(\S+)\s*$", line)
        if not match:
            continue
        name, value = match.groups()
        if not value.isdigit():
            raise ValueError(f"{header}: {name} is no plain number: {value!r}")
        found[name[len("IDC_"):] if name.startswith("IDC_") else name] = int(value)
    if not found:
        raise ValueError(f"{header} defines no resource ids")
    return SimpleNamespace(**found)


ids = read_control_ids()


class _MenuCommandBase(enum.IntEnum):
    @property
    def index(self):
        """The command's place in the command menu, counted from 0 as the driver selects it."""
        return self.value - 1


def read_menu_commands(header=MENU_COMMANDS_HEADER):
    """The commands of the command menu, read from the enum class MenuCommand of the header that
    the program takes them from: an IntEnum with the same names and numbers
    (MenuCommand.SimulateDate == 18). The number is the one the command's text begins with, so
    the numbers must run from 1 without a gap: command.index is its place in the menu."""
    text = header.read_text(encoding="utf-8")
    body = re.search(r"\benum\s+class\s+MenuCommand\b[^{;]*\{(.*?)\}\s*;", text, re.S)
    if not body:
        raise ValueError(f"{header} has no enum class MenuCommand")
    found = []
    for enumerator in re.sub(r"//[^\n]*", "", body.group(1)).split(","):
        if not enumerator.strip():
            continue
        match = re.fullmatch(r"\s*([A-Za-z_]\w*)\s*=\s*(\d+)\s*", enumerator)
        if not match:
            raise ValueError(f"{header}: MenuCommand has an enumerator without a plain number: "
                             f"{enumerator.strip()!r}")
        found.append((match.group(1), int(match.group(2))))
    if [value for _, value in found] != list(range(1, len(found) + 1)):
        raise ValueError(f"{header}: the MenuCommand numbers do not run 1, 2, 3, ...: {found}")
    return _MenuCommandBase("MenuCommand", found, module=__name__)


MenuCommand = read_menu_commands()
COMMAND_COUNT = len(MenuCommand)  # the command menu is filled last in the start-up's first paint


# The header line of an event file.
HEADER = b"What;Text;Date;Time;Pretrigger [min];Repeat;Interval;Reminder key;Row\r\n"
# The dash line that ends a block of the log list.
DASH = "-" * 500
# The start of the log line that reports a failed Windows call; the error code follows.
ERROR_REPORT = "An error has occurred. The Windows error code was: "
_NUMBERED = re.compile(r"^(\d{3,})   (.*)$", re.S)

# What the window shows in each language: the captions and labels by control id, and the
# command menu in menu order.
ENGLISH_CAPTIONS = {
    ids.FUTURE_EVENTS: "Future Events", ids.MISSED_EVENTS: "Missed Events",
    ids.RELOAD_DATA: "Reload Data", ids.OPEN_HELP: "Open Help",
    ids.OPEN_DIRECTORY: "Open Directory", ids.HIDE_WINDOW: "Hide Window",
    ids.SWITCH_LANGUAGE: "Switch Language", ids.CLEAR_LISTBOX: "Clear Listbox",
    ids.STOP_ENTRIES: "Stop LB Entries", ids.DAYS_LABEL: "Days:",
    ids.DOCUMENTS_LABEL: "Documents:", ids.COMMANDS_LABEL: "Commands:",
}
GERMAN_CAPTIONS = {
    ids.FUTURE_EVENTS: "Künftige Ereignisse", ids.MISSED_EVENTS: "Verpasste Ereignisse",
    ids.RELOAD_DATA: "Daten Nachladen", ids.OPEN_HELP: "Öffne die Hilfe",
    ids.OPEN_DIRECTORY: "Öffne Verzeichnis", ids.HIDE_WINDOW: "Fenster Unsichtbar",
    ids.SWITCH_LANGUAGE: "Sprache Wechseln", ids.CLEAR_LISTBOX: "Lösche Listbox",
    ids.STOP_ENTRIES: "Stoppe Einträge", ids.DAYS_LABEL: "Tage:",
    ids.DOCUMENTS_LABEL: "Dokumente:", ids.COMMANDS_LABEL: "Befehle:",
}
ENGLISH_COMMANDS = [
    "1. Determine the Number of Running Tindlow Instances",
    "2. Pop-up all Hidden Tindlow Instances",
    "3. Reload the Settings File",
    "4. Reload the Initialization File",
    "5. Reload all Data Files",
    "6. Listbox Content, copy it into the Windows Clipboard",
    "7. Listbox Content, show it within Standard Text-Editor",
    "8. Show the last Reminders in a Message Box",
    "9. Show the last Reminders in Standard Text-Editor",
    "10. Show the complete Reminder Input Dictionary in Standard Text-Editor",
    "11. Show the today's Reminder Input Dictionary in Standard Text-Editor",
    "12. Select a Reminder File in the Listbox and create a File Preview",
    "13. Select a Reminder File in the Listbox and create a File Look-back",
    "14. Select a Reminder Key Line in Listbox and open corresponding File",
    "15. Select a Reminder Key Line in Listbox and determine next Event",
    "16. Select a Reminder Key Line in Listbox and determine last Event",
    "17. Create a Test-Reminder",
    "18. Simulate a Date (Input of Date in the Days Edit Box)",
    "19. Read tick count value since Computer start",
]
GERMAN_COMMANDS = [
    "1. Bestimme die Anzahl der aktuell laufenden Tindlow Instanzen",
    "2. Mache alle versteckten Tindlow Instanzen wieder sichtbar",
    "3. Lade die Einstellungen-Datei erneut",
    "4. Lade die Initialisierungs-Datei erneut",
    "5. Lade alle Ereignis-Dateien erneut",
    "6. Listbox-Inhalt in die Windows Zwischenablage kopieren",
    "7. Listbox-Inhalt im Standard-Text-Editor anzeigen",
    "8. Zeige die letzten Erinnerungen in einer Nachrichten-Box",
    "9. Zeige die letzten Erinnerungen im Standard-Text-Editor",
    "10. Zeige das komplette Erinnerungen-Dictionary im Standard-Text-Editor",
    "11. Zeige das heutige Erinnerungen-Dictionary im Standard-Text-Editor",
    "12. Wähle Ereignis-Datei in der Listbox und generiere eine Vorschau",
    "13. Wähle Ereignis-Datei in der Listbox und generiere eine Rückschau",
    "14. Wähle Schlüssel-Zeile in der Listbox und öffne zugehörige Datei",
    "15. Wähle Schlüssel-Zeile in der Listbox und bestimme nächstes Ereignis",
    "16. Wähle Schlüssel-Zeile in der Listbox und bestimme letztes Ereignis",
    "17. Generiere eine Test-Erinnerung",
    "18. Simuliere ein Datum (Eingabe des Datums in der Tage Eingabe Box)",
    "19. Lese den Tick-Count Wert seit dem Computerstart",
]


def clear_stale_faketime_files():
    """Remove the shared memory and semaphore files of faketime wrappers that are gone.

    The faketime wrapper removes its files only when it ends normally; a killed wrapper leaves
    them behind, and a later wrapper that gets the same process id then fails with
    "sem_open: File exists" before the program starts."""
    shm = Path("/dev/shm")
    if not shm.is_dir():
        return
    for entry in shm.iterdir():
        for prefix in ("faketime_shm_", "sem.faketime_sem_"):
            pid = entry.name[len(prefix):] if entry.name.startswith(prefix) else ""
            if pid.isdigit() and not Path(f"/proc/{pid}").exists():
                try:
                    entry.unlink()
                except OSError:
                    pass


def wait_until(probe, timeout=20, what="the condition"):
    """Poll `probe` until it answers something true; returns that answer. The timeout is only an
    upper bound for slow machines, never a measure of speed."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"{what} did not come within {timeout} s")
        time.sleep(0.2)


class DriverError(AssertionError):
    """A driver command failed (its exit code was not 0)."""


def _first_existing(*candidates):
    for candidate in candidates:
        if candidate is None:
            continue
        path = shutil.which(candidate) if os.sep not in candidate else candidate
        if path and os.path.exists(path):
            return path
    return None


def wine_binary():
    # Debian's wine64 package has no `wine` command; its loader lives in /usr/lib/wine.
    found = _first_existing(os.environ.get("WINE"), "wine", "wine64", "/usr/lib/wine/wine64")
    if not found:
        raise RuntimeError("no Wine found (install wine64)")
    return found


def wineserver_binary():
    found = _first_existing(os.environ.get("WINESERVER"), "wineserver", "/usr/lib/wine/wineserver")
    if not found:
        raise RuntimeError("no wineserver found (install wine64)")
    return found


def exe_path():
    return Path(os.environ.get("TINDLOW_EXE", ROOT / "build/win/Tindlow.exe"))


def driver_path():
    return Path(os.environ.get("TINDLOW_DRIVER", ROOT / "build/win/tdriver.exe"))


def out_root():
    return Path(os.environ.get("TINDLOW_E2E_OUT", ROOT / "build/native/e2e-out"))


def unescape(line):
    """Undo the driver's escaping of backslash, line feed, carriage return and tab."""
    out = []
    i = 0
    while i < len(line):
        c = line[i]
        if c == "\\" and i + 1 < len(line):
            nxt = line[i + 1]
            out.append({"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}.get(nxt, "\\" + nxt))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def _numbered(line):
    match = _NUMBERED.match(line)
    if not match:
        raise AssertionError(f"log line without its number: {line!r}")
    return match


def log_number(line):
    """The number a log list line begins with."""
    return int(_numbered(line).group(1))


def log_text(line):
    """A log list line without its number."""
    return _numbered(line).group(2)


def utf16_text(data):
    """The text of a file the program writes as UTF-16 with its byte order mark."""
    if data[:2] != b"\xff\xfe":
        raise AssertionError(f"no UTF-16 byte order mark: {data[:8]!r}")
    return data[2:].decode("utf-16-le")


def windows_path(path):
    """The Windows spelling of a local path (Wine maps / to Z:)."""
    return "Z:" + str(path).replace("/", "\\")


def program_seconds(moment):
    """Tindlow's program seconds of a local datetime: day number (01.01.1901 is day 1) times
    86400 plus the seconds after midnight."""
    day_number = (moment.date() - datetime.date(1901, 1, 1)).days + 1
    return day_number * 86400 + moment.hour * 3600 + moment.minute * 60 + moment.second


def emitted_log_line(moment, key="[01.02.2020-08:15:00-123456789-987654321]"):
    """One line of the emitted reminders log (with CR LF): the event-time reminder of `key`,
    given at the local datetime `moment`."""
    return (f"{key}<@@@>0100 0000 0000 0000 0000 0000 0000 0000<@@@>"
            f"{program_seconds(moment)}.00<@@@> [Key] [remindMatrix] [lastOutputSec] weitere "
            f"Informationen: Dentist; Datei: C:\\Rem\\_SingleEvents\\Health.csv; Zeile: 5\r\n"
            ).encode("latin-1")


def _base_env(prefix, display=None):
    env = dict(os.environ)
    env["WINEPREFIX"] = str(prefix)
    env["WINEDEBUG"] = "-all"
    # No Mono or Gecko installer dialogs while a prefix is set up.
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    for name in ("FAKETIME", "LD_PRELOAD", "NO_FAKE_STAT", "FAKETIME_DONT_FAKE_MONOTONIC"):
        env.pop(name, None)
    if display is None:
        env.pop("DISPLAY", None)
    else:
        env["DISPLAY"] = display
    return env


def _wine_version():
    result = subprocess.run([wine_binary(), "--version"], capture_output=True, text=True,
                            stdin=subprocess.DEVNULL, timeout=60)
    return result.stdout.strip()


def _remove_server_directory(prefix):
    """Debian's Wine keeps a prefix's server socket directory in /tmp/wine-XXXXXX and names it
    in the prefix: remove it once the server has stopped."""
    name_file = prefix / "wineserver"
    if not name_file.is_file():
        return
    name = name_file.read_text().strip()
    if name.startswith("wine-") and "/" not in name:
        shutil.rmtree(Path(tempfile.gettempdir()) / name, ignore_errors=True)


def template_prefix():
    """The initialised template prefix, created once and reused while Wine stays the same."""
    template = out_root() / "prefix-template"
    out_root().mkdir(parents=True, exist_ok=True)
    with open(out_root() / "prefix-template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp = template / TEMPLATE_STAMP
        wanted = _wine_version()
        if stamp.exists() and stamp.read_text() == wanted:
            return template
        shutil.rmtree(template, ignore_errors=True)
        env = _base_env(template)
        subprocess.run([wine_binary(), "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300,
                       check=True)
        subprocess.run([wineserver_binary(), "-w"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        _remove_server_directory(template)
        stamp.write_text(wanted)
        return template


def _copy_prefix(template, prefix):
    """Hard-link the big, never written files of the template; copy everything else."""
    try:
        subprocess.run(["cp", "-al", str(template), str(prefix)], check=True,
                       stderr=subprocess.DEVNULL)
    except subprocess.CalledProcessError:
        shutil.rmtree(prefix, ignore_errors=True)
        subprocess.run(["cp", "-a", str(template), str(prefix)], check=True)
        return
    # Files at the top (registry, update stamp) are rewritten by Wine. The name of the server's
    # socket directory is the template's own: the session's server makes its own.
    (prefix / "wineserver").unlink(missing_ok=True)
    for entry in prefix.iterdir():
        if entry.is_file() and not entry.is_symlink():
            data = entry.read_bytes()
            entry.unlink()
            entry.write_bytes(data)


class Program:
    """One started Tindlow.exe process."""

    def __init__(self, process, title=None):
        self.process = process
        self.title = title

    def running(self):
        return self.process.poll() is None


class Session:
    def __init__(self, test=None, files=None, source=None, name=None, program_name="Program",
                 keep=False):
        """test: the running unittest.TestCase (names the output folder); files: dict of
        program-relative path -> bytes or str written before start; source: a directory whose
        content is copied into the program directory first."""
        if name is None:
            name = test.id() if test is not None else "session"
            if name.startswith("__main__."):
                name = Path(sys.argv[0]).stem + name[len("__main__"):]
        self.name = name
        self.keep = keep
        self.out = out_root() / name
        if self.out not in _cleared_outputs:
            # Output of an earlier run goes; several sessions of one test share the folder.
            shutil.rmtree(self.out, ignore_errors=True)
            _cleared_outputs.add(self.out)
        self.out.mkdir(parents=True, exist_ok=True)
        self.exe = exe_path()
        self.driver_exe = driver_path()
        for needed in (self.exe, self.driver_exe):
            if not needed.exists():
                raise RuntimeError(f"{needed} does not exist: build the MinGW build first")
        self.wine = wine_binary()
        self.wineserver = wineserver_binary()
        self.root = Path(tempfile.mkdtemp(prefix="tindlow-e2e-"))
        self.program_dir = self.root / program_name
        self.prefix = self.root / "prefix"
        self.programs = []
        self._xvfb = None
        self._wm = None
        self._logs = []
        self.display = None
        try:
            if source is not None:
                shutil.copytree(source, self.program_dir)
            self.program_dir.mkdir(parents=True, exist_ok=True)
            for rel, content in (files or {}).items():
                self.write(rel, content)
            _copy_prefix(template_prefix(), self.prefix)
            self._start_display()
            # A persistent server, started without faked time, for every program of the session.
            subprocess.run([self.wineserver, "-p"], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
            # The first Wine process of a prefix starts its service processes (desktop, device
            # manager, ...), which live on with its standard output: let a throw-away driver
            # run start them, with its output in a log file.
            subprocess.run([self.wine, str(self.driver_exe), "windows"], env=self.env(),
                           stdin=subprocess.DEVNULL, stdout=self._log("wine-services.log"),
                           stderr=subprocess.STDOUT, timeout=120)
        except BaseException:
            self._cleanup(failed=True)
            raise

    # --- context manager ---

    def __enter__(self):
        return self

    def __exit__(self, exc_type, exc, tb):
        failed = exc_type is not None
        if failed:
            self._record_failure()
        self._cleanup(failed=failed)
        return False

    # --- environment ---

    @property
    def temp_dir(self):
        """C:\\Temp of the prefix."""
        return self.prefix / "drive_c" / "Temp"

    @property
    def popup_signal_file(self):
        return self.temp_dir / "PopupHiddenReminders.txt"

    def env(self):
        return _base_env(self.prefix, self.display)

    def _log(self, name):
        handle = open(self.out / name, "ab")
        self._logs.append(handle)
        return handle

    def _start_display(self):
        read_fd, write_fd = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1600x1000x24",
                 "-nolisten", "tcp"],
                pass_fds=(write_fd,), stdin=subprocess.DEVNULL, stdout=self._log("xvfb.log"),
                stderr=subprocess.STDOUT)
            os.close(write_fd)
            write_fd = None
            number = b""
            with os.fdopen(read_fd, "rb") as reader:
                read_fd = None
                number = reader.readline().strip()
            if not number:
                raise RuntimeError("Xvfb did not start (see xvfb.log)")
            self.display = ":" + number.decode()
        finally:
            for fd in (read_fd, write_fd):
                if fd is not None:
                    os.close(fd)
        if shutil.which("openbox"):
            ready = self.root / "wm-ready"
            self._wm = subprocess.Popen(
                ["openbox", "--sm-disable", "--startup", f"touch {ready}"], env=self.env(),
                stdin=subprocess.DEVNULL, stdout=self._log("openbox.log"),
                stderr=subprocess.STDOUT)
            deadline = time.monotonic() + 30
            while not ready.exists():
                if time.monotonic() > deadline or self._wm.poll() is not None:
                    raise RuntimeError("openbox did not start (see openbox.log)")
                time.sleep(0.05)
        else:
            # Without a window manager Wine draws its own captions.
            subprocess.run([self.wine, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v",
                            "Managed", "/t", "REG_SZ", "/d", "N", "/f"], env=self.env(),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=120, check=True)

    # --- program directory ---

    def path(self, rel):
        return self.program_dir / Path(rel.replace("\\", "/"))

    def write(self, rel, content):
        target = self.path(rel)
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(content.encode() if isinstance(content, str) else content)
        return target

    def read(self, rel):
        return self.path(rel).read_bytes()

    def files(self, under=""):
        """Every file of the program directory (or one of its sub-directories) as
        {relative posix path: bytes}."""
        base = self.path(under) if under else self.program_dir
        return {p.relative_to(self.program_dir).as_posix(): p.read_bytes()
                for p in sorted(base.rglob("*")) if p.is_file()}

    def snapshot(self):
        """{relative path: (bytes, mtime_ns)} of every file, to compare before and after."""
        return {p.relative_to(self.program_dir).as_posix(): (p.read_bytes(), p.stat().st_mtime_ns)
                for p in sorted(self.program_dir.rglob("*")) if p.is_file()}

    # --- programs ---

    def start(self, at=None, wait=True, timeout=30):
        """Start Tindlow.exe in the program directory, optionally at local time `at`
        ("YYYY-MM-DD hh:mm:ss", the clock then runs on). With wait, waits for a new visible
        window and for the end of the start-up (the filled command menu)."""
        command = [self.wine, str(self.exe)]
        env = self.env()
        if at is not None:
            clear_stale_faketime_files()
            env["NO_FAKE_STAT"] = "1"
            env["FAKETIME_DONT_FAKE_MONOTONIC"] = "1"
            command = ["faketime", at] + command
        before = set(self.titles()) if wait and self.programs else set()
        log = self._log(f"program{len(self.programs) + 1}.log")
        process = subprocess.Popen(command, cwd=self.program_dir, env=env,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        program = Program(process)
        self.programs.append(program)
        if wait:
            program.title = self._wait_new_window(before, program, timeout)
            self.wait_ready(title=program.title, exact=True)
        return program

    def wait_ready(self, timeout=30, **kw):
        """Wait until the start-up has filled the command menu."""
        deadline = time.monotonic() + timeout
        while len(self.combo(ids.COMMAND_MENU, **kw)) < COMMAND_COUNT:
            if time.monotonic() > deadline:
                raise AssertionError("the start-up did not fill the command menu")
            time.sleep(0.2)

    def _wait_new_window(self, before, program, timeout):
        deadline = time.monotonic() + timeout
        while True:
            rest_ms = max(int((deadline - time.monotonic()) * 1000), 0)
            if not before:
                return self.wait_window(timeout_ms=rest_ms)
            new = [t for t in self.titles() if t not in before]
            if new:
                return new[0]
            if not program.running():
                raise AssertionError("Tindlow.exe ended before its window appeared")
            if time.monotonic() > deadline:
                raise AssertionError("no new Tindlow window appeared")
            time.sleep(0.2)

    @property
    def program(self):
        if not self.programs:
            raise AssertionError("no program was started")
        return self.programs[-1]

    def wait_exit(self, timeout=20, program=None):
        """Wait until the program process has ended; returns its exit code."""
        program = program or self.program
        try:
            return program.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"Tindlow.exe still runs after {timeout} s") from None

    # --- driver ---

    def run_driver(self, *args, title=None, exact=False, timeout=60):
        """Run a driver command; returns (exit code, stdout, stderr)."""
        command = [self.wine, str(self.driver_exe)]
        if title is not None:
            command += ["--title", title]
        if exact:
            command.append("--exact")
        command += [str(a) for a in args]
        # Files, not pipes: a Wine process may leave helper processes holding its output open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            result = subprocess.run(command, env=self.env(), stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            return (result.returncode, out.read().decode("utf-8", "replace"),
                    err.read().decode("utf-8", "replace"))

    # Commands that only read; under load Wine now and then fails a cross-process read, and
    # asking again is harmless.
    READ_ONLY = {"text", "title", "list", "combo", "cursel", "checked", "boxes", "visible", "rect",
                 "face", "windows", "pid", "focused", "clipboard", "repaint-check"}

    def driver(self, *args, title=None, exact=False, timeout=60):
        """Run a driver command that must succeed; returns its standard output."""
        attempts = 3 if args and str(args[0]) in self.READ_ONLY else 1
        for attempt in range(attempts):
            code, out, err = self.run_driver(*args, title=title, exact=exact, timeout=timeout)
            if code == 0:
                return out
            if attempt + 1 < attempts:
                time.sleep(0.5)
        raise DriverError(f"driver {' '.join(map(str, args))} failed ({code}): {err.strip()}")

    def lines(self, *args, **kwargs):
        """A driver command's output as a list of lines (escapes kept)."""
        out = self.driver(*args, **kwargs)
        return out.split("\n")[:-1] if out else []

    def wait_window(self, prefix=TITLE_PREFIX, timeout_ms=30000):
        """Wait for a visible Tindlow window; returns its full title."""
        return self.lines("wait-window", prefix, timeout_ms)[0]

    def titles(self, prefix=TITLE_PREFIX):
        return self.lines("windows", prefix)

    def title(self, **kw):
        return self.lines("title", **kw)[0]

    def text(self, control_id, **kw):
        return unescape(self.lines("text", control_id, **kw)[0])

    def list_lines(self, **kw):
        """The lines of the log list, as they are (unescaped)."""
        return [unescape(line) for line in self.lines("list", **kw)]

    def log_texts(self, **kw):
        """The lines of the log list without their numbers."""
        return [log_text(line) for line in self.list_lines(**kw)]

    def combo(self, control_id, **kw):
        return [unescape(line) for line in self.lines("combo", control_id, **kw)]

    def boxes(self, **kw):
        """Open message boxes as (caption, text, icon) tuples; icon is "information",
        "exclamation", "stop", "none" or "?"."""
        result = []
        for line in self.lines("boxes", **kw):
            caption, text, icon = line.split("\t")
            result.append((unescape(caption), unescape(text), icon))
        return result

    def wait_box(self, timeout=15, **kw):
        """Wait for a message box; returns the first as (caption, text, icon)."""
        deadline = time.monotonic() + timeout
        while True:
            boxes = self.boxes(**kw)
            if boxes:
                return boxes[0]
            if time.monotonic() > deadline:
                raise AssertionError(f"no message box appeared within {timeout} s")
            time.sleep(0.2)

    def close_box(self, wait_ms=15000, **kw):
        """Close the first message box (waiting for one); returns (caption, text, icon)."""
        caption, text, icon = self.lines("close-box", "--wait", wait_ms, **kw)[0].split("\t")
        return unescape(caption), unescape(text), icon

    def settled_box(self, timeout=30):
        """Wait for a reminder box on the shown window, after the window's flashing (the box is
        not drawn while its window is minimised); returns (text, icon) of the box."""
        # The icon is told by the colours on the screen: a look while another window still covers a
        # part of the box can see the wrong colour, so two looks in a row must agree.
        seen = []

        def shown():
            boxes = self.boxes()
            box = self.visible() == (True, False) and boxes and boxes[0][2] != "?" and boxes[0]
            seen.append(box)
            return box and len(seen) >= 2 and seen[-2] == box and box
        _, text, icon = wait_until(shown, timeout, "a reminder box on the shown window")
        return text, icon

    def wait_for_line(self, substring, timeout=15, **kw):
        """Wait until a log list line contains `substring`; returns that line."""
        deadline = time.monotonic() + timeout
        lines = []
        while True:
            lines = self.list_lines(**kw)
            for line in lines:
                if substring in line:
                    return line
            if time.monotonic() > deadline:
                shown = "\n".join(lines[-20:])
                raise AssertionError(f"no log line contains {substring!r}; last lines:\n{shown}")
            time.sleep(0.3)

    def click(self, control_id, **kw):
        self.driver("click", control_id, **kw)

    def close(self, **kw):
        """Close the window through its caption (WM_CLOSE)."""
        self.driver("close", **kw)

    def cancel(self, **kw):
        """The dialog's cancel command (what the Escape key does)."""
        self.driver("cancel", **kw)

    def visible(self, **kw):
        """(visible, minimised) of the window."""
        words = dict(w.split("=") for w in self.lines("visible", **kw)[0].split())
        return words["visible"] == "1", words["iconic"] == "1"

    def rect(self, control_id=None, **kw):
        args = ["rect"] + ([control_id] if control_id is not None else [])
        return tuple(int(v) for v in self.lines(*args, **kw)[0].split())

    def windows_path(self, path=""):
        """The program's own spelling of a local path (Wine maps / to Z:). A relative path is
        taken below the program directory; the empty one is the program directory itself."""
        if not Path(path).is_absolute():
            path = self.path(str(path))
        return windows_path(path)

    # --- opened windows ---

    def register_text_editor(self, *extensions):
        """Let the shell open files of the extensions (default: .txt) with the text editor."""
        for extension in extensions or (".txt",):
            subprocess.run([self.wine, "reg", "add", "HKLM\\Software\\Classes\\" + extension,
                            "/ve", "/d", "txtfile", "/f"], env=self.env(),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60, check=True)

    def close_window(self, title, shot=None, what=None):
        """Wait for a window whose title begins with `title`, take the screenshot `shot` of it
        if one is named, then close it and wait for its end."""
        what = what or f"the window {title!r}"
        wait_until(lambda: self.titles(title), 30, what)
        if shot:
            self.screenshot(shot)
        self.driver("close", title=title, exact=True)
        wait_until(lambda: not self.titles(title), 30, f"the end of {what}")

    def close_editor(self, name, shot=None):
        """Wait for the text editor showing the export `name`, then close it (it would cover the
        message boxes that follow)."""
        self.close_window(name + " - Notepad", shot, f"the text editor showing {name}")

    def repaint_check(self, name, control_id=None):
        """Compare the control (default: the log list) as the screen shows it with the same
        control drawn anew. Returns the driver's answer, "equal <hash>" or "differ ..."; on a
        difference both pictures are kept as <output folder>/<name>-before.bmp and -after.bmp."""
        args = ["repaint-check"] + ([control_id] if control_id is not None else [])
        args += ["--save", self.windows_path(self.out / name)]
        return self.lines(*args)[0]

    def screenshot(self, name):
        """Save the whole virtual screen as <output folder>/<name>.png; returns the path."""
        target = self.out / (name if name.endswith(".png") else name + ".png")
        subprocess.run(["import", "-display", self.display, "-window", "root", str(target)],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        return target

    # --- cleanup ---

    def _record_failure(self):
        """Leave what a failing test saw in its output folder."""
        try:
            if self._xvfb is not None and self._xvfb.poll() is None:
                self.screenshot("failure")
            if any(p.running() for p in self.programs):
                code, out, _ = self.run_driver("list", timeout=20)
                if code == 0:
                    (self.out / "failure-list.txt").write_text(out, encoding="utf-8")
                code, out, _ = self.run_driver("boxes", timeout=20)
                if code == 0:
                    (self.out / "failure-boxes.txt").write_text(out, encoding="utf-8")
        except Exception as error:  # the failure itself matters more than its record
            print(f"could not record the failure: {error}", file=sys.stderr)

    def _cleanup(self, failed):
        for program in self.programs:
            if program.running():
                program.process.kill()
        if self.prefix.exists():
            env = self.env()
            for flag in ("-k", "-w"):
                try:
                    subprocess.run([self.wineserver, flag], env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   timeout=30)
                except subprocess.TimeoutExpired:
                    pass
            _remove_server_directory(self.prefix)
        for program in self.programs:
            try:
                program.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        for process in (self._wm, self._xvfb):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for log in self._logs:
            log.close()
        self._logs = []
        clear_stale_faketime_files()
        if failed or self.keep:
            print(f"kept the session directory {self.root} (output in {self.out})",
                  file=sys.stderr)
        else:
            shutil.rmtree(self.root, ignore_errors=True)
