#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Applies the faults of tools/mutations.tsv one at a time and tells which the tests catch.

For each mutation: the file is copied aside, the fault written in, the test programs of the
file's room rebuilt and run (headless, with a time limit); then the file is put back byte for
byte, also on Ctrl+C or an error. A failing test or a time-out kills the mutation; a mutant
that does not compile is counted apart, to be rewritten.

    tools/mutate.py                 every mutation of the list
    tools/mutate.py core-01 maps-03 only these
    tools/mutate.py --check         only check that every original occurs exactly once
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The test programs that run for a fault in each room: the room's own and its window tests.
ROOM_TARGETS = {
    "core": ["core_tests"],
    "maps": ["maps_tests", "ui_tests"],
    "table": ["table_tests", "table_ui_tests"],
    "shell": ["shell_tests", "shell_ui_tests"],
    "lang": ["lang_tests", "lang_ui_tests"],
    "calendar": ["calendar_tests", "calendar_ui_tests"],
    "random": ["random_tests", "random_ui_tests"],
    "pictures": ["pictures_tests", "pictures_ui_tests"],
}

ESCAPE = re.compile(r"\\(\\|n|t)")


def unescape(text):
    return ESCAPE.sub(lambda m: {"\\": "\\", "n": "\n", "t": "\t"}[m.group(1)], text)


class Mutation:
    def __init__(self, line_no, fields):
        self.line_no = line_no
        self.id, self.file, original, replacement, self.description = fields
        self.original = unescape(original)
        self.replacement = unescape(replacement)

    def room(self):
        parts = Path(self.file).parts
        return parts[1] if len(parts) > 2 and parts[0] == "src" else None


def read_list(path):
    mutations = []
    problems = []
    for line_no, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 5:
            problems.append(f"{path.name}:{line_no}: {len(fields)} fields, 5 expected")
            continue
        mutations.append(Mutation(line_no, fields))
    seen = set()
    for m in mutations:
        if m.id in seen:
            problems.append(f"{path.name}:{m.line_no}: id {m.id} used twice")
        seen.add(m.id)
    return mutations, problems


def check(mutation):
    """The reason the mutation cannot be applied, or None."""
    if mutation.room() not in ROOM_TARGETS or "/ui/" in mutation.file:
        return f"{mutation.file} is not logic code of a known room"
    path = ROOT / mutation.file
    if not path.is_file():
        return f"{mutation.file} does not exist"
    if not mutation.original:
        return "empty original"
    if mutation.original == mutation.replacement:
        return "replacement equals the original"
    count = path.read_bytes().decode("utf-8").count(mutation.original)
    if count != 1:
        return f"original occurs {count} times in {mutation.file}, exactly once expected"
    return None


def tree_state():
    """What git sees of the working tree, to prove at the end that it was left as found."""
    status = subprocess.run(["git", "status", "--porcelain=v1", "-z"], cwd=ROOT, capture_output=True,
                            check=True).stdout
    diff = subprocess.run(["git", "diff", "--binary", "HEAD"], cwd=ROOT, capture_output=True,
                          check=True).stdout
    return status, diff


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def run(command, log, timeout, cwd, env=None):
    """Runs a command in its own process group, output to `log`; its exit code, or None on a
    time-out. The whole group is killed on a time-out or an interruption."""
    log.write(f"$ {' '.join(command)}\n")
    log.flush()
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=log, stderr=subprocess.STDOUT,
                               stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        log.write(f"\n*** timed out after {timeout} s\n")
        return None
    except BaseException:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise


class Backup:
    """The original bytes of the file under mutation, in memory and on disk beside the build,
    so that even a killed run leaves a copy to put back."""

    def __init__(self, build_dir):
        self.dir = build_dir / "mutation-backup"
        self.path = None
        self.original = None

    def leftovers(self):
        return sorted(p for p in self.dir.rglob("*") if p.is_file()) if self.dir.exists() else []

    def take(self, path):
        self.path = path
        self.original = path.read_bytes()
        copy = self.dir / path.relative_to(ROOT)
        copy.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(path, copy)

    def restore(self):
        if self.path is None:
            return
        # The mtime is left new, so that the next build compiles the original again.
        if self.path.read_bytes() != self.original:
            self.path.write_bytes(self.original)
        (self.dir / self.path.relative_to(ROOT)).unlink(missing_ok=True)
        self.path = None
        self.original = None


def restore_leftovers(backup):
    for copy in backup.leftovers():
        target = ROOT / copy.relative_to(backup.dir)
        shutil.copyfile(copy, target)
        copy.unlink()
        print(f"put back {target.relative_to(ROOT)}")


def mutate_one(mutation, args, backup, logs):
    """'killed', 'survived' or 'no-build'."""
    path = ROOT / mutation.file
    targets = ROOM_TARGETS[mutation.room()]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    with open(logs / f"{mutation.id}.log", "w", encoding="utf-8") as log:
        log.write(f"{mutation.id}: {mutation.description}\n{mutation.file}\n")
        backup.take(path)
        try:
            text = backup.original.decode("utf-8")
            path.write_bytes(text.replace(mutation.original, mutation.replacement, 1).encode("utf-8"))
            build = ["cmake", "--build", str(args.build_dir), "-j", str(args.jobs), "--target", *targets]
            if run(build, log, args.build_timeout, ROOT) != 0:
                return "no-build"
            for target in targets:
                program = args.build_dir / "tests" / target
                rc = run([str(program), "--gtest_brief=1", "--gtest_fail_fast"], log, args.timeout,
                         program.parent, env)
                if rc != 0:
                    log.write(f"\n*** {target}: {'time-out' if rc is None else f'exit {rc}'}\n")
                    return "killed"
            return "survived"
        finally:
            backup.restore()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("ids", nargs="*", help="mutation ids (default: all)")
    parser.add_argument("--list", type=Path, default=ROOT / "tools" / "mutations.tsv")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build")
    parser.add_argument("--timeout", type=int, default=300, help="seconds per test program")
    parser.add_argument("--build-timeout", type=int, default=1800)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--check", action="store_true", help="only check the list")
    parser.add_argument("--restore", action="store_true",
                        help="put back the files a killed run left mutated, then stop")
    args = parser.parse_args()
    args.build_dir = args.build_dir.resolve()

    backup = Backup(args.build_dir)
    if args.restore:
        restore_leftovers(backup)
        return 0
    if backup.leftovers():
        print(f"A previous run was killed while a file was mutated; its original is kept in {backup.dir}.\n"
              "Run tools/mutate.py --restore to put it back.", file=sys.stderr)
        return 2

    mutations, problems = read_list(args.list)
    if args.ids:
        known = {m.id: m for m in mutations}
        problems += [f"unknown mutation {i}" for i in args.ids if i not in known]
        mutations = [known[i] for i in args.ids if i in known]
    for m in mutations:
        reason = check(m)
        if reason:
            problems.append(f"{m.id}: {reason}")
    if problems:
        print("Refused:\n  " + "\n  ".join(problems), file=sys.stderr)
        return 2
    if args.check:
        print(f"{len(mutations)} mutations, each original found exactly once.")
        return 0
    if not (args.build_dir / "CMakeCache.txt").is_file():
        print(f"No build in {args.build_dir}: run scripts/setup.sh first.", file=sys.stderr)
        return 2

    logs = args.build_dir / "mutation-logs"
    logs.mkdir(parents=True, exist_ok=True)
    before = tree_state()
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    results = {}
    interrupted = False
    started = time.monotonic()
    try:
        for n, m in enumerate(mutations, 1):
            t0 = time.monotonic()
            results[m.id] = mutate_one(m, args, backup, logs)
            print(f"[{n}/{len(mutations)}] {m.id:10} {results[m.id]:9} {time.monotonic() - t0:5.0f} s  "
                  f"{m.description}", flush=True)
    except (KeyboardInterrupt, Interrupted) as stop:
        interrupted = True
        print(f"\nInterrupted ({stop or 'Ctrl+C'}); the file under mutation was put back.", file=sys.stderr)
    finally:
        backup.restore()

    killed = [i for i, r in results.items() if r == "killed"]
    survived = [i for i, r in results.items() if r == "survived"]
    no_build = [i for i, r in results.items() if r == "no-build"]
    print(f"\n{len(results)} mutations: {len(killed)} killed, {len(survived)} survived, "
          f"{len(no_build)} did not build ({time.monotonic() - started:.0f} s; logs in {logs})")
    if survived:
        print("Survived: " + " ".join(survived))
    if no_build:
        print("Did not build (rewrite them): " + " ".join(no_build))

    if tree_state() != before:
        print("ERROR: the working tree differs from how the run found it (see git status).",
              file=sys.stderr)
        return 3
    print("Working tree unchanged (git status and git diff as before the run).")
    # The build still holds objects of the last mutant; rebuilding the touched targets brings it
    # back to the sources (the compiler cache answers).
    touched = sorted({t for m in mutations if m.id in results for t in ROOM_TARGETS[m.room()]})
    if touched and not interrupted:
        with open(logs / "final-build.log", "w", encoding="utf-8") as log:
            if run(["cmake", "--build", str(args.build_dir), "-j", str(args.jobs), "--target", *touched],
                   log, args.build_timeout, ROOT) != 0:
                print(f"Rebuilding {' '.join(touched)} from the restored sources failed; see "
                      f"{logs / 'final-build.log'}", file=sys.stderr)
    return 1 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
