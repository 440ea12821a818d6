#!/usr/bin/env python3
"""Checks that the source folders under src/ stay layers.

Reads the #include lines of every .h and .cpp under src/ and fails when the
folders include each other in a cycle, or when a folder above platform/ and
backends/ includes an operating-system or toolkit header.

A file belongs to the nearest folder, its own or above it, that has its own
CMakeLists.txt: src/platform/os/ is part of platform, src/runtime/sqlite/ (a
library of its own) is a folder of its own.

Any <...> header that is neither the C++ standard library's nor listed in
THIRD_PARTY counts as an OS or toolkit header: a list of what is allowed also
catches the headers nobody thought to forbid.

  tools/check-layers.py [--root DIR]   check DIR (default: this repository)
  tools/check-layers.py --self-test    check a made-up tree with known faults
"""
import io
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
OS_ALLOWED = ("platform", "backends")
THIRD_PARTY = {"sqlite3.h"}
C_NAMES = ("assert ctype errno fenv float inttypes limits locale math setjmp signal stdarg stddef stdint stdio stdlib "
           "string time uchar wchar wctype").split()
STANDARD = set(
    ("algorithm any array atomic barrier bit bitset charconv chrono compare complex concepts condition_variable "
     "coroutine deque exception execution expected filesystem format forward_list fstream functional future "
     "initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map memory "
     "memory_resource mutex new numbers numeric optional ostream print queue random ranges ratio regex "
     "scoped_allocator semaphore set shared_mutex source_location span sstream stack stdexcept stop_token "
     "streambuf string string_view syncstream system_error thread tuple type_traits typeindex typeinfo "
     "unordered_map unordered_set utility valarray variant vector version").split()
    + ["c" + n for n in C_NAMES] + [n + ".h" for n in C_NAMES])


def folder_of(src, path):
    """The folder (relative to src, '/'-separated) that the file belongs to."""
    d = os.path.dirname(path)
    while d != src and not os.path.isfile(os.path.join(d, "CMakeLists.txt")):
        d = os.path.dirname(d)
    return os.path.relpath(d, src).replace(os.sep, "/")


def scan(root):
    """Returns (folders, edges, os_headers): edges[a][b] is the first
    'file:line' where folder a includes folder b."""
    src = os.path.join(root, "src")
    folders, edges, os_headers = set(), {}, []
    for dirpath, _, names in sorted(os.walk(src)):
        for name in sorted(n for n in names if n.endswith((".h", ".cpp"))):
            path = os.path.join(dirpath, name)
            here = folder_of(src, path)
            folders.add(here)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, text in enumerate(f, 1):
                    m = INCLUDE.match(text)
                    if not m:
                        continue
                    where = "%s:%d" % (os.path.relpath(path, root), number)
                    header = m.group(2)
                    target = next((p for p in (os.path.join(dirpath, header), os.path.join(src, header))
                                   if m.group(1) == '"' and os.path.isfile(p)), None)
                    if target:
                        there = folder_of(src, target)
                        if there != here:
                            edges.setdefault(here, {}).setdefault(there, where)
                    elif header not in STANDARD and header not in THIRD_PARTY and \
                            here.split("/")[0] not in OS_ALLOWED:
                        os_headers.append("%s <%s>" % (where, header))
    return folders, edges, os_headers


def cycles(edges):
    """Every elementary cycle, each once, starting at its smallest folder."""
    found = []

    def walk(start, path):
        for nxt in sorted(edges.get(path[-1], {})):
            if nxt == start:
                found.append(path + [start])
            elif nxt > start and nxt not in path:
                walk(start, path + [nxt])

    for start in sorted(edges):
        walk(start, [start])
    return found


def check(root, out):
    """Prints the findings for the tree at root; returns True when clean."""
    folders, edges, os_headers = scan(root)
    loops = cycles(edges)
    for loop in loops:
        print("include cycle: " + " -> ".join(loop), file=out)
        for a, b in zip(loop, loop[1:]):
            print("  %s -> %s  %s" % (a, b, edges[a][b]), file=out)
    for where in os_headers:
        print("OS or toolkit header above platform/ and backends/: " + where, file=out)
    if loops or os_headers:
        return False
    print("layers: %d folders, no include cycle, no OS header above platform/ and backends/" % len(folders), file=out)
    return True


def self_test():
    """Checks a made-up tree with one cycle and one misplaced OS header, then
    the same tree with both faults removed."""
    files = {
        "src/CMakeLists.txt": "",
        "src/low/CMakeLists.txt": "",
        "src/low/Low.h": '#pragma once\n#include <string>\n#include "Local.h"\n',
        "src/low/Local.h": "#pragma once\n",
        "src/low/sub/Deep.cpp": '#include "low/Low.h"\n  #  include <unistd.h>\n',
        "src/high/CMakeLists.txt": "",
        "src/high/High.h": '#pragma once\n#include "low/Low.h"\n',
        "src/platform/CMakeLists.txt": "",
        "src/platform/os/Posix.cpp": "#include <fcntl.h>\n#include <sys/stat.h>\n",
        "src/backends/qt/CMakeLists.txt": "",
        "src/backends/qt/Qt.cpp": '#include <QWidget>\n#include "high/High.h"\n',
    }
    cycle = ("src/low/Low.cpp", '#include "low/Low.h"\n\n#include "high/High.h"\n')
    with tempfile.TemporaryDirectory() as root:
        def write(name, text):
            os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
            with open(os.path.join(root, name), "w") as f:
                f.write(text)

        for name, text in files.items():
            write(name, text)
        write(*cycle)
        out = io.StringIO()
        ok = check(root, out)
        expected = ("include cycle: high -> low -> high\n"
                    "  high -> low  src/high/High.h:2\n"
                    "  low -> high  src/low/Low.cpp:3\n"
                    "OS or toolkit header above platform/ and backends/: src/low/sub/Deep.cpp:2 <unistd.h>\n")
        failures = []
        if ok or out.getvalue() != expected:
            failures.append("faulty tree:\n" + out.getvalue())
        os.remove(os.path.join(root, cycle[0]))
        write("src/low/sub/Deep.cpp", '#include "low/Low.h"\n')
        out = io.StringIO()
        if not check(root, out) or not out.getvalue().startswith("layers: 4 folders,"):
            failures.append("clean tree:\n" + out.getvalue())
    for failure in failures:
        print("check-layers self-test failed on the " + failure, file=sys.stderr)
    return not failures


def main(args):
    if args == ["--self-test"]:
        return 0 if self_test() else 1
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(args) == 2 and args[0] == "--root":
        root = args[1]
    elif args:
        print("usage:\n" + "\n".join(__doc__.strip().splitlines()[-2:]), file=sys.stderr)
        return 2
    return 0 if check(root, sys.stdout) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
