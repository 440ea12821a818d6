#!/usr/bin/python3
"""Runs message-box command lines on a virtual X display and reports what they did.

Two uses:

  drive.py run [--action ACTION] [--timeout S] -- COMMAND [ARG...]
      runs one command, performs ACTION on its box and prints one JSON object:
      the exit status, stdout, stderr and what the box showed.

  drive.py table TABLE [--ours PATH] [--rows N,M-K] [--json FILE] [--keep-config]
      runs every row of the table (tests/compat/message-boxes.tsv) through the real
      tool named by the row's first word and through our program, and prints both
      results side by side, the disagreements and the totals. Exits 0 when the
      real tools agree with the table (and ours with the real tools), 1 otherwise.

It needs Debian's /usr/bin/python3 with python-xlib and PyGObject, Xvfb, dbus-run-session
and at-spi2-core (scripts/install-deps.sh --compat). It starts one Xvfb, one D-Bus session
and one accessibility bus for the whole invocation and stops them at the end.

What a box shows is read through AT-SPI (buttons, their order and default, the text
labels, the icon's name) and from the window's X properties (the title). Keys are sent
by XTEST to the box's window after giving it the input focus (no window manager runs);
the close box is a WM_DELETE_WINDOW client message; press:LABEL clicks the button's
centre by XTEST (its accessible action where it has no place on the screen).
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

ACTIONS = ("enter", "escape", "close", "wait", "none")
ACTION_PREFIXES = ("press:", "tick+press:")
INNER_FLAG = "--inside-session"

WINDOW_WAIT = 20.0      # seconds for a box to appear (the first KDE start is slow)
EXIT_WAIT = 10.0        # seconds for the program to end once acted on
NONE_WAIT = 10.0        # seconds a row without a box may run
WAIT_EXTRA = 15.0       # beyond the command's own --timeout, for action 'wait'
ATSPI_WAIT = 8.0        # seconds for the box to appear on the accessibility bus
ATSPI_RETRY = 2.0       # the same, when another attempt may follow
ATTEMPTS = 4            # runs of a command whose box stays off the accessibility bus


# ---------------------------------------------------------------- the table

def split_words(line):
    """Splits a table's args column: blanks separate words; '...' and "..." quote
    literally (no escapes), also inside a word, as a shell would join them."""
    words, cur, i = [], None, 0
    while i < len(line):
        c = line[i]
        if c in " \t":
            if cur is not None:
                words.append(cur)
                cur = None
            i += 1
        elif c in "'\"":
            end = line.find(c, i + 1)
            if end < 0:
                raise ValueError("unterminated %s in: %s" % (c, line))
            cur = (cur or "") + line[i + 1:end]
            i = end + 1
        else:
            cur = (cur or "") + c
            i += 1
    if cur is not None:
        words.append(cur)
    return words


def decode_cell(text):
    """A stdout or shows value: '\\n' is a line end, '\\t' a tab, '\\\\' a backslash."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text) and text[i + 1] in "nt\\":
            out.append({"n": "\n", "t": "\t", "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def unescape_cell(text):
    """A stdout cell: '-' is nothing."""
    if text == "-":
        return ""
    return decode_cell(text)


SHOWS_KEYS = ("title", "buttons", "default", "icon", "text")


def parse_shows(cell):
    """'key=value; key=value' into a dict ('-' is empty)."""
    if cell.strip() in ("", "-"):
        return {}
    shows = {}
    for item in cell.split("; "):
        item = item.strip()
        if not item:
            continue
        if "=" not in item:
            raise ValueError("shows item without '=': %r" % item)
        key, value = item.split("=", 1)
        if key not in SHOWS_KEYS:
            raise ValueError("unknown shows key %r" % key)
        shows[key] = decode_cell(value)
    return shows


def valid_action(action):
    return action in ACTIONS or any(action.startswith(p) and len(action) > len(p) for p in ACTION_PREFIXES)


class Row:
    def __init__(self, number, line_no, cells):
        if len(cells) not in (6, 7, 8):
            raise ValueError("line %d: %d columns, want 6 to 8" % (line_no, len(cells)))
        self.number = number
        self.line_no = line_no
        self.label = cells[0]
        self.args_text = cells[1]
        words = split_words(cells[1])
        if not words or words[0] not in ("zenity", "kdialog"):
            raise ValueError("line %d: the command must start with zenity or kdialog" % line_no)
        self.tool = words[0]
        self.args = words[1:]
        self.action = cells[2]
        if not valid_action(self.action):
            raise ValueError("line %d: unknown action %r" % (line_no, self.action))
        if not re.fullmatch(r"\d+", cells[3]):
            raise ValueError("line %d: status %r is not a number" % (line_no, cells[3]))
        self.status = int(cells[3])
        self.stdout = unescape_cell(cells[4])
        self.shows = parse_shows(cells[5])
        self.stderr = cells[6] if len(cells) >= 7 else ""
        # what this program's box shows where it differs on purpose from the real tool's
        self.ours_shows = parse_shows(cells[7]) if len(cells) == 8 and cells[7] else {}
        self.ours_only = self.label.startswith("ours only:")
        # what the real tool does where this program does otherwise (its own row says what)
        self.real_only = self.label.startswith(("zenity only:", "kdialog only:"))

    def __repr__(self):
        return "Row(%d, %r)" % (self.number, self.label)


def parse_table(text):
    """The rows of a table file. The columns are label, args, action, status, stdout,
    shows and an optional stderr."""
    rows = []
    for line_no, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        rows.append(Row(len(rows) + 1, line_no, line.split("\t")))
    return rows


def select_rows(rows, numbers):
    """'3,7-9' picks rows by number; None picks all."""
    if not numbers:
        return rows
    wanted = set()
    for part in numbers.split(","):
        if "-" in part:
            lo, hi = part.split("-", 1)
            wanted.update(range(int(lo), int(hi) + 1))
        else:
            wanted.add(int(part))
    return [r for r in rows if r.number in wanted]


# ---------------------------------------------------------- comparing results

def seen_items(result):
    """What a run showed, as the table's shows keys."""
    seen = {}
    if result.get("title") is not None:
        seen["title"] = result["title"]
    if result.get("buttons") is not None:
        seen["buttons"] = ",".join(result["buttons"])
    if result.get("default") is not None:
        seen["default"] = result["default"]
    if result.get("icon") is not None:
        seen["icon"] = result["icon"]
    if result.get("text") is not None:
        seen["text"] = result["text"]
    return seen


def shows_differences(expected, result):
    """The keys of expected whose value the result does not show, as 'key: want X, saw Y'."""
    if not expected:
        return []
    seen = seen_items(result)
    diffs = []
    for key, want in expected.items():
        got = seen.get(key)
        if got != want:
            diffs.append("%s: want %s, saw %s" % (key, show_value(want), show_value(got)))
    return diffs


def show_value(v, limit=160):
    if v is None:
        return "(nothing)"
    text = json.dumps(v, ensure_ascii=False)
    return text if len(text) <= limit else text[:limit - 4] + '..."'


def outcome_differences(want_status, want_stdout, result):
    """Status and stdout differences between an expected outcome and a run."""
    diffs = []
    if result.get("status") != want_status:
        diffs.append("status: want %s, got %s" % (want_status, result.get("status")))
    if result.get("stdout") != want_stdout:
        diffs.append("stdout: want %s, got %s" % (show_value(want_stdout), show_value(result.get("stdout"))))
    return diffs


def stderr_difference(want, result):
    if want and want not in (result.get("stderr") or ""):
        return ["stderr: want it to contain %s, got %s" % (show_value(want), show_value(result.get("stderr")))]
    return []


def compare_row(row, real, ours):
    """The disagreements of one row: real against the table, ours against the real tool
    (or against the table where the real tool is not run). Each is a list of texts."""
    report = {"real": [], "ours": [], "ours_shows": []}
    if real is not None:
        report["real"] = (outcome_differences(row.status, row.stdout, real)
                          + shows_differences(row.shows, real)
                          + stderr_difference(row.stderr, real))
    if ours is not None:
        if real is not None and not row.ours_only:
            report["ours"] = outcome_differences(real.get("status"), real.get("stdout"), ours)
            # the real tool's own view is the reference for what the box shows
            mirror = {k: v for k, v in seen_items(real).items() if k in row.shows or k == "buttons"}
            mirror.update(row.ours_shows)
            report["ours_shows"] = shows_differences(mirror, ours)
        else:
            report["ours"] = outcome_differences(row.status, row.stdout, ours)
            report["ours_shows"] = shows_differences(row.shows, ours) + stderr_difference(row.stderr, ours)
    return report


def one_line(text, limit=70):
    text = (text or "").replace("\n", "\\n")
    return text if len(text) <= limit else text[:limit - 3] + "..."


def describe(result):
    if result is None:
        return "(not run)"
    status = result.get("status")
    parts = ["status %s" % ("?" if status is None else status),
             "stdout %s" % (show_value(result.get("stdout"), 60) if result.get("stdout") else "-")]
    seen = seen_items(result)
    if seen:
        parts.append("; ".join("%s=%s" % (k, one_line(v, 50)) for k, v in seen.items()))
    elif result.get("window") is False:
        parts.append("no box")
    if result.get("notes"):
        parts.append("[" + "; ".join(result["notes"]) + "]")
    return "  ".join(parts)


def new_totals():
    return {"rows": 0, "real_run": 0, "real_ok": 0, "ours_run": 0, "ours_ok": 0, "ours_shows_ok": 0}


def print_row(row, real, ours, totals, out=sys.stdout):
    """Prints one row's two results and their disagreements, and counts them."""
    diffs = compare_row(row, real, ours)
    totals["rows"] += 1
    out.write("%3d  %s\n" % (row.number, row.label))
    out.write("     $ %s   [%s: status %s, stdout %s]\n" % (
        one_line(row.args_text, 100), row.action, row.status, show_value(row.stdout) if row.stdout else "-"))
    if real is not None:
        totals["real_run"] += 1
        totals["real_ok"] += not diffs["real"]
    out.write("     real  %s\n" % (describe(real) if not row.ours_only else "(not run: ours only)"))
    if ours is not None:
        totals["ours_run"] += 1
        totals["ours_ok"] += not diffs["ours"]
        totals["ours_shows_ok"] += not diffs["ours_shows"]
    out.write("     ours  %s\n" % describe(ours))
    for d in diffs["real"]:
        out.write("     ! real tool against the table: %s\n" % d)
    ref = "table" if (real is None or row.ours_only) else "real tool"
    for d in diffs["ours"] + diffs["ours_shows"]:
        out.write("     ! ours against the %s: %s\n" % (ref, d))
    out.flush()


def print_totals(totals, out=sys.stdout):
    out.write("\nrows: %d\n" % totals["rows"])
    out.write("real tool agrees with the table (status, stdout, shows, stderr): %d of %d run\n"
              % (totals["real_ok"], totals["real_run"]))
    if totals["ours_run"]:
        out.write("ours agrees with the real tool (status and stdout): %d of %d run\n"
                  % (totals["ours_ok"], totals["ours_run"]))
        out.write("ours shows what the real tool shows (buttons and the row's keys): %d of %d run\n"
                  % (totals["ours_shows_ok"], totals["ours_run"]))


def print_report(rows, results, out=sys.stdout):
    """Every row's results (a dict of row number to (real, ours)), then the totals."""
    totals = new_totals()
    for row in rows:
        real, ours = results.get(row.number, (None, None))
        print_row(row, real, ours, totals, out)
    print_totals(totals, out)
    return totals


# ------------------------------------------------------------ the session

def find_free_display():
    for n in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    raise RuntimeError("no free X display number")


def start_xvfb():
    """Starts Xvfb and returns (process, display name). Bounded: 10 s."""
    for _ in range(5):
        n = find_free_display()
        proc = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.time() + 10
        while time.time() < deadline:
            if proc.poll() is not None:
                break
            if os.path.exists("/tmp/.X11-unix/X%d" % n):
                return proc, ":%d" % n
            time.sleep(0.05)
        stop_process(proc)
    raise RuntimeError("Xvfb did not start")


def stop_process(proc, grace=2.0):
    if proc is None or proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except (ProcessLookupError, PermissionError):
        proc.terminate()
    try:
        proc.wait(grace)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            proc.kill()
        try:
            proc.wait(grace)
        except subprocess.TimeoutExpired:
            pass


def run_outside(argv, script=__file__):
    """Starts Xvfb and a D-Bus session and runs the script (this one unless
    another is named) again inside them, with INNER_FLAG before argv."""
    for tool in ("Xvfb", "dbus-run-session"):
        if not shutil.which(tool):
            sys.exit("drive.py: %s is missing (scripts/install-deps.sh --compat installs it)" % tool)
    xvfb, display = start_xvfb()
    runtime = tempfile.mkdtemp(prefix="quibra-compat-run-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime)
    env.pop("WAYLAND_DISPLAY", None)
    inner = None
    try:
        inner = subprocess.Popen(["dbus-run-session", "--", sys.executable, os.path.abspath(script), INNER_FLAG]
                                 + argv, env=env, start_new_session=True, stderr=subprocess.PIPE)
        # the session's daemon complains about its file limit and reports each
        # activation: keep everything else. A thread reads, so that a daemon
        # left holding the pipe cannot keep us waiting.
        def copy_stderr():
            for line in inner.stderr:
                if not line.startswith(b"dbus-daemon[") and b"SpiRegistry daemon is running" not in line:
                    sys.stderr.buffer.write(line)
                    sys.stderr.flush()
        reader = threading.Thread(target=copy_stderr, daemon=True)
        reader.start()
        status = inner.wait()
        reader.join(2)
        return status
    except KeyboardInterrupt:
        return 130
    finally:
        stop_process(inner)
        stop_process(xvfb)
        shutil.rmtree(runtime, ignore_errors=True)


# AT-SPI state numbers (a state set is two 32-bit words of bits)
CHECKED, FOCUSED, SHOWING, IS_DEFAULT = 4, 12, 25, 39
ROOT_PATH = "/org/a11y/atspi/accessible/root"
A11Y = "org.a11y.atspi."


class Node:
    """One accessible object: a connection's unique name and an object path."""

    def __init__(self, bus, name, path):
        self.bus, self.name, self.path = bus, name, path

    def call(self, iface, method, args=None, timeout=3000):
        from gi.repository import Gio
        reply = self.bus.call_sync(self.name, self.path, A11Y + iface, method, args, None,
                                   Gio.DBusCallFlags.NONE, timeout, None)
        return reply.unpack()

    def prop(self, iface, prop):
        from gi.repository import GLib, Gio
        reply = self.bus.call_sync(self.name, self.path, "org.freedesktop.DBus.Properties", "Get",
                                   GLib.Variant("(ss)", (A11Y + iface, prop)), None,
                                   Gio.DBusCallFlags.NONE, 3000, None)
        return reply.unpack()[0]

    def children(self):
        try:
            return [Node(self.bus, n, p) for n, p in self.call("Accessible", "GetChildren")[0]
                    if p != "/org/a11y/atspi/null"]
        except Exception:
            return []

    def role(self):
        try:
            return self.call("Accessible", "GetRoleName")[0]
        except Exception:
            return ""

    def label(self):
        try:
            return self.prop("Accessible", "Name") or ""
        except Exception:
            return ""

    def has(self, state):
        try:
            words = self.call("Accessible", "GetState")[0]
            return bool(words[state // 32] & (1 << (state % 32)))
        except Exception:
            return False

    def extents(self):
        from gi.repository import GLib
        try:
            return tuple(self.call("Component", "GetExtents", GLib.Variant("(u)", (0,)))[0])
        except Exception:
            return None

    def text(self):
        from gi.repository import GLib
        try:
            return self.call("Text", "GetText", GLib.Variant("(ii)", (0, -1)))[0]
        except Exception:
            return None

    def do_action(self, names):
        """Performs the first action whose name is in names (or the first action)."""
        from gi.repository import GLib
        actions = self.call("Action", "GetActions")[0]
        if not actions:
            raise RuntimeError("no action")
        index = next((i for i, a in enumerate(actions) if a[0].lower() in names), 0)
        self.call("Action", "DoAction", GLib.Variant("(i)", (index,)))


class Desktop:
    """The X display and the accessibility bus of one session.

    The accessibility tree is read straight from each program's connection to the
    accessibility bus, found by its process id, without the registry's list of
    applications in between."""

    def __init__(self):
        self.launcher = None
        self.a11y = self.start_a11y_bus()
        from Xlib import X, Xatom, display as xdisplay
        from Xlib.ext import xtest
        self.X = X
        self.xtest = xtest
        self.dpy = xdisplay.Display()
        self.root = self.dpy.screen().root
        self.atom = {name: self.dpy.intern_atom(name) for name in
                     ("_NET_WM_PID", "_NET_WM_NAME", "UTF8_STRING", "WM_PROTOCOLS", "WM_DELETE_WINDOW")}
        self.base_env = self.program_env()
        # A Qt 5 program that asks the session bus for the accessibility bus's
        # address may set up its bridge before the answer comes, on a connection
        # not yet open, and then never exports its tree. One that finds the
        # address on the root window connects while it starts. (Not by
        # AT_SPI_BUS_ADDRESS: given that, a Qt 6 program never exports its tree.)
        self.root.change_property(self.dpy.intern_atom("AT_SPI_BUS"), Xatom.STRING, 8,
                                  self.a11y_address.encode())
        self.dpy.sync()

    def start_a11y_bus(self):
        from gi.repository import Gio, GLib
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.path.exists(launcher):
            sys.exit("drive.py: %s is missing (at-spi2-core)" % launcher)
        self.launcher = subprocess.Popen([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL, start_new_session=True)
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        deadline = time.time() + 10
        while time.time() < deadline and self.launcher.poll() is None:
            try:
                owned = session.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                          "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                                          Gio.DBusCallFlags.NONE, 2000, None).unpack()[0]
                if owned:
                    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                                None, None, Gio.DBusCallFlags.NONE, 2000, None).unpack()[0]
                    flags = (Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                             | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
                    self.a11y_address = address
                    bus = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
                    self.start_registry(bus)
                    return bus
            except GLib.Error:
                pass
            time.sleep(0.1)
        sys.exit("drive.py: the accessibility bus did not start")

    @staticmethod
    def start_registry(bus):
        """Starts the registry daemon and waits for it. A Qt program asks it for the
        events listened to while it exports its tree, and exports nothing if that fails."""
        from gi.repository import Gio, GLib
        deadline = time.time() + 10
        while time.time() < deadline:
            try:
                bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                              "StartServiceByName", GLib.Variant("(su)", ("org.a11y.atspi.Registry", 0)), None,
                              Gio.DBusCallFlags.NONE, 5000, None)
                bus.call_sync("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
                              "GetRegisteredEvents", None, None, Gio.DBusCallFlags.NONE, 5000, None)
                return
            except GLib.Error:
                time.sleep(0.2)
        sys.exit("drive.py: the accessibility registry did not start")

    def close(self):
        stop_process(self.launcher)

    @staticmethod
    def program_env():
        env = dict(os.environ)
        for name in ("NO_AT_BRIDGE", "AT_SPI_BUS_ADDRESS", "WINDOWID", "QT_QPA_PLATFORMTHEME", "SESSION_MANAGER",
                     "WAYLAND_DISPLAY"):
            env.pop(name, None)
        env.update(GTK_MODULES="gail:atk-bridge", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8", LANGUAGE="", GDK_BACKEND="x11")
        return env

    # --- X windows

    def windows_of(self, pid):
        """The mapped top-level windows whose _NET_WM_PID is pid."""
        X = self.X
        found = []
        try:
            children = self.root.query_tree().children
        except Exception:
            return found
        for w in children:
            try:
                if w.get_attributes().map_state != X.IsViewable:
                    continue
                prop = w.get_full_property(self.atom["_NET_WM_PID"], X.AnyPropertyType)
                if prop and len(prop.value) and int(prop.value[0]) == pid:
                    geo = w.get_geometry()
                    if geo.width > 1 and geo.height > 1:
                        found.append(w)
            except Exception:
                continue
        return found

    def title_of(self, w):
        try:
            prop = w.get_full_property(self.atom["_NET_WM_NAME"], self.atom["UTF8_STRING"])
            if prop is not None:
                v = prop.value
                return v.decode("utf-8", "replace") if isinstance(v, bytes) else str(v)
            name = w.get_wm_name()
            if isinstance(name, bytes):
                name = name.decode("latin-1")
            return name if name is not None else ""
        except Exception:
            return None

    def focus(self, w):
        X = self.X
        try:
            w.raise_window()
            w.set_input_focus(X.RevertToParent, X.CurrentTime)
            self.dpy.sync()
        except Exception:
            pass
        time.sleep(0.2)

    def key(self, w, keysym_name):
        from Xlib import XK
        X = self.X
        self.focus(w)
        code = self.dpy.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        self.xtest.fake_input(self.dpy, X.KeyPress, code)
        self.dpy.sync()
        time.sleep(0.05)
        self.xtest.fake_input(self.dpy, X.KeyRelease, code)
        self.dpy.sync()

    def click_at(self, x, y):
        X = self.X
        self.xtest.fake_input(self.dpy, X.MotionNotify, x=int(x), y=int(y))
        self.dpy.sync()
        time.sleep(0.1)
        self.xtest.fake_input(self.dpy, X.ButtonPress, 1)
        self.dpy.sync()
        time.sleep(0.05)
        self.xtest.fake_input(self.dpy, X.ButtonRelease, 1)
        self.dpy.sync()

    def send_delete(self, w):
        from Xlib import protocol
        X = self.X
        ev = protocol.event.ClientMessage(window=w, client_type=self.atom["WM_PROTOCOLS"],
                                          data=(32, [self.atom["WM_DELETE_WINDOW"], X.CurrentTime, 0, 0, 0]))
        w.send_event(ev, event_mask=X.NoEventMask)
        self.dpy.sync()

    # --- the accessibility tree

    def connections_of(self, pid):
        """The unique names on the accessibility bus that belong to pid."""
        from gi.repository import GLib, Gio
        def ask(method, args=None):
            return self.a11y.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                       method, args, None, Gio.DBusCallFlags.NONE, 2000, None).unpack()[0]
        found = []
        try:
            for name in ask("ListNames"):
                if not name.startswith(":"):
                    continue
                try:
                    if ask("GetConnectionUnixProcessID", GLib.Variant("(s)", (name,))) == pid:
                        found.append(name)
                except GLib.Error:
                    continue
        except GLib.Error:
            pass
        return found

    def walk(self, node, depth=0):
        if depth > 30:
            return
        yield node
        for child in node.children():
            yield from self.walk(child, depth + 1)

    def box_of(self, pid):
        """The showing top-level window of pid that has a push button, or None."""
        best = None
        for name in self.connections_of(pid):
            for top in Node(self.a11y, name, ROOT_PATH).children():
                if not top.has(SHOWING):
                    continue
                if any(n.role() == "push button" and n.has(SHOWING) for n in self.walk(top)):
                    return top
                best = best or top
        return best

    def read_box(self, top):
        """Buttons left to right, the text labels, the icons' names, the check boxes."""
        buttons, labels, icons, checks = [], [], [], []
        for node in self.walk(top):
            if not node.has(SHOWING):
                continue
            role = node.role()
            if role in ("push button", "toggle button"):
                buttons.append({"name": node.label(), "extents": node.extents(), "default": node.has(IS_DEFAULT),
                                "focused": node.has(FOCUSED), "node": node})
            elif role == "label":
                text = node.text()
                if text is None:
                    text = node.label()
                if text:
                    labels.append(text)
            elif role in ("icon", "image", "graphic"):
                icons.append(node.label())
            elif role == "check box":
                checks.append({"name": node.label(), "node": node, "checked": node.has(CHECKED)})
        # left to right, rows of buttons top to bottom
        buttons.sort(key=lambda b: ((b["extents"] or (0, 0))[1] // 8, (b["extents"] or (0, 0))[0]))
        return buttons, labels, icons, checks


def clean_label(name):
    return name.replace("&&", "\0").replace("&", "").replace("_", "").replace("\0", "&")


def icon_word(names):
    """An icon's accessible name as the table's icon word."""
    for n in names:
        low = n.strip().lower()
        if not low:
            continue
        for word in ("information", "warning", "error", "question"):
            if low == word or low == "dialog-" + word:
                return word
        return n
    return None


def command_timeout(args):
    """The --timeout the command line asks for, in seconds, or 0."""
    for i, a in enumerate(args):
        if a.startswith("--timeout="):
            v = a.split("=", 1)[1]
        elif a == "--timeout" and i + 1 < len(args):
            v = args[i + 1]
        else:
            continue
        try:
            return max(0, int(v))
        except ValueError:
            return 0
    return 0


def run_one(desk, command, action, env_extra=None, timeout=None):
    """Runs command, acts on its box and returns what happened as a dict.

    A box that never shows up on the accessibility bus (a Qt program loses a race
    there now and then) is ended before anything is done to it and the command is
    run again, up to ATTEMPTS times; the last attempt goes on with what X shows."""
    env = dict(desk.base_env)
    env.update(env_extra or {})
    for attempt in range(1, ATTEMPTS + 1):
        result = run_attempt(desk, command, action, env, timeout, last=(attempt == ATTEMPTS))
        if result is not None:
            if attempt > 1:
                result["notes"].append("read on attempt %d" % attempt)
            return result
    raise AssertionError("the last attempt always gives a result")


def run_attempt(desk, command, action, env, timeout, last):
    out = tempfile.TemporaryFile()
    err = tempfile.TemporaryFile()
    result = {"command": command, "action": action, "status": None, "stdout": "", "stderr": "",
              "window": False, "title": None, "buttons": None, "default": None, "icon": None,
              "text": None, "labels": [], "icon_names": [], "checks": [], "notes": []}
    try:
        proc = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=out, stderr=err, env=env,
                                start_new_session=True)
    except OSError as e:
        result["notes"].append("cannot start: %s" % e)
        result["status"] = 127
        return result
    again = False
    try:
        again = drive(desk, proc, action, result, command, timeout, last) == "again"
    except Exception as e:  # a broken accessibility call must not stop the table
        result["notes"].append("driver error: %s: %s" % (type(e).__name__, e))
    finally:
        if proc.poll() is None:
            if not again:
                result["notes"].append("still running: killed")
            stop_process(proc)
        elif proc.returncode is not None:
            result["status"] = proc.returncode if proc.returncode >= 0 else 128 - proc.returncode
        for key, f in (("stdout", out), ("stderr", err)):
            f.seek(0)
            result[key] = f.read().decode("utf-8", "replace")
            f.close()
    return None if again else result


def wait_exit(proc, seconds):
    try:
        proc.wait(seconds)
        return True
    except subprocess.TimeoutExpired:
        return False


def drive(desk, proc, action, result, command, timeout, last=True):
    """Waits for the box, reads it and acts on it. Returns "again" when the box is
    not on the accessibility bus and another attempt may be made."""
    pid = proc.pid
    own_timeout = command_timeout(command[1:])
    window_wait = NONE_WAIT if action == "none" else (timeout or WINDOW_WAIT)
    deadline = time.time() + window_wait
    wins = []
    while time.time() < deadline:
        if proc.poll() is not None:
            break
        wins = desk.windows_of(pid)
        if wins:
            break
        time.sleep(0.05)
    if not wins:
        if proc.poll() is None and action != "none":
            result["notes"].append("no box within %g s" % window_wait)
        elif proc.poll() is None:
            wait_exit(proc, 1.0)
        return None
    result["window"] = True
    win = wins[0]
    if action == "none":
        result["notes"].append("a box was shown")
    # the accessibility tree may lag the window by a moment
    top = None
    buttons = labels = icons = checks = []
    acc_deadline = time.time() + (ATSPI_WAIT if last else ATSPI_RETRY)
    while time.time() < acc_deadline and proc.poll() is None:
        top = desk.box_of(pid)
        if top is not None:
            buttons, labels, icons, checks = desk.read_box(top)
            if buttons:
                break
        time.sleep(0.1)
    if top is None and not last and proc.poll() is None and action != "none":
        return "again"
    # the default button and the focus settle a moment after the box is mapped
    settle = time.time() + 1.5
    while top is not None and proc.poll() is None:
        time.sleep(0.2)
        buttons, labels, icons, checks = desk.read_box(top)
        if any(b["default"] or b["focused"] for b in buttons) or time.time() > settle:
            break
    result["title"] = desk.title_of(win)
    if top is None:
        result["notes"].append("not on the accessibility bus")
    else:
        result["buttons"] = [clean_label(b["name"]) for b in buttons]
        default = [b for b in buttons if b["default"]] or [b for b in buttons if b["focused"]]
        result["default"] = clean_label(default[0]["name"]) if default else None
        result["labels"] = labels
        result["text"] = "\n".join(labels) if labels else None
        result["icon"] = icon_word(icons)
        result["icon_names"] = icons
        result["checks"] = [{"name": c["name"], "checked": c["checked"]} for c in checks]

    if action == "enter":
        desk.key(win, "Return")
    elif action == "escape":
        desk.key(win, "Escape")
    elif action == "close":
        desk.send_delete(win)
    elif action == "wait":
        if not wait_exit(proc, own_timeout + WAIT_EXTRA):
            result["notes"].append("did not end by itself")
        return None
    elif action == "none":
        stop_process(proc)
        return None
    elif action.startswith("tick+press:"):
        if not checks:
            result["notes"].append("no check box to tick")
        else:
            tick(desk, checks[0], result)
        press(desk, buttons, action.split(":", 1)[1], result)
    elif action.startswith("press:"):
        press(desk, buttons, action.split(":", 1)[1], result)
    if not wait_exit(proc, EXIT_WAIT):
        result["notes"].append("did not end within %g s of the action" % EXIT_WAIT)
    return None


def tick(desk, check, result):
    node = check["node"]
    try:
        node.do_action(("toggle", "click", "press"))
    except Exception:
        pass
    time.sleep(0.3)
    if node.has(CHECKED):
        return
    ext = node.extents()
    if ext:
        desk.click_at(ext[0] + min(10, ext[2] // 2), ext[1] + ext[3] // 2)
        time.sleep(0.3)
    if not node.has(CHECKED):
        result["notes"].append("check box did not tick")


def press(desk, buttons, label, result):
    match = [b for b in buttons if clean_label(b["name"]) == label]
    if not match:
        result["notes"].append("no button %r" % label)
        return
    b = match[0]
    if b["extents"] and b["extents"][2] > 0:
        # a real click: what a person does, and the same for every toolkit
        x, y, w, h = b["extents"]
        desk.click_at(x + w // 2, y + h // 2)
        return
    try:
        b["node"].do_action(("click", "press"))
    except Exception as e:
        result["notes"].append("press failed: %s" % e)


# ------------------------------------------------------------ the commands

def run_table(desk, args):
    with open(args.table, encoding="utf-8") as f:
        rows = select_rows(parse_table(f.read()), args.rows)
    ours = args.ours
    if ours and not os.access(ours, os.X_OK):
        print("drive.py: %s is not there; comparing the real tools with the table only" % ours)
        ours = None
    # each side keeps its --dontagain answers in a folder of its own for the whole table
    config = {side: tempfile.mkdtemp(prefix="quibra-compat-%s-" % side) for side in ("real", "ours")}
    results = {}
    totals = new_totals()
    try:
        for row in rows:
            real = None
            if not row.ours_only:
                real = run_one(desk, [row.tool] + row.args, row.action, {"XDG_CONFIG_HOME": config["real"]})
            mine = None
            if ours and not row.real_only:
                mine = run_one(desk, [ours] + row.args, row.action, {"XDG_CONFIG_HOME": config["ours"]})
            results[row.number] = (real, mine)
            print_row(row, real, mine, totals)
        print_totals(totals)
        if args.json:
            with open(args.json, "w", encoding="utf-8") as f:
                json.dump({str(n): {"real": r, "ours": o} for n, (r, o) in results.items()}, f,
                          indent=1, ensure_ascii=False, default=str)
        if args.keep_config:
            print("config folders: real %s, ours %s" % (config["real"], config["ours"]))
    finally:
        if not args.keep_config:
            for d in config.values():
                shutil.rmtree(d, ignore_errors=True)
    ok = totals["real_ok"] == totals["real_run"]
    if ours:
        ok = ok and totals["ours_ok"] == totals["ours_run"]
    return 0 if ok else 1


def parse_args(argv):
    p = argparse.ArgumentParser(prog="drive.py", description="Drives message boxes on a virtual display.")
    sub = p.add_subparsers(dest="cmd", required=True)
    r = sub.add_parser("run", help="run one command and print what it did as JSON")
    r.add_argument("--action", default="enter", help="enter, escape, close, press:LABEL, tick+press:LABEL, wait, none")
    r.add_argument("--timeout", type=float, default=None, help="seconds to wait for the box")
    r.add_argument("--config", default=None, help="XDG_CONFIG_HOME for the command")
    r.add_argument("command", nargs=argparse.REMAINDER)
    t = sub.add_parser("table", help="run a table's rows through the real tools and ours")
    t.add_argument("table")
    t.add_argument("--ours", default=None, help="our program; without it only the real tools run")
    t.add_argument("--rows", default=None,
                   help="row numbers, e.g. 1,4-7 (a row that relies on an answer remembered by an earlier "
                        "row needs that row too)")
    t.add_argument("--json", default=None, help="also write every result to this file")
    t.add_argument("--keep-config", action="store_true", help="keep the XDG_CONFIG_HOME folders")
    a = p.parse_args(argv)
    if a.cmd == "run":
        if a.command and a.command[0] == "--":
            a.command = a.command[1:]
        if not a.command:
            p.error("run: name a command")
        if not valid_action(a.action):
            p.error("run: unknown action %r" % a.action)
    return a


def main(argv):
    inside = bool(argv) and argv[0] == INNER_FLAG
    if inside:
        argv = argv[1:]
    args = parse_args(argv)
    # stopped from outside: still stop what was started (the display and the
    # session outside, the program on the box and the bus launcher inside)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    if not inside:
        return run_outside(argv)
    desk = Desktop()
    try:
        if args.cmd == "run":
            extra = {"XDG_CONFIG_HOME": args.config} if args.config else {}
            result = run_one(desk, args.command, args.action, extra, args.timeout)
            print(json.dumps(result, indent=1, ensure_ascii=False, default=str))
            return 0
        return run_table(desk, args)
    finally:
        desk.close()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
