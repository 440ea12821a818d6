#!/usr/bin/env python3
"""The exit statuses are one table, src/composer/ExitStatus.cpp, which the
program's --help prints. The README and the manual page show copies of it:
this checks that both are the table --help prints (a test runs it), and with
--write writes both anew from it.

  scripts/exit-status-table.py QUIBRAD README.md quibrad.1 [--write]
"""
import re
import subprocess
import sys

README_HEAD = "| Exit status | Own options | zenity's boxes | kdialog's boxes |"
ROW = re.compile(r"^\s+(\S.*?)\s+(\d+)\s+(\d+)\s+(\d+)\s*$")


def help_rows(program):
    """The rows of the exit status table that --help prints."""
    text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    lines = text[text.index("\nExit status") + 1:].splitlines()[1:]
    rows = []
    for line in lines:
        m = ROW.match(line)
        if not m:
            break
        rows.append(m.groups())
    if not rows:
        sys.exit("exit-status-table: %s --help prints no exit status table" % program)
    return rows


def readme_table(rows):
    return [README_HEAD, "|---|---|---|---|"] + ["| %s | %s | %s | %s |" % row for row in rows]


def manual_table(rows):
    # The answers' column wraps, ragged (T{ .na ... T}), so that the table fits in 80 columns.
    def row(r):
        return ["T{", ".na", r[0].replace("-", "\\-"), "T}\t" + "\t".join(r[1:])]
    return [".TS", "lw(42) r r r.", "Answer\tOwn\tzenity\tkdialog"] + [line for r in rows for line in row(r)] + [".TE"]


def replace(lines, start, end, new):
    return lines[:start] + new + lines[end:]


def readme_span(lines):
    """Where the README's table starts and ends (the lines of its rows)."""
    start = lines.index(README_HEAD)
    end = start
    while end < len(lines) and lines[end].startswith("|"):
        end += 1
    return start, end


def manual_span(lines):
    """Where the manual page's table under EXIT STATUS starts and ends."""
    start = lines.index(".TS", lines.index(".SH EXIT STATUS"))
    return start, lines.index(".TE", start) + 1


def main():
    args = [a for a in sys.argv[1:] if a != "--write"]
    if len(args) != 3:
        sys.exit(__doc__.strip().splitlines()[-1].strip())
    program, readme, manual = args
    rows = help_rows(program)
    differ = []
    for path, span, table in ((readme, readme_span, readme_table), (manual, manual_span, manual_table)):
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        try:
            start, end = span(lines)
        except ValueError:
            sys.exit("exit-status-table: %s has no exit status table where it is looked for" % path)
        if lines[start:end] == table(rows):
            continue
        if "--write" in sys.argv:
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(replace(lines, start, end, table(rows))))
            print("exit-status-table: wrote the table of %s" % path)
        else:
            differ.append(path)
    for path in differ:
        print("exit-status-table: the table of %s is not the one --help prints "
              "(scripts/exit-status-table.py %s %s %s --write)" % (path, program, readme, manual), file=sys.stderr)
    if not differ:
        print("exit-status-table: the README's and the manual page's tables are --help's %d rows" % len(rows))
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
