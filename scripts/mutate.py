#!/usr/bin/env python3
"""Plants the faults listed in scripts/mutations.txt one at a time and tells
which test catches each.

Each fault is one line:  id | file | tests | search | replace
The search text must occur exactly once in the file; it is replaced in a
scratch copy of the work tree, the copy is rebuilt incrementally, the tests
whose names match the `tests` pattern run first and, if none fails, the whole
suite. A fault that no test notices "survived". Usage:

    scripts/mutate.py [--only ID,ID...] [--scratch DIR] [--jobs N]

The work tree itself is never changed. Needs python3 and the build packages
(scripts/deps.sh).
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = [p.strip() for p in line.split(" | ")]
            if len(parts) != 5:
                sys.exit(f"mutations.txt:{number}: expected 5 fields separated by ' | '")
            faults.append(dict(zip(("id", "file", "tests", "search", "replace"), parts)))
            # Escapes let a field hold a newline or a literal " | ".
            for key in ("tests", "search", "replace"):
                faults[-1][key] = faults[-1][key].replace("\\n", "\n").replace("\\|", "|")
    return faults


def run(cmd, cwd, log, timeout=None):
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"$ {' '.join(cmd)}\n")
        out.flush()
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write("timed out\n")
            return 124


def failed_tests(build, pattern, jobs, log):
    """Runs ctest; returns the names of the tests that failed (empty if none)."""
    env_cmd = ["env", "QT_QPA_PLATFORM=offscreen", "ctest", "--parallel", str(jobs),
               "--timeout", "300"]
    if pattern:
        env_cmd += ["-R", pattern]
    status = run(env_cmd, build, log)
    if status == 0:
        return []
    failed = []
    last = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
    if os.path.exists(last):
        with open(last, encoding="utf-8") as f:
            failed = [line.strip().split(":", 1)[-1] for line in f if line.strip()]
    return failed or ["ctest"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", help="comma-separated fault ids")
    # Beside the work tree and laid out like it (sources, then build/ inside), so
    # that ccache with a base directory above both finds the unmutated objects.
    parser.add_argument("--scratch", default=TOP + "-mutate")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()

    faults = read_faults(os.path.join(TOP, "scripts", "mutations.txt"))
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in wanted]

    src = args.scratch
    build = os.path.join(args.scratch, "build")
    log = os.path.join(build, "mutate.log")
    os.makedirs(build, exist_ok=True)
    # The scratch copy follows the work tree; the build folder is kept between
    # runs so that only what a fault touches is rebuilt. Files are compared by
    # content and times are not copied: the last fault's file, restored after
    # its build, must keep its new time or its mutated object would be taken
    # as current.
    subprocess.run(["rsync", "-rlp", "--checksum", "--delete", "--exclude", "/build*",
                    "--exclude", ".git", TOP + "/", src + "/"], check=True)
    open(log, "w").close()
    launcher = []
    if shutil.which("ccache"):
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
        os.environ.setdefault("CCACHE_BASEDIR", os.path.dirname(TOP))
        os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    if run(["cmake", "-S", src, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"] + launcher,
           args.scratch, log) or run(["cmake", "--build", build, "--parallel", str(args.jobs)],
                                     args.scratch, log):
        sys.exit(f"the unmutated tree does not build; see {log}")
    if failed_tests(build, None, args.jobs, log):
        sys.exit(f"the unmutated tree fails its tests; see {log}")

    caught = survived = invalid = 0
    for fault in faults:
        path = os.path.join(src, fault["file"])
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if original.count(fault["search"]) != 1:
            print(f"{fault['id']:<24} STALE: search text found {original.count(fault['search'])} times",
                  flush=True)
            invalid += 1
            continue
        started = time.time()
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(fault["search"], fault["replace"]))
        try:
            if run(["cmake", "--build", build, "--parallel", str(args.jobs)], args.scratch, log):
                verdict, ok = "NOT BUILT (fix the fault's text)", None
            else:
                failed = failed_tests(build, fault["tests"], args.jobs, log)
                if not failed:
                    failed = failed_tests(build, None, args.jobs, log)
                verdict = ("caught by " + ", ".join(failed)) if failed else "SURVIVED"
                ok = bool(failed)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        if ok is None:
            invalid += 1
        elif ok:
            caught += 1
        else:
            survived += 1
        print(f"{fault['id']:<24} {fault['file']:<44} {verdict} ({time.time() - started:.0f} s)",
              flush=True)

    counted = caught + survived
    rate = 100.0 * caught / counted if counted else 0.0
    print(f"\n{caught} caught, {survived} survived, {invalid} not counted: "
          f"{rate:.1f}% of {counted} faults caught")
    return 0 if survived == 0 and invalid == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
