#!/usr/bin/env python3
"""Mutation testing for one source folder: changes one small thing at a time
in the folder's .cpp files, rebuilds the headless tests incrementally, runs
them, and reports the changes no test noticed (the survivors).

    tools/mutants.py src/framework/window [--max 40] [--seed 1] [--build build/mutants]

The changes: a condition negated, a call statement deleted, a number swapped
for its neighbour, a returned level changed, a comparison turned around. A
change that does not compile is not counted. Every file is put back as it
was, also when the run is interrupted.

A change that no test can notice, because the program behaves the same with
it (an equivalent mutant), is listed with its reason in
tools/mutants-equivalent.txt; such survivors are reported apart, and the
score is also given without them.
"""
import argparse
import pathlib
import random
import re
import subprocess
import sys

LEVELS = ["LevelOk", "LevelQuestion", "LevelProgramError", "LevelFatal", "LevelCancel", "LevelNotify"]
# A returned level changes between going on and stopping: LevelOk becomes
# LevelNotify, any other level LevelOk. (The next level in the list was often
# read as the same: an event handler's LevelOk and LevelQuestion both let the
# event go on.)
COMPARISONS = {"==": "!=", "!=": "==", "<=": "<", ">=": ">", "<": "<=", ">": ">="}


def code_part(line):
    """The line without a // comment, and whether it is worth mutating."""
    stripped = line.split("//", 1)[0]
    text = stripped.strip()
    worth = bool(text) and not text.startswith(("#", "*", "/*", "namespace", "using ", "static_assert"))
    return stripped, worth


def mutations(line):
    """Every mutated version of one line of code, with a short name."""
    code, worth = code_part(line)
    if not worth:
        return
    match = re.search(r"\b(if|while)\s*\((.*)\)\s*(\{|return|continue|break|[A-Za-z_])", code)
    if match and code.count("(") == code.count(")"):
        start, end = match.span(2)
        yield "negate the condition", line[:start] + "!(" + line[start:end] + ")" + line[end:]
    if re.fullmatch(r"\s*[A-Za-z_][\w:.\->]*\(.*\);\s*", code) and not re.match(r"\s*return\b", code):
        yield "delete the call", re.sub(r"\S.*", "; // mutant: call deleted", line, count=1)
    numbers = [m for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code)
               if not ('"' in code[: m.start()] and code[: m.start()].count('"') % 2)]  # not inside a string
    for m in numbers:
        n = int(m.group(1))
        name = "number " + m.group(1) + " to " + str(n + 1)
        same = [o for o in numbers if o.group(1) == m.group(1)]
        if len(same) > 1:
            name += f" (no. {same.index(m) + 1} of {len(same)})"  # which of the line's equal numbers
        yield name, line[: m.start()] + str(n + 1) + line[m.end():]
    for m in re.finditer(r"\breturn (Level\w+);", code):
        if m.group(1) in LEVELS:
            other = "LevelNotify" if m.group(1) == "LevelOk" else "LevelOk"
            yield "return " + other, line[: m.start(1)] + other + line[m.end(1):]
    for m in re.finditer(r"(?<=[\w)\] ])(==|!=|<=|>=|<|>)(?=[ \w(!-])", code):
        if code.count('"') or "<<" in code or ">>" in code or "template" in code or "std::" in code[m.start() - 12: m.start()]:
            continue
        if m.group(1) in ("<", ">") and not re.search(r"\s[<>]\s", code[m.start() - 1: m.end() + 1]):
            continue  # a template's angle brackets, not a comparison
        yield m.group(1) + " to " + COMPARISONS[m.group(1)], line[: m.start()] + COMPARISONS[m.group(1)] + line[m.end():]


def known_equivalents(root):
    """(file, change, line) -> why, from tools/mutants-equivalent.txt."""
    known = {}
    listing = root / "tools" / "mutants-equivalent.txt"
    if listing.exists():
        for row in listing.read_text().splitlines():
            if row.strip() and not row.startswith("#"):
                where, change, line, why = (part.strip() for part in row.split(" | ", 3))
                known[(where, change, line)] = why
    return known


def run(command, timeout=None):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=timeout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder")
    parser.add_argument("--max", type=int, default=40, help="at most this many mutants")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--build", default="build/mutants")
    parser.add_argument("--timeout", type=int, default=300, help="seconds a test run may take (longer: killed)")
    args = parser.parse_args()

    root = pathlib.Path(__file__).resolve().parent.parent
    folder = (root / args.folder).resolve()
    sources = sorted(folder.glob("*.cpp"))
    if not sources:
        sys.exit("mutants: no .cpp files in " + args.folder)
    candidates = []
    for source in sources:
        for number, line in enumerate(source.read_text().splitlines(keepends=True), 1):
            for name, mutated in mutations(line):
                if mutated != line:
                    candidates.append((source, number, name, line, mutated))
    random.Random(args.seed).shuffle(candidates)
    chosen = candidates[: args.max]

    build = str(root / args.build)
    configure = ["cmake", "-S", str(root), "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                 "-DQUIBRA_BACKENDS=headless"]
    if run(configure).returncode or run(["cmake", "--build", build, "-j2"]).returncode:
        sys.exit("mutants: the unchanged tree does not build in " + args.build)
    if run(["ctest", "--test-dir", build, "-j2"], timeout=args.timeout).returncode:
        sys.exit("mutants: the tests fail on the unchanged tree; mend them first")

    killed, survivors, stillborn = 0, [], 0
    print(f"mutants: {len(chosen)} of {len(candidates)} possible in {args.folder} (seed {args.seed})")
    for i, (source, number, name, line, mutated) in enumerate(chosen, 1):
        original = source.read_text()
        lines = original.splitlines(keepends=True)
        lines[number - 1] = mutated
        where = f"{source.relative_to(root)}:{number}"
        try:
            source.write_text("".join(lines))
            if run(["cmake", "--build", build, "-j2"]).returncode:
                stillborn += 1
                verdict = "does not compile"
            else:
                try:
                    failed = run(["ctest", "--test-dir", build, "-j2"], timeout=args.timeout).returncode != 0
                except subprocess.TimeoutExpired:
                    failed = True
                if failed:
                    killed += 1
                    verdict = "killed"
                else:
                    survivors.append((where, name, line, mutated))
                    verdict = "SURVIVED"
        finally:
            source.write_text(original)
        print(f"  [{i}/{len(chosen)}] {verdict:16} {where}: {name}", flush=True)
    run(["cmake", "--build", build, "-j2"])  # back to the unchanged tree

    counted = killed + len(survivors)
    score = 100.0 * killed / counted if counted else 100.0
    print(f"mutants: score {score:.0f}% ({killed} killed, {len(survivors)} survived, {stillborn} did not compile)")
    known = known_equivalents(root)
    unexplained = []
    for where, name, line, mutated in survivors:
        why = known.get((where.rsplit(":", 1)[0], name, line.strip()))
        if why:
            print(f"equivalent {where}: {name}: {why}")
        else:
            unexplained.append((where, name, line, mutated))
    if len(unexplained) < len(survivors):
        rest = killed + len(unexplained)
        print(f"mutants: without the {len(survivors) - len(unexplained)} known equivalent ones, "
              f"score {100.0 * killed / rest if rest else 100.0:.0f}% ({len(unexplained)} unexplained)")
    for where, name, line, mutated in unexplained:
        print(f"survivor {where}: {name}\n  - {line.strip()}\n  + {mutated.strip()}")


if __name__ == "__main__":
    main()
