#!/usr/bin/env python3
"""The Linux program in a terminal, end to end, with no display: quibrad runs
in a tmux window of 80 by 24 as a script would run it over SSH, a person's key
answers the box drawn there, and its exit status, what it printed and the
terminal's mode afterwards (`stty -a`, the same as before) are checked; also
when SIGTERM ends it, when TERM=dumb asks one line, and where there is no
terminal at all. Then the rows of the compatibility table that a key can
answer run the same way.

  scripts/e2e-terminal.py <quibrad> <tests/compat/message-boxes.tsv>

Prints "SKIPPED: ..." and succeeds where tmux is not installed."""
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

program, table = os.path.abspath(sys.argv[1]), sys.argv[2]
if not shutil.which("tmux"):
    print("SKIPPED: tmux is not installed, so no terminal can be driven")
    sys.exit(0)

work = tempfile.mkdtemp(prefix="quibra-terminal-")
config = os.path.join(work, "config")
os.mkdir(config)
socket = ""
serial = 0
failures = checks = 0


def tmux(*args):
    return subprocess.run(["tmux", "-L", socket, "-f", "/dev/null", *args], capture_output=True, text=True).stdout


def screen():
    return tmux("capture-pane", "-p", "-t", "e2e")


def wait_for(predicate, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return False


def read(name):
    try:
        with open(os.path.join(work, name), encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return None


def start(args, env="", program=program):
    """Runs the program in the tmux window, its output and status kept in
    files beside the terminal's mode before and after."""
    for name in ("out", "err", "rc", "before", "after", "pid"):
        if os.path.exists(os.path.join(work, name)):
            os.remove(os.path.join(work, name))
    command = " ".join(shlex.quote(a) for a in [program, *args])
    script = (
        "cd %s; stty -a > before; env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME=%s LANG=C.UTF-8 %s"
        " sh -c 'echo $$ > pid; exec \"$0\" \"$@\"' %s > out 2> err; echo $? > rc; stty -a > after; sleep 60"
        % (shlex.quote(work), shlex.quote(config), env, command))
    global socket, serial
    tmux("kill-server")
    # A server of its own for each run: a server that is ending may still
    # hold the old name.
    serial += 1
    socket = "quibra-e2e-%d-%d" % (os.getpid(), serial)
    tmux("new-session", "-d", "-x", "80", "-y", "24", "-s", "e2e", "sh -c %s" % shlex.quote(script))
    tmux("set-option", "-g", "escape-time", "0")


def focus_on(label):
    """Moves the focus with Tab to the button whose label reads `label`."""
    for _ in range(8):
        rows = screen().split("\n")
        x, y = (int(v) for v in tmux("display-message", "-p", "-t", "e2e", "#{cursor_x} #{cursor_y}").split())
        if y < len(rows):
            row = rows[y]
            for open_, close in (("[[", "]]"), ("[ ", " ]")):
                start_at = row.rfind(open_, 0, x + 1)
                if start_at >= 0 and row.find(close, start_at) >= x and row[start_at + 2:row.find(close, start_at)] == label:
                    return True
            if label == "<check>" and row[x - 1:x + 2] in ("[ ]", "[X]"):
                return True
        tmux("send-keys", "-t", "e2e", "Tab")
        time.sleep(0.1)
    return False


def finish(what, status, printed, seconds=15):
    global failures, checks
    checks += 1
    wait_for(lambda: read("after"), seconds)
    rc, out, before, after = read("rc"), read("out"), read("before"), read("after")
    problems = []
    if rc is None:
        problems.append("it did not end")
    elif rc.strip() != str(status):
        problems.append("status %s (wanted %s)" % (rc.strip(), status))
    if out is not None and out != printed:
        problems.append("printed %r (wanted %r)" % (out, printed))
    if before != after:
        problems.append("the terminal's mode changed (stty -a differs: %r, then %r)" % (
            sorted(set((before or "").split()) - set((after or "").split())),
            sorted(set((after or "").split()) - set((before or "").split()))))
    if problems:
        failures += 1
        print("FAIL %s: %s; stderr: %s" % (what, ", ".join(problems), (read("err") or "").strip()))
    else:
        print("ok   %s: status %s, printed %r, the terminal as it was" % (what, status, out))


def boxed():
    return wait_for(lambda: "]]" in screen())


def answer(what, args, keys, status, printed, env="", program=program):
    start(args, env, program)
    if not boxed():
        global failures, checks
        failures += 1
        checks += 1
        print("FAIL %s: no box came; the screen reads:\n%s" % (what, screen()))
        return
    for key in keys:
        tmux("send-keys", "-t", "e2e", key)
        time.sleep(0.05)
    finish(what, status, printed)


answer("Enter answers the question's default", ["--print", "--question", "--text", "Go on?"], ["Enter"], 0, "YES\n")
answer("an access key alone answers", ["--print", "--buttons", "yesnocancel", "Save?"], ["n"], 6, "NO\n")
answer("Alt with an access key answers", ["--print", "--buttons", "yesno", "Sure?"], ["M-y"], 5, "YES\n")
answer("Tab and Enter reach Cancel", ["--print", "--buttons", "okcancel", "Go on?"], ["Tab", "Enter"], 1, "CANCEL\n")
answer("Escape answers the runtime box's Cancel", ["--print", "--style", "runtime", "--buttons", "okcancel", "x"],
       ["Escape"], 1, "CANCEL\n")
answer("Ctrl+C answers as the close box does", ["--yesno", "Go?"], ["C-c"], 2, "")
answer("Escape does nothing in Yes/No; Right and Space then answer No",
       ["--print", "--buttons", "yesno", "--style", "runtime", "x"], ["Escape", "Right", "Space"], 6, "NO\n")
answer("a display that does not answer leaves the box to the terminal", ["--print", "--question", "--text", "Go?"],
       ["Enter"], 0, "YES\n", "DISPLAY=:4987")
# A box in the terminal never maps Qt: the desktop backend is a module that
# is loaded only when a display answers.
start(["--question", "--text", "Mapped?"])
checks += 1
if boxed():
    with open("/proc/%s/maps" % read("pid").strip()) as f:
        qt = sorted({line.split()[-1] for line in f if "libQt6" in line or "libquibra-qt" in line})
    if qt:
        failures += 1
        print("FAIL the terminal's box maps Qt: %s" % ", ".join(qt))
    else:
        print("ok   the terminal's box maps no Qt library")
else:
    failures += 1
    print("FAIL no box came to look at; the screen reads:\n%s" % screen())
tmux("send-keys", "-t", "e2e", "Enter")
finish("the box that maps no Qt answers", 0, "")

# A display named, but the desktop backend's module missing or broken: one
# line says so, and the terminal draws the box.
for what, module in (("is missing", None), ("is not a module", "not a shared library\n")):
    alone = os.path.join(work, "alone")
    shutil.rmtree(alone, ignore_errors=True)
    os.mkdir(alone)
    shutil.copy(program, alone)
    if module:
        with open(os.path.join(alone, "libquibra-qt.so"), "w") as f:
            f.write(module)
    answer("the desktop's module " + what + ": the terminal draws the box",
           ["--print", "--question", "--text", "Go?"], ["Enter"], 0, "YES\n", "QT_QPA_PLATFORM=offscreen",
           os.path.join(alone, os.path.basename(program)))
    err = read("err") or ""
    checks += 1
    if err.count("\n") == 1 and "libquibra-qt.so" in err and "drawn in the terminal" in err:
        print("ok   the desktop's module %s: %r" % (what, err.strip()))
    else:
        failures += 1
        print("FAIL the desktop's module %s: stderr %r" % (what, err))
start(["--print", "--timeout", "1", "--buttons", "okcancel", "Soon"])
finish("the time runs out and presses the default", 7, "OK\n")

# A signal ends it: the terminal is given back first.
start(["--question", "--text", "Waiting"])
if boxed():
    os.kill(int(read("pid")), signal.SIGTERM)
finish("SIGTERM ends it", 128 + signal.SIGTERM, "")
start(["--question", "--text", "Waiting"])
if boxed():
    os.kill(int(read("pid")), signal.SIGHUP)
finish("SIGHUP ends it", 128 + signal.SIGHUP, "")
start(["--question", "--text", "Waiting"])
if boxed():
    os.kill(int(read("pid")), signal.SIGINT)
finish("SIGINT ends it", 128 + signal.SIGINT, "")

# Where the terminal cannot be drawn on, one line is asked.
start(["--print", "--question", "--text", "Delete the old logs?"], "TERM=dumb")
checks += 1
if wait_for(lambda: "Delete the old logs? [Y]es [N]o:" in screen()):
    print("ok   TERM=dumb asks one line: %r" % screen().strip())
else:
    failures += 1
    print("FAIL TERM=dumb asks no line; the screen reads:\n%s" % screen())
tmux("send-keys", "-t", "e2e", "maybe", "Enter", "n", "Enter")
finish("TERM=dumb: a wrong answer is asked again, then n answers No", 1, "NO\n")
start(["--print", "--buttons", "yesnocancel", "Save?"], "TERM=dumb")
wait_for(lambda: "[C]ancel:" in screen())
tmux("send-keys", "-t", "e2e", "C-d")
finish("TERM=dumb: the end of the input answers as Escape does", 1, "CANCEL\n")


def check(what, ok, detail=""):
    global failures, checks
    checks += 1
    if ok:
        print("ok   " + what)
    else:
        failures += 1
        print("FAIL %s%s; the screen reads:\n%s" % (what, detail, screen()))
    return ok


def keys(*names):
    for name in names:
        tmux("send-keys", "-t", "e2e", name)
        time.sleep(0.05)


# The composer in the terminal, used by keys.
start(["--terminal"])
tmux("set-option", "-g", "set-clipboard", "on")
if check("the composer starts with its introduction", boxed()):
    keys("Enter")
    check("the composer is drawn", wait_for(lambda: "Supported Button Styles" in screen() and "Show Message" in screen()))
    # Two Tabs reach the button sets (from the message text), the arrows choose.
    keys("Tab", "Tab", "Down", "Down", "Tab", "Down", "Down")
    check("arrows choose Yes/No and the question icon",
          wait_for(lambda: "(*) BUTTON:YES + BUTTON:NO " in screen() and "(*) ICON:Question" in screen()))
    check("Tab reaches Show Message", focus_on("Show Message"))
    keys("Enter")
    check("the box comes over the composer",
          wait_for(lambda: "[[Yes]]" in screen() and "(?)" in screen() and "Supported Button Styles" in screen()))
    keys("n")
    check("the composer tells the answer", wait_for(lambda: "BUTTON:NO was pressed" in screen()))
    keys("Enter")
    check("the composer is drawn again after the boxes",
          wait_for(lambda: "was pressed" not in screen() and "[[Yes]]" not in screen() and "Show Message" in screen()))
    # The runtime's own box: Shift+Tab back to the style, Right chooses Runtime.
    keys("BTab", "Right")
    check("Right chooses the runtime's own box", wait_for(lambda: "(*) Runtime" in screen()))
    check("Tab reaches Show Message again", focus_on("Show Message"))
    keys("Enter")
    check("the runtime's box comes over the composer",
          wait_for(lambda: "[[Yes]]" in screen() and "Supported Button Styles" in screen()))
    keys("y")
    check("the composer tells that answer", wait_for(lambda: "BUTTON:YES was pressed" in screen()))
    keys("Enter")
    wait_for(lambda: "was pressed" not in screen())
    keys("F10")
    check("F10 lists the window's commands", wait_for(lambda: "Copy as command line" in screen()))
    keys("c")
    wait_for(lambda: "clipboard" in screen())
    copied = tmux("show-buffer")
    check("the command line is on the terminal's clipboard",
          copied.startswith("quibrad ") and "--buttons yesno" in copied and "--icon question" in copied and
          "Copied to the terminal's clipboard" in screen(), " (%r)" % copied)
    tmux("resize-window", "-t", "e2e", "-x", "50", "-y", "16")
    check("a terminal too small cuts the window with arrows at the cut edges",
          wait_for(lambda: screen().split("\n")[15].startswith("v") and ">" in screen().split("\n")[5]))
    tmux("resize-window", "-t", "e2e", "-x", "80", "-y", "24")
    check("back at 80 by 24 the whole window shows", wait_for(lambda: ">" not in screen() and "Supported Icons" in screen()))
    keys("Escape")
finish("Escape closes the composer", 0, "")

# Text beyond ASCII is drawn as characters, a wide one in two cells: the
# box's right border stands straight under its corner.
start(["--info", "--title", "Grüße", "--text", "Größe – 日本語 ok"])
if check("text beyond ASCII is drawn as characters", wait_for(lambda: "Größe – 日本語 ok" in screen())):
    rows = [r for r in screen().splitlines() if "│" in r or "┐" in r]
    ends = {len(r.rstrip()) + sum(1 for ch in r if "\u3000" <= ch <= "\u9fff") for r in rows}
    check("and the border stands straight beside wide characters", len(rows) > 3 and len(ends) == 1, repr(rows))
keys("Enter")
finish("the box of wide text answers Enter", 0, "")

# A terminal that cannot be drawn on cannot show the composer: one sentence.
start(["--terminal"], "TERM=dumb")
wait_for(lambda: "[O]K:" in screen())
keys("Enter")
wait_for(lambda: read("rc"))
checks += 1
if (read("rc") or "").strip() == "69" and "needs a terminal that can be drawn on" in (read("err") or ""):
    print("ok   TERM=dumb: the composer cannot be drawn, status 69, %r" % read("err").strip())
else:
    failures += 1
    print("FAIL TERM=dumb composer: status %r, %r" % (read("rc"), read("err")))

tmux("kill-server")

# No display and no terminal: status 69 and one sentence.
checks += 1
run = subprocess.run(["setsid", "-w", program, "--info", "--text", "x"], capture_output=True, text=True,
                     env={k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")},
                     stdin=subprocess.DEVNULL)
if run.returncode == 69 and run.stderr.count("\n") == 1 and "no window can be shown" in run.stderr:
    print("ok   no display and no terminal: status 69, %r" % run.stderr.strip())
else:
    failures += 1
    print("FAIL no display and no terminal: status %d, %r" % (run.returncode, run.stderr))


# Every row of the compatibility table that this program runs: a key answers
# the box, or the time runs out, or no box comes (a refused command line, an
# answer remembered by an earlier row).
def words(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == " ":
            i += 1
        elif text[i] in "'\"":
            end = text.index(text[i], i + 1)
            out.append(text[i + 1:end])
            i = end + 1
        else:
            end = text.find(" ", i)
            end = len(text) if end < 0 else end
            out.append(text[i:end])
            i = end
    return out


def unescape(text):
    return "" if text == "-" else text.replace("\\\\", "\0").replace("\\n", "\n").replace("\\t", "\t").replace("\0", "\\")


rows = 0
for line in open(table, encoding="utf-8"):
    if not line.strip() or line.startswith("#"):
        continue
    cols = line.rstrip("\n").split("\t")
    label, args, action, status, stdout = cols[:5]
    if label.startswith(("zenity only:", "kdialog only:")):
        continue
    rows += 1
    start(words(args)[1:])
    if action != "none" and not boxed():
        failures += 1
        checks += 1
        print("FAIL row %s: no box came; the screen reads:\n%s" % (label, screen()))
        continue
    if action == "enter":
        tmux("send-keys", "-t", "e2e", "Enter")
    elif action == "escape":
        tmux("send-keys", "-t", "e2e", "Escape")
    elif action == "close":
        tmux("send-keys", "-t", "e2e", "C-c")
    elif action.startswith(("press:", "tick+press:")):
        if action.startswith("tick+"):
            focus_on("<check>")
            tmux("send-keys", "-t", "e2e", "Space")
        focus_on(action.split(":", 1)[1])
        tmux("send-keys", "-t", "e2e", "Enter")
    finish("row " + label, int(status), unescape(stdout), 90)
tmux("kill-server")
shutil.rmtree(work, ignore_errors=True)
print("%d of %d checks failed (%d rows of the table)" % (failures, checks, rows))
sys.exit(1 if failures else 0)
