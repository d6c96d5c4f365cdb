#!/usr/bin/env python3
"""One-line mutation testing of the portable core. See README.md here."""

import argparse
import os
import random
import re
import resource
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = ROOT / "build" / "mutation"
SURVIVORS = BUILD / "survivors.txt"  # the last run's, as --list prints them
TARGETS = ["unit_tests", "check_unit_tests", "autorun-check"]

SWAPS = {
    " < ": [" <= ", " > "], " <= ": [" < "], " > ": [" >= ", " < "], " >= ": [" > "],
    " == ": [" != "], " != ": [" == "], " && ": [" || "], " || ": [" && "],
    " + ": [" - "], " - ": [" + "], "true": ["false"], "false": ["true"],
}
SWAP_PATTERN = re.compile(r" (<=|>=|<|>|==|!=|&&|\|\||\+|-) |\b(true|false)\b")
NUMBER = re.compile(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+)(?=[uU]?\b)")
CHAR = re.compile(r"'([ -&(-\[\]-~])'")
CONDITION = re.compile(r"\b(if|while) \(")
CALL_LINE = re.compile(r"^\s*(?!return\b|const\b|auto\b|else\b)[\w:.\->\[\]]+\(.*\);\s*$")


def core_sources():
    """The core's .cpp files, from the list in cmake/CoreSources.cmake."""
    text = (ROOT / "cmake" / "CoreSources.cmake").read_text()
    block = re.search(r"set\(orvex_core_sources\b(.*?)\)", text, re.S).group(1)
    return [f for f in block.split() if f.endswith(".cpp") and "/win32/" not in f]


def code_mask(line):
    """For each column, whether it is code (not in a string, character or comment)."""
    mask, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            mask.append(False)
            if c == "\\":
                mask.append(False)
                i += 1
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            mask.append(False)
        elif line.startswith("//", i):
            mask += [False] * (len(line) - i)
            break
        else:
            mask.append(True)
        i += 1
    return mask[: len(line)]


def matching_paren(line, open_at):
    depth = 0
    for i in range(open_at, len(line)):
        depth += {"(": 1, ")": -1}.get(line[i], 0)
        if depth == 0:
            return i
    return None


def line_mutants(line):
    """Every one-line change of a source line, as new lines."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("#", "//", "namespace", "}", "static_assert")):
        return []
    mask = code_mask(line)
    out = []
    for m in SWAP_PATTERN.finditer(line):
        if m.group(1) in ("+", "-") and '"' in line:
            continue  # joins texts: would not compile
        if all(mask[m.start() : m.end()]):
            for new in SWAPS[m.group(0)]:
                out.append(line[: m.start()] + new + line[m.end() :])
    for m in NUMBER.finditer(line):
        if mask[m.start()]:
            text = m.group(1)
            value = int(text, 0)
            for new in (value + 1, value - 1):
                if new >= 0:
                    hexa = text.startswith("0x")
                    shown = "0x" + format(new, "X").zfill(len(text) - 2) if hexa else str(new)
                    out.append(line[: m.start()] + shown + line[m.end() :])
    for m in CHAR.finditer(line):
        if not mask[m.start()] and (m.start() == 0 or mask[m.start() - 1]):
            new = chr(ord(m.group(1)) + 1)
            out.append(line[: m.start(1)] + ("\\" + new if new in "'\\" else new) + line[m.end(1) :])
    for m in CONDITION.finditer(line):
        if mask[m.start()]:
            close = matching_paren(line, m.end() - 1)
            if close:
                inner = line[m.end() : close]
                out.append(line[: m.end()] + "!(" + inner + ")" + line[close:])
    if CALL_LINE.match(line) and " = " not in line:
        out.append(line[: len(line) - len(line.lstrip())] + ";")
    return out


def all_mutants(places):
    """Mutants of each file, or of one line of it when given as file:line."""
    mutants = []
    for place in places:
        name, _, only = place.partition(":")
        for number, line in enumerate((ROOT / name).read_text().splitlines(), 1):
            if not only or int(only) == number:
                mutants += [(name, number, line, new) for new in line_mutants(line)]
    return mutants


def listed(mutant):
    name, number, line, new = mutant
    return f"{name}:{number}: {line.strip()}  ->  {new.strip()}"


def limit_memory():
    # A mutant that allocates without end must not take the machine down.
    resource.setrlimit(resource.RLIMIT_AS, (2 << 30, 2 << 30))


def run(command, timeout=None):
    """Runs a command in its own process group; None when it overran."""
    process = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True,
                               preexec_fn=limit_memory if timeout else None)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    finally:  # also on Ctrl-C
        if process.returncode is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def build():
    return run(["cmake", "--build", str(BUILD), "-j2", "--target", *TARGETS]) == 0


def tests_pass(timeout):
    """False when a test fails, None when the tests overran."""
    deadline = time.monotonic() + timeout
    for command in (
        [str(BUILD / "tests/unit/unit_tests"), "--gtest_brief=1"],
        [str(BUILD / "tests/check/check_unit_tests"), "--gtest_brief=1"],
        ["ctest", "--test-dir", str(BUILD), "-R", r"^check\.", "-E", r"^check\.(unit\.|medium)",
         "--stop-on-failure", "-j2"],
    ):
        status = run(command, max(1.0, deadline - time.monotonic()))
        if status != 0:
            return None if status is None else False
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("files", nargs="*", help="core files (or file:line) to mutate; default: all of the core")
    parser.add_argument("--sample", type=int, help="test N mutants drawn at random")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--timeout", type=float, help="seconds per mutant's tests "
                        "(default: 5 times the unmutated run, at least 20)")
    parser.add_argument("--list", action="store_true", help="list the mutants, test none")
    parser.add_argument("--retest", action="store_true",
                        help="test again only the last run's survivors")
    args = parser.parse_args()

    mutants = all_mutants(args.files or core_sources())
    if args.retest:
        wanted = set(SURVIVORS.read_text().splitlines())
        mutants = [m for m in mutants if listed(m) in wanted]
    if args.sample and args.sample < len(mutants):
        mutants = sorted(random.Random(args.seed).sample(mutants, args.sample),
                         key=lambda m: (m[0], m[1]))
    if args.list:
        print("\n".join(listed(m) for m in mutants))
        return 0

    if not (BUILD / "build.ninja").exists():
        env = dict(os.environ, CMAKE_CXX_COMPILER_LAUNCHER="ccache")
        subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Debug"], check=True, env=env,
                       stdout=subprocess.DEVNULL)
    if not build():
        sys.exit("the unmutated tree does not build")
    started = time.monotonic()
    if not tests_pass(600):
        sys.exit("the tests fail on the unmutated tree")
    timeout = args.timeout or max(20.0, 5 * (time.monotonic() - started))

    # Ctrl-C and kill end the run through the finally below, which restores.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    results = {}  # file -> {"killed": n, "timeout": n, "survived": [...], "no build": n}
    survivors = []
    started = time.monotonic()
    for count, (name, number, line, new) in enumerate(mutants, 1):
        path = ROOT / name
        original = path.read_bytes()
        lines = original.decode().split("\n")
        lines[number - 1] = new
        try:
            path.write_bytes("\n".join(lines).encode())
            if not build():
                outcome = "no build"
            else:
                passed = tests_pass(timeout)
                outcome = "survived" if passed else "killed" if passed is False else "timeout"
        finally:
            path.write_bytes(original)
        tally = results.setdefault(name, {"killed": 0, "timeout": 0, "no build": 0, "survived": []})
        if outcome == "survived":
            tally["survived"].append((number, line.strip(), new.strip()))
            survivors.append(listed((name, number, line, new)))
        else:
            tally[outcome] += 1
        print(f"[{count}/{len(mutants)}] {outcome:8} {name}:{number}: {new.strip()}", flush=True)
    elapsed = time.monotonic() - started
    build()  # leave the tree built from the unmutated sources
    SURVIVORS.write_text("".join(s + "\n" for s in survivors))

    print("\nfile                            killed  timeout  survived  no build")
    total_killed = total_survived = 0
    for name, tally in sorted(results.items()):
        killed = tally["killed"] + tally["timeout"]
        total_killed += killed
        total_survived += len(tally["survived"])
        print(f"{name:32}{tally['killed']:6}{tally['timeout']:9}{len(tally['survived']):10}"
              f"{tally['no build']:10}")
    tested = total_killed + total_survived
    if tested:
        print(f"\nkilled {total_killed} of {tested} compiled mutants "
              f"({100 * total_killed / tested:.1f}%), {elapsed / len(mutants):.1f} s per mutant")
    for name, tally in sorted(results.items()):
        for number, line, new in tally["survived"]:
            print(f"survived {name}:{number}\n  - {line}\n  + {new}")
    return 1 if total_survived else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("interrupted; the mutated file is restored")
