#!/usr/bin/python3
"""What a screen reader reads of quibrad's windows, read through AT-SPI on a virtual display.

  screen_reader.py QUIBRAD

Starts Xvfb, a D-Bus session and the accessibility bus (tools/compat/drive.py) and
checks against the tables below:
  - both box styles: an alert named by its title, its text one label, its icon and
    buttons named, the default marked; a 3-second countdown renames nothing, and
    says the seconds in the default button's description;
  - the composer: a dialog named by its title, every control's role and name, each
    radio labelled by its group;
  - choices made by the accessibility Toggle action reach the box the composer shows.
Prints "SKIPPED: <why>" and succeeds where the accessibility bus cannot start.
Needs Debian's /usr/bin/python3 with PyGObject, gir1.2-atspi-2.0 and python-xlib.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "compat"))
import drive  # noqa: E402

BOX_ARGS = ["--title", "Ask", "--text", "Line one|line two", "--buttons", "yesnocancel", "--icon", "question",
            "--default", "no", "--timeout", "3"]
BOX = {"role": "alert", "name": "Ask", "labels": ["Line one\nline two"], "icons": ["Question"],
       "buttons": ["Yes", "No", "Cancel"], "default": "No", "description": "Pressed in 3 seconds"}

# The composer's controls: role, accessible name, and the group that labels it.
COMPOSER = [
    ("text", "Message Text:", None),
    ("text", "Message Title:", None),
    ("radio button", "BUTTON:OK", "Supported Button Styles"),
    ("radio button", "BUTTON:OK + BUTTON:CANCEL", "Supported Button Styles"),
    ("radio button", "BUTTON:YES + BUTTON:NO", "Supported Button Styles"),
    ("radio button", "BUTTON:YES + BUTTON:NO + BUTTON:CANCEL", "Supported Button Styles"),
    ("radio button", "BUTTON:ABORT + BUTTON:RETRY + BUTTON:IGNORE", "Supported Button Styles"),
    ("radio button", "BUTTON:RETRY + BUTTON:CANCEL", "Supported Button Styles"),
    ("radio button", "ICON:None", "Supported Icons"),
    ("radio button", "ICON:Exclamation", "Supported Icons"),
    ("radio button", "ICON:Asterisk", "Supported Icons"),
    ("radio button", "ICON:Question", "Supported Icons"),
    ("radio button", "ICON:Hand", "Supported Icons"),
    ("spin button", "Default Button:", None),
    ("check box", "System Modal Message", None),
    ("radio button", "Thread Safe", "Message Box Style"),
    ("radio button", "Runtime", "Message Box Style"),
    ("push button", "Show Message", None),
    ("push button", "Close", None),
]
# Chosen by the Toggle action, then shown: what the box must show.
TOGGLED = ["BUTTON:YES + BUTTON:NO + BUTTON:CANCEL", "ICON:Question", "System Modal Message", "Runtime"]
TOGGLED_BOX = {"buttons": ["Yes", "No", "Cancel"], "icons": ["Question"], "above": True}

LABELLED_BY = 2  # AT-SPI relation types
WAIT = 20.0


class Checks:
    def __init__(self):
        self.failures = 0

    def equal(self, what, got, want):
        if got == want:
            print("ok   %s: %r" % (what, got))
        else:
            self.failures += 1
            print("FAIL %s: got %r, want %r" % (what, got, want))


def role(node):
    from gi.repository import Atspi
    try:
        return Atspi.role_get_name(Atspi.Role(node.call("Accessible", "GetRole")[0]))
    except Exception:
        return ""


def description(node):
    try:
        return node.prop("Accessible", "Description") or ""
    except Exception:
        return ""


def labelled_by(node):
    """The names of what the node is labelled by."""
    from gi.repository import GLib
    names = []
    try:
        for kind, targets in node.call("Accessible", "GetRelationSet")[0]:
            if kind == LABELLED_BY:
                names += [drive.Node(node.bus, n, p).label() for n, p in targets]
    except GLib.Error:
        pass
    return names


def tops(desk, pid):
    """The showing top-level accessibles of pid."""
    found = []
    for name in desk.connections_of(pid):
        found += [t for t in drive.Node(desk.a11y, name, drive.ROOT_PATH).children() if t.has(drive.SHOWING)]
    return found


def wait_top(desk, pid, wanted, seconds=WAIT):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for top in tops(desk, pid):
            if wanted(top):
                return top
        time.sleep(0.2)
    return None


def controls(desk, top):
    """Every showing accessible under top but top, in tree order."""
    return [n for n in desk.walk(top) if n.path != top.path and n.has(drive.SHOWING)]


def read_box(desk, top):
    buttons, labels, icons, _ = desk.read_box(top)
    default = next((b for b in buttons if b["default"]), None)
    return {"role": role(top), "name": top.label(), "labels": labels, "icons": icons,
            "buttons": [b["name"] for b in buttons], "default": default and default["name"],
            "description": default and description(default["node"])}


class NameChanges:
    """Counts object:property-change:accessible-name events on the accessibility bus."""

    def __init__(self, desk):
        from gi.repository import Gio, GLib
        self.count = 0
        self.names = []
        desk.a11y.call_sync("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
                            "RegisterEvent", GLib.Variant("(sass)", ("object:property-change:accessible-name", [], "")),
                            None, Gio.DBusCallFlags.NONE, 5000, None)
        desk.a11y.signal_subscribe(None, "org.a11y.atspi.Event.Object", "PropertyChange", None, None,
                                   Gio.DBusSignalFlags.NONE, self.heard)

    def heard(self, _bus, _sender, path, _iface, _member, args):
        if args.unpack()[0] == "accessible-name":
            self.count += 1
            self.names.append(path)

    @staticmethod
    def pump(seconds):
        from gi.repository import GLib
        context = GLib.MainContext.default()
        deadline = time.time() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.time() >= deadline:
                return
            time.sleep(0.05)


def check_boxes(desk, program, checks):
    changes = NameChanges(desk)
    for style in ("runtime", "native"):
        proc = subprocess.Popen([program, "--style", style] + BOX_ARGS, env=desk.base_env, start_new_session=True,
                                stdout=subprocess.DEVNULL)
        try:
            top = wait_top(desk, proc.pid, lambda t: any(role(n) == "push button" for n in desk.walk(t)))
            if top is None:
                checks.equal("%s box on the accessibility bus" % style, False, True)
                continue
            # what the box said while it was made is not the countdown's
            changes.pump(0)
            changes.count = 0
            seen = read_box(desk, top)
            for key, want in BOX.items():
                checks.equal("%s box: %s" % (style, key), seen[key], want)
            while proc.poll() is None and changes.count == 0:
                changes.pump(0.2)
            checks.equal("%s box: name changes while it counted down" % style, changes.count, 0)
            checks.equal("%s box: ended by its countdown" % style, drive.wait_exit(proc, 5), True)
        finally:
            drive.stop_process(proc)


def check_composer(desk, program, checks):
    proc = subprocess.Popen([program], env=desk.base_env, start_new_session=True, stdout=subprocess.DEVNULL)
    try:
        # the program's start box first, answered by its default button
        start = wait_top(desk, proc.pid, lambda t: role(t) == "alert")
        if start is not None:
            next(n for n in desk.walk(start) if n.has(drive.IS_DEFAULT)).do_action(("press", "click"))
        top = wait_top(desk, proc.pid, lambda t: role(t) == "dialog")
        if top is None:
            checks.equal("the composer on the accessibility bus", False, True)
            return
        windows = desk.windows_of(proc.pid)
        checks.equal("composer: role", role(top), "dialog")
        checks.equal("composer: named by its title", top.label(), desk.title_of(windows[0]) if windows else None)
        nodes = {n.label(): n for n in controls(desk, top) if role(n) not in ("label", "panel")}
        seen = [(role(n), name, (labelled_by(n) or [None])[0] if role(n) == "radio button" else None)
                for name, n in nodes.items()]
        checks.equal("composer: controls, their names and groups", sorted(seen, key=str),
                     sorted(COMPOSER, key=str))

        for name in TOGGLED:
            if name in nodes:
                nodes[name].do_action(("toggle",))
        time.sleep(0.5)
        checks.equal("composer: checked after Toggle", [nodes[n].has(drive.CHECKED) for n in TOGGLED if n in nodes],
                     [True] * len(TOGGLED))
        nodes["Show Message"].do_action(("press", "click"))
        box = wait_top(desk, proc.pid, lambda t: role(t) == "alert")
        if box is None:
            checks.equal("composer: a box shown", False, True)
            return
        seen = read_box(desk, box)
        checks.equal("composer's box: buttons", seen["buttons"], TOGGLED_BOX["buttons"])
        checks.equal("composer's box: icon", seen["icons"], TOGGLED_BOX["icons"])
        checks.equal("composer's box: kept above other windows", above(desk, proc.pid, seen["name"]),
                     TOGGLED_BOX["above"])
    finally:
        drive.stop_process(proc)


def above(desk, pid, title):
    """Whether the X window of pid with this title asks to stay above the others."""
    state = desk.dpy.intern_atom("_NET_WM_STATE")
    on_top = desk.dpy.intern_atom("_NET_WM_STATE_ABOVE")
    for w in desk.windows_of(pid):
        if desk.title_of(w) == title:
            prop = w.get_full_property(state, desk.X.AnyPropertyType)
            return bool(prop) and on_top in list(prop.value)
    return None


def inside(program):
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        desk = drive.Desktop()
    except (ImportError, ValueError) as e:
        print("SKIPPED: %s (scripts/install-deps.sh installs it)" % e)
        return 0
    except SystemExit as e:
        print("SKIPPED: %s" % e)
        return 0
    checks = Checks()
    try:
        check_boxes(desk, program, checks)
        check_composer(desk, program, checks)
    finally:
        desk.close()
    print("%s: %d failed" % ("FAILED" if checks.failures else "passed", checks.failures))
    return 1 if checks.failures else 0


def main(argv):
    if argv and argv[0] == drive.INNER_FLAG:
        return inside(argv[1])
    if len(argv) != 1:
        sys.exit("usage: screen_reader.py QUIBRAD")
    for tool in ("Xvfb", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher"):
        if not (os.path.exists(tool) if tool.startswith("/") else drive.shutil.which(tool)):
            print("SKIPPED: %s is missing (scripts/install-deps.sh installs it)" % tool)
            return 0
    try:
        return drive.run_outside([os.path.abspath(argv[0])], __file__)
    except RuntimeError as e:
        print("SKIPPED: %s" % e)
        return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
