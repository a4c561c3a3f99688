#!/usr/bin/env python3
"""Puts one-line faults into a scratch clone of the checkout, one at a time, and runs the
tests that should notice each; prints which faults the tests killed and the kill rate.

  tools/mutation/mutation_sample.py                 every mutation of mutations.txt
  tools/mutation/mutation_sample.py --only ID ...   some of them
  tools/mutation/mutation_sample.py --same-path     see below

The clone (default /work/mutants, made by `git clone` of this checkout when missing) is
where the faults go; this checkout is never touched. Each fault is put in, the named test
programs are built in the clone's build folder, the named tests run (ctest -R, -LE long),
and the file is restored, whatever happened. A fault that does not build is reported apart
and left out of the rate. Before the first fault the same tests run on the clean clone; a
fault whose tests already fail there cannot be judged and is left out too.

--same-path runs all of this in a mount namespace of its own where the clone is seen at
this checkout's path and its build folder at --as-build: the compile commands are then the
ones of that build folder of this checkout, so the compiler cache serves the clone's first
build from it instead of compiling everything again.

Mutation file format: blocks separated by blank lines, `#` comments, fields
  id:    a short name
  file:  path below the top of the checkout
  from:  text that occurs on exactly one line of the file
  to:    what it becomes on that line (first occurrence)
  build: test programs to build
  tests: ctest -R regular expression
  why:   optional, the kind of fault
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def parse(path):
    mutations, current = [], {}
    with open(path, encoding="utf-8") as f:
        for raw in f.read().splitlines() + [""]:
            line = raw.rstrip()
            if line.startswith("#"):
                continue
            if not line:
                if current:
                    for key in ("id", "file", "from", "to", "build", "tests"):
                        if key not in current:
                            sys.exit(f"{path}: mutation {current.get('id', '?')} has no {key}")
                    mutations.append(current)
                current = {}
                continue
            key, _, value = line.partition(":")
            current[key.strip()] = value[1:] if value.startswith(" ") else value
    ids = [m["id"] for m in mutations]
    if len(ids) != len(set(ids)):
        sys.exit(f"{path}: mutation ids repeat")
    return mutations


def run(command, cwd, log, timeout=None):
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write("timed out\n")
            return -1


def ctest(build, tests, log):
    # A hang counts as a kill: a fault that stops a test from ending is noticed.
    return run(["ctest", "-R", tests, "-LE", "long", "--timeout", "120", "-j2"], build, log,
               timeout=1800)


def apply(clone, m):
    path = os.path.join(clone, m["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    hits = [i for i, line in enumerate(lines) if m["from"] in line]
    if len(hits) != 1:
        raise ValueError(f"{m['id']}: '{m['from']}' is on {len(hits)} lines of {m['file']}")
    lines[hits[0]] = lines[hits[0]].replace(m["from"], m["to"], 1)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return path, original, hits[0] + 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", default=os.path.join(TOP, "tools/mutation/mutations.txt"))
    parser.add_argument("--clone", default="/work/mutants")
    parser.add_argument("--build", help="build folder (default: <clone>/build)")
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--jobs", default="2")
    parser.add_argument("--same-path", action="store_true")
    parser.add_argument("--as-build", default=os.path.join(TOP, "build-mutants"))
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    clone = os.path.abspath(args.clone)
    build = os.path.abspath(args.build or os.path.join(clone, "build"))

    if not os.path.isdir(clone):
        subprocess.check_call(["git", "clone", "-q", TOP, clone])
    os.makedirs(build, exist_ok=True)

    if args.same_path and not args.inside:
        # The clone appears at this checkout's path, its build folder at --as-build; the
        # mounts are private to this process and its children.
        # The clone hides this checkout there, so the script and its list go along as copies.
        scratch = tempfile.mkdtemp(prefix="mutation-sample-")
        script = shutil.copy(os.path.abspath(__file__), scratch)
        listed = shutil.copy(os.path.abspath(args.list), scratch)
        inner = [sys.executable, script, "--inside", "--clone", TOP, "--build", args.as_build,
                 "--list", listed, "--jobs", args.jobs]
        if args.only:
            inner += ["--only"] + args.only
        os.makedirs(args.as_build, exist_ok=True)
        shell = (f"mount --bind '{clone}' '{TOP}' && mkdir -p '{args.as_build}' && "
                 f"mount --bind '{build}' '{args.as_build}' && exec \"$@\"")
        unshare = ["unshare", "-m"] if os.geteuid() == 0 else ["unshare", "-rm"]
        os.execvp("unshare", unshare + ["sh", "-c", shell, "sh"] + inner)

    if args.inside:
        print(f"(clone seen at {clone}, build folder at {build})")
    mutations = parse(args.list)
    if args.only:
        mutations = [m for m in mutations if m["id"] in args.only]
    log = os.path.join(build, "mutation-sample.log")
    open(log, "w").close()
    if not os.path.exists(os.path.join(build, "build.ninja")):
        subprocess.check_call(
            ["cmake", "-S", clone, "-B", build, "-G", "Ninja", "-DSOMNARA_WERROR=ON",
             "-DSOMNARA_BENCH=OFF", "-DCMAKE_C_COMPILER_LAUNCHER=ccache",
             "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"], stdout=subprocess.DEVNULL)

    targets = sorted({t for m in mutations for t in m["build"].split()})
    print(f"baseline: building {len(targets)} test programs", flush=True)
    if run(["ninja", "-j", args.jobs] + targets, build, log) != 0:
        sys.exit(f"the clean clone does not build; see {log}")
    subprocess.run(["ctest", "-N"], cwd=build, stdout=subprocess.DEVNULL)
    baseline_failing = {}
    for tests in sorted({m["tests"] for m in mutations}):
        baseline_failing[tests] = ctest(build, tests, log) != 0
        if baseline_failing[tests]:
            print(f"baseline: tests '{tests}' fail without a fault", flush=True)

    results = []
    for m in mutations:
        start = time.time()
        path, original, line = apply(clone, m)
        try:
            if baseline_failing[m["tests"]]:
                outcome = "void"
            elif run(["ninja", "-j", args.jobs] + m["build"].split(), build, log) != 0:
                outcome = "not built"
            else:
                outcome = "killed" if ctest(build, m["tests"], log) != 0 else "SURVIVED"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        results.append((m, outcome, line))
        print(f"{outcome:9} {m['id']:32} {m['file']}:{line}  ({time.time() - start:.0f} s)",
              flush=True)

    # Put the clean objects back, so that the next run's baseline is the clean code.
    run(["ninja", "-j", args.jobs] + targets, build, log)
    judged = [r for r in results if r[1] in ("killed", "SURVIVED")]
    killed = sum(1 for r in judged if r[1] == "killed")
    print(f"\nkilled {killed} of {len(judged)}"
          + (f" ({100.0 * killed / len(judged):.0f} %)" if judged else "")
          + f"; not built {sum(1 for r in results if r[1] == 'not built')}"
          + f"; void {sum(1 for r in results if r[1] == 'void')}")
    for m, outcome, line in results:
        if outcome == "SURVIVED":
            print(f"  survived: {m['id']}: {m['file']}:{line}: '{m['from']}' -> '{m['to']}'")
    return 0


if __name__ == "__main__":
    sys.exit(main())
