#!/usr/bin/python3
"""Tests of the table reading and the comparing in drive.py (no display needed):
    /usr/bin/python3 tools/compat/test_drive.py"""

import io
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drive  # noqa: E402


def table(*rows):
    return "# a comment\n\n" + "".join("\t".join(r) + "\n" for r in rows)


def result(status=0, stdout="", **seen):
    r = {"status": status, "stdout": stdout, "stderr": seen.pop("stderr", ""), "window": True,
         "title": None, "buttons": None, "default": None, "icon": None, "text": None, "notes": []}
    r.update(seen)
    return r


class SplitWords(unittest.TestCase):
    def test_the_quoting_of_the_args_column(self):
        cases = [
            ("zenity --info", ["zenity", "--info"]),
            ("  zenity   --info  ", ["zenity", "--info"]),
            ("kdialog --msgbox 'two words'", ["kdialog", "--msgbox", "two words"]),
            ('kdialog --msgbox "two words"', ["kdialog", "--msgbox", "two words"]),
            ("zenity --text 'a\\nb'", ["zenity", "--text", "a\\nb"]),          # no escapes in quotes
            ("zenity --text a\\nb", ["zenity", "--text", "a\\nb"]),            # nor outside
            ("zenity --text '<span a=\"b\">'", ["zenity", "--text", '<span a="b">']),
            ("zenity --text=''", ["zenity", "--text="]),
            ("zenity --gtk-module ''", ["zenity", "--gtk-module", ""]),
            ("zenity --title='A B'x", ["zenity", "--title=A Bx"]),
        ]
        for line, words in cases:
            with self.subTest(line=line):
                self.assertEqual(drive.split_words(line), words)

    def test_an_unterminated_quote_is_an_error(self):
        for line in ("zenity --text 'abc", 'kdialog --msgbox "x'):
            with self.subTest(line=line):
                with self.assertRaises(ValueError):
                    drive.split_words(line)


class Cells(unittest.TestCase):
    def test_the_escapes_of_stdout_and_shows_values(self):
        cases = [
            ("-", ""),
            ("Later\\n", "Later\n"),
            ("a\\tb", "a\tb"),
            ("one\\\\ntwo", "one\\ntwo"),   # an escaped backslash before n is not a line end
            ("c:\\x", "c:\\x"),             # an unknown escape stays as it is
            ("end\\", "end\\"),
        ]
        for cell, text in cases:
            with self.subTest(cell=cell):
                self.assertEqual(drive.unescape_cell(cell), text)

    def test_shows_items(self):
        self.assertEqual(drive.parse_shows("-"), {})
        self.assertEqual(drive.parse_shows("title=Question; buttons=No,Yes; default=Yes; icon=question; text=a\\nb"),
                         {"title": "Question", "buttons": "No,Yes", "default": "Yes", "icon": "question",
                          "text": "a\nb"})
        self.assertEqual(drive.parse_shows("text=x=y"), {"text": "x=y"})
        self.assertEqual(drive.parse_shows("title=Report — KDialog"), {"title": "Report — KDialog"})

    def test_bad_shows_items(self):
        for cell in ("title", "colour=red", "text=a; b"):
            with self.subTest(cell=cell):
                with self.assertRaises(ValueError):
                    drive.parse_shows(cell)


class ParseTable(unittest.TestCase):
    def test_rows_with_and_without_stderr(self):
        rows = drive.parse_table(table(
            ["zenity info: Escape gives 1", "zenity --info --text 'Saved.'", "escape", "1", "-", "buttons=OK"],
            ["kdialog: refused", "kdialog --msgbox hi --colour red", "none", "1", "-", "-", "Unknown option"],
            ["ours only: entry", "zenity --entry", "none", "64", "-", "-", "message boxes only"]))
        self.assertEqual([r.number for r in rows], [1, 2, 3])
        first, second, third = rows
        self.assertEqual((first.tool, first.args, first.action, first.status, first.stdout),
                         ("zenity", ["--info", "--text", "Saved."], "escape", 1, ""))
        self.assertEqual(first.shows, {"buttons": "OK"})
        self.assertEqual(first.stderr, "")
        self.assertFalse(first.ours_only)
        self.assertEqual((second.tool, second.stderr, second.shows), ("kdialog", "Unknown option", {}))
        self.assertTrue(third.ours_only)
        self.assertEqual(first.line_no, 3)

    def test_malformed_rows_name_their_line(self):
        cases = [
            ["too few", "zenity --info", "enter", "0", "-"],
            ["too many", "zenity --info", "enter", "0", "-", "-", "x", "y=1", "z"],
            ["other tool", "whiptail --msgbox hi 8 40", "enter", "0", "-", "-"],
            ["no tool", "''", "enter", "0", "-", "-"],
            ["bad action", "zenity --info", "click", "0", "-", "-"],
            ["empty press", "zenity --info", "press:", "0", "-", "-"],
            ["bad status", "zenity --info", "enter", "-1", "-", "-"],
        ]
        for cells in cases:
            with self.subTest(row=cells[0]):
                with self.assertRaisesRegex(ValueError, "line 3"):
                    drive.parse_table(table(cells))

    def test_the_table_in_the_tree_reads(self):
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "compat",
                            "message-boxes.tsv")
        with open(path, encoding="utf-8") as f:
            rows = drive.parse_table(f.read())
        self.assertGreater(len(rows), 40)
        self.assertEqual({r.tool for r in rows}, {"zenity", "kdialog"})
        for r in rows:
            with self.subTest(row=r.number):
                # a row that shows no box checks nothing it would show
                if r.action == "none":
                    self.assertEqual(r.shows, {}, r.label)
                # a refusal of ours says that this program shows message boxes only
                if r.ours_only and r.action == "none":
                    self.assertEqual(r.status, 64)


class Options(unittest.TestCase):
    def test_actions(self):
        for action in ("enter", "escape", "close", "wait", "none", "press:OK", "tick+press:Yes", "press:Do it"):
            with self.subTest(action=action):
                self.assertTrue(drive.valid_action(action))
        for action in ("", "press", "press:", "tick+press:", "click:OK", "Enter"):
            with self.subTest(action=action):
                self.assertFalse(drive.valid_action(action))

    def test_select_rows(self):
        rows = drive.parse_table(table(*[["r%d" % i, "zenity --info", "enter", "0", "-", "-"] for i in range(1, 8)]))
        self.assertEqual([r.number for r in drive.select_rows(rows, None)], list(range(1, 8)))
        self.assertEqual([r.number for r in drive.select_rows(rows, "2,4-6")], [2, 4, 5, 6])
        self.assertEqual([r.number for r in drive.select_rows(rows, "7,9")], [7])

    def test_the_command_lines_timeout(self):
        cases = [
            (["--info"], 0),
            (["--info", "--timeout", "5"], 5),
            (["--info", "--timeout=7"], 7),
            (["--info", "--timeout"], 0),
            (["--info", "--timeout", "soon"], 0),
        ]
        for args, seconds in cases:
            with self.subTest(args=args):
                self.assertEqual(drive.command_timeout(args), seconds)

    def test_labels_and_icons(self):
        for name, label in (("&Yes", "Yes"), ("_Fine", "Fine"), ("Save && Quit", "Save & Quit"), ("OK", "OK")):
            with self.subTest(name=name):
                self.assertEqual(drive.clean_label(name), label)
        for names, word in ((["Information"], "information"), (["", "Warning"], "warning"),
                            (["dialog-question"], "question"), (["Error"], "error"), ([""], None), ([], None),
                            (["folder"], "folder")):
            with self.subTest(names=names):
                self.assertEqual(drive.icon_word(names), word)


class Compare(unittest.TestCase):
    def row(self, label="zenity question: No", args="zenity --question", action="press:No", status="1",
            stdout="-", shows="buttons=No,Yes; default=Yes", stderr=None):
        cells = [label, args, action, status, stdout, shows] + ([stderr] if stderr is not None else [])
        return drive.parse_table(table(cells))[0]

    def test_a_real_tool_that_agrees_with_the_table(self):
        real = result(1, buttons=["No", "Yes"], default="Yes", title="Question")
        self.assertEqual(drive.compare_row(self.row(), real, None)["real"], [])

    def test_each_way_the_real_tool_can_disagree(self):
        cases = [
            (result(0, buttons=["No", "Yes"], default="Yes"), "status: want 1, got 0"),
            (result(1, "No\n", buttons=["No", "Yes"], default="Yes"), 'stdout: want "", got "No\\n"'),
            (result(1, buttons=["Yes", "No"], default="Yes"), 'buttons: want "No,Yes", saw "Yes,No"'),
            (result(1, buttons=["No", "Yes"]), 'default: want "Yes", saw (nothing)'),
        ]
        for real, want in cases:
            with self.subTest(want=want):
                self.assertEqual(drive.compare_row(self.row(), real, None)["real"], [want])

    def test_stderr_must_contain_the_rows_text(self):
        row = self.row(action="none", status="255", shows="-", stderr="Two or more dialog options specified")
        good = result(255, stderr="Two or more dialog options specified\n")
        bad = result(255, stderr="Something else\n")
        self.assertEqual(drive.compare_row(row, good, None)["real"], [])
        self.assertEqual(len(drive.compare_row(row, bad, None)["real"]), 1)

    def test_ours_is_held_against_the_real_tool_not_the_table(self):
        row = self.row(status="0")  # the table is wrong here, the real tool gave 1
        real = result(1, buttons=["No", "Yes"], default="Yes")
        report = drive.compare_row(row, real, result(1, buttons=["No", "Yes"], default="Yes"))
        self.assertEqual(len(report["real"]), 1)
        self.assertEqual(report["ours"], [])
        self.assertEqual(report["ours_shows"], [])
        report = drive.compare_row(row, real, result(0, buttons=["Yes", "No"], default="Yes"))
        self.assertEqual(report["ours"], ["status: want 1, got 0"])
        self.assertEqual(report["ours_shows"], ['buttons: want "No,Yes", saw "Yes,No"'])

    def test_ours_mirrors_the_buttons_and_the_rows_keys_only(self):
        row = self.row(shows="default=Yes")
        real = result(1, buttons=["No", "Yes"], default="Yes", title="Question", text="Sure?")
        ours = result(1, buttons=["No", "Yes"], default="Yes", title="quibrad", text="Something")
        self.assertEqual(drive.compare_row(row, real, ours)["ours_shows"], [])

    def test_an_ours_only_row_holds_ours_against_the_table(self):
        row = self.row(label="ours only: entry", args="zenity --entry", action="none", status="64", shows="-",
                       stderr="message boxes only")
        report = drive.compare_row(row, None, result(64, stderr="quibrad: shows message boxes only\n"))
        self.assertEqual(report, {"real": [], "ours": [], "ours_shows": []})
        report = drive.compare_row(row, None, result(1, stderr="zenity: no\n"))
        self.assertEqual(len(report["ours"]), 1)
        self.assertEqual(len(report["ours_shows"]), 1)

    def test_the_report_counts_agreement(self):
        rows = drive.parse_table(table(
            ["a", "zenity --info", "enter", "0", "-", "buttons=OK"],
            ["b", "zenity --info", "escape", "1", "-", "-"],
            ["c", "kdialog --yesno hi", "press:No", "1", "-", "-"],
            ["ours only: d", "zenity --entry", "none", "64", "-", "-"]))
        results = {
            1: (result(0, buttons=["OK"]), result(0, buttons=["OK"])),
            2: (result(1), result(0)),                    # ours answers Escape wrongly
            3: (result(2), result(2)),                    # the table is wrong; ours is right
            4: (None, result(64)),
        }
        out = io.StringIO()
        totals = drive.print_report(rows, results, out)
        self.assertEqual(totals["rows"], 4)
        self.assertEqual((totals["real_run"], totals["real_ok"]), (3, 2))
        self.assertEqual((totals["ours_run"], totals["ours_ok"]), (4, 3))
        text = out.getvalue()
        self.assertIn("! ours against the real tool: status: want 1, got 0", text)
        self.assertIn("! real tool against the table: status: want 1, got 2", text)
        self.assertIn("(not run: ours only)", text)
        self.assertIn("real tool agrees with the table (status, stdout, shows, stderr): 2 of 3 run", text)

    def test_a_run_is_described_in_one_line(self):
        line = drive.describe(result(1, "Never\n", title="Question", buttons=["Later", "No", "Yes"],
                                     notes=["read on attempt 2"]))
        self.assertEqual(line, 'status 1  stdout "Never\\n"  title=Question; buttons=Later,No,Yes  [read on attempt 2]')
        self.assertEqual(drive.describe(None), "(not run)")
        self.assertIn("no box", drive.describe(dict(result(255), window=False)))


if __name__ == "__main__":
    unittest.main(verbosity=1)
