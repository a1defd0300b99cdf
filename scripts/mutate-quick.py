#!/usr/bin/env python3
"""The mutants of ../shared/tools/mutate.py, in its order and with its verdicts, in
less time: each mutant runs the suites of its own folder first, and the whole
ctest (as mutate.py does) only when those pass. A survivor has passed the whole
suite; with --folder-only it has passed its folder's suites alone.

usage: scripts/mutate-quick.py BUILD [-n N] [--seed S] [--folder-only] [--only FILE:LINE ...]
The build folder must be configured (say cmake -S . -B build-mut -G Ninja).
"""
import argparse, glob, os, random, re, runpy, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The suites that exercise each folder of src/ most directly.
FOLDER_SUITES = {
    "aprs": "tst_aprs|tst_mobile|tst_presets|tst_cli:needsNoTracker",
    "app": "tst_app|tst_settings_file_load|tst_e2e_rules",
    "cli": "tst_cli",
    "files": "tst_port_settings|tst_settings_file|tst_e2e_files",
    "operations": "tst_e2e|tst_receive_path|tst_delay|tst_settings_file_load",
    "serial": "tst_serial|tst_e2e_device",
    "settings": "tst_field_rules|tst_app|tst_cli:jsonFollows|tst_cli:failures|tst_cli:textKeeps",
    "tracker": "tst_line|tst_loader|tst_reply|tst_e2e_firmware|tst_cli:flash",
    "widgets": "tst_multi|tst_app",
}


def mutate_candidates(path):
    # Run as a file, not as a program: its main() stays unrun.
    return runpy.run_path(path)["candidates"]


def ctest(build, pattern=None):
    command = ["ctest", "--test-dir", build, "-j2", "--timeout", "300", "--stop-on-failure"]
    if pattern:
        command += ["-R", pattern]
    run = subprocess.run(command, capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    return run.returncode != 0, re.findall(r"\d+ - (\S+) \(", run.stdout.decode(errors="replace"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("-n", type=int, default=30)
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("--folder-only", action="store_true")
    parser.add_argument("--only", nargs="*", default=[])
    parser.add_argument("--mutate", default=os.path.join(ROOT, "..", "shared", "tools", "mutate.py"))
    args = parser.parse_args()
    candidates = mutate_candidates(args.mutate)
    files = sorted(glob.glob(os.path.join(ROOT, "src/**/*.cpp"), recursive=True))
    pool = [(f, c) for f in files for c in candidates(f)]
    random.Random(args.seed).shuffle(pool)
    counted = killed = 0
    for path, (line, text, what) in pool:
        if counted >= args.n:
            break
        where = f"{os.path.relpath(path, ROOT)}:{line + 1}"
        original = open(path, encoding="utf-8").read()
        lines = original.split("\n")
        lines[line] = text
        open(path, "w", encoding="utf-8").write("\n".join(lines))
        try:
            started = time.time()
            if subprocess.run(["cmake", "--build", args.build, "-j2"], capture_output=True).returncode:
                print(f"stillborn {where} {what}", flush=True)
                continue
            counted += 1
            if args.only and where not in args.only:
                continue
            dead, by = ctest(args.build, FOLDER_SUITES[where.split("/")[1]])
            if not dead and not args.folder_only:
                dead, by = ctest(args.build)
            killed += dead
            verdict = "killed  " if dead else "SURVIVED"
            print(f"{verdict} {where} {what} {','.join(by)} [{time.time() - started:.0f} s]", flush=True)
        finally:
            open(path, "w", encoding="utf-8").write(original)
    subprocess.run(["cmake", "--build", args.build, "-j2"], capture_output=True)
    print(f"killed {killed} of {counted}")


if __name__ == "__main__":
    sys.exit(main())
