#!/usr/bin/env python3
"""Setup.exe side by side with an NSIS 3 installer of the same files.

    nsis_compare.py --source DIR --build DIR --setup EXE --extract-bench EXE [--runs N]

Writes an NSIS script (SetCompressor zlib, defaults otherwise) that installs
the files of PAYLOAD_DIR/files under the manifest's folders and names, and the
same script without the File commands (the empty installer), and builds both
with makensis. In a Wine prefix of its own (BUILD/bench-nsis/wineprefix) it
then installs each one silently several times, checking after every run that
the files are there with the right bytes, and runs extract_bench in the same
prefix for the extraction of Setup.exe. It prints:

  installer size       the size of Setup.exe and of the NSIS installer
  payload              Setup.exe: its type-257 resources (the sum of the .z
                       files it was linked from); NSIS: the installer minus
                       the empty installer
  besides the payload  Setup.exe: its size minus that payload (program,
                       forms, icon, version); NSIS: the empty installer's size
  extraction           Setup.exe: the unpaced extraction that extract_bench
                       measures inside its process (median and best of its
                       rounds); NSIS: the whole-process silent install minus
                       the silent run of the empty installer (median minus
                       median, best minus best), which takes out
                       Wine's process start and NSIS's own start-up (what is
                       left is the unpacking and writing, and the CRC check
                       of the data NSIS does by default)

The figures are printed, never checked: a benchmark, not a test. It fails only
when an installer cannot be built or a silent install did not put the files.
"""

import argparse
import filecmp
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

FULL_DIR = "nsis-full"
EMPTY_DIR = "nsis-empty"


def nsis_string(text, variable=""):
    """A quoted NSIS string of `variable` (e.g. "$INSTDIR\\") and `text`, whose $
    would be NSIS's variable sign."""
    if '"' in text:
        raise SystemExit("nsis_compare: a quote in a file name: %r" % text)
    return '"%s%s"' % (variable, text.replace("$", "$$"))


def nsis_script(entries, files_dir, empty_folders, out_file, with_files):
    """The installer's script; without files it still makes the folders."""
    lines = [
        "SetCompressor zlib",
        "Name Vantorelle",
        "OutFile " + nsis_string(out_file),
        'InstallDir "$PROGRAMFILES\\Vantorelle"',
        "RequestExecutionLevel user",
        "Section",
    ]
    folders = sorted({folder for _, folder, _ in entries} | set(empty_folders))
    for folder in folders:
        lines.append("  SetOutPath " + nsis_string(folder, "$INSTDIR\\" if folder else "$INSTDIR"))
        if with_files:
            for ident, _, name in (e for e in entries if e[1] == folder):
                source = os.path.join(files_dir, str(ident))
                lines.append("  File %s %s" % (nsis_string("/oname=" + name), nsis_string(source)))
    lines.append("SectionEnd")
    return "\n".join(lines) + "\n"


def build_installer(work, name, script):
    path = os.path.join(work, name + ".nsi")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    result = subprocess.run(["makensis", "-V2", path], capture_output=True, text=True)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        raise SystemExit("nsis_compare: makensis failed on " + path)
    return os.path.join(work, name + ".exe")


def wine_env(prefix):
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env.pop("DISPLAY", None)  # silent installs and extract_bench draw nothing
    return env


def run_wine(command, env, log):
    """Exit status of a command of Wine, its output appended to `log`: a file,
    not a pipe, since Wine's background processes inherit it and outlive the
    command."""
    with open(log, "a") as out:
        return subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out).returncode


def make_prefix(prefix, env, log):
    ready = os.path.join(prefix, ".bench-ready")
    if os.path.exists(ready):
        return
    shutil.rmtree(prefix, ignore_errors=True)
    if run_wine(["wineboot", "-i"], env, log) != 0:
        raise SystemExit("nsis_compare: wineboot failed, see " + log)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    open(ready, "w").close()


def timed_install(exe, target, prefix, env, log):
    """Seconds of one silent install into C:\\<target>, the whole wine process."""
    shutil.rmtree(os.path.join(prefix, "drive_c", target), ignore_errors=True)
    start = time.perf_counter()
    status = run_wine(["wine", exe, "/S", "/D=C:\\" + target], env, log)
    elapsed = time.perf_counter() - start
    if status != 0:
        raise SystemExit("nsis_compare: %s /S exited with %d" % (exe, status))
    return elapsed


def check_install(root, entries, files_dir, empty_folders, with_files):
    """Problems of an installed tree: missing or wrong files, missing folders."""
    problems = []
    for folder in empty_folders:
        if not os.path.isdir(os.path.join(root, folder)):
            problems.append("no folder " + folder)
    for ident, folder, name in entries:
        installed = os.path.join(root, folder, name)
        if not with_files:
            if os.path.exists(installed):
                problems.append("the empty installer wrote " + installed)
            continue
        source = os.path.join(files_dir, str(ident))
        if not os.path.isfile(installed):
            problems.append("missing " + installed)
        elif os.path.getsize(installed) != os.path.getsize(source):
            problems.append("%s has %d bytes, not %d" % (installed, os.path.getsize(installed),
                                                          os.path.getsize(source)))
        elif not filecmp.cmp(installed, source, shallow=False):
            problems.append(installed + " differs from " + source)
    return problems


def extract_bench_times(exe, env, log):
    """extract_bench's best and median unpaced extraction of Setup.exe, in seconds."""
    if os.path.exists(log):
        os.remove(log)
    status = run_wine(["wine", exe], env, log)
    with open(log) as f:
        found = re.search(r"^\s*setup \(.*?\)\s+([\d.]+) ms\s+([\d.]+) ms", f.read(), re.M)
    if status != 0 or not found:
        raise SystemExit("nsis_compare: extract_bench failed, see " + log)
    return float(found.group(1)) / 1000, float(found.group(2)) / 1000


def ratio(ours, theirs):
    return "%.3f x" % (ours / theirs) if theirs > 0 else "-"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--extract-bench", required=True)
    parser.add_argument("--runs", type=int, default=9)
    args = parser.parse_args()

    sys.path.insert(0, os.path.join(args.source, "resources", "payload"))
    from product import read_manifest

    manifest = read_manifest(os.path.join(args.source, "resources", "payload", "manifest.txt"))
    entries = [(ident, folder, name) for ident, folder, name, _ in manifest.files]
    payload_dir = os.path.join(args.build, "payload")
    files_dir = os.path.join(payload_dir, "files")
    work = os.path.join(args.build, "bench-nsis")
    prefix = os.path.join(work, "wineprefix")
    os.makedirs(work, exist_ok=True)

    full_exe, empty_exe = (
        build_installer(work, name, nsis_script(entries, files_dir, manifest.empty_folders, name + ".exe", with_files))
        for name, with_files in ((FULL_DIR, True), (EMPTY_DIR, False)))

    env = wine_env(prefix)
    log = os.path.join(work, "wine.log")
    make_prefix(prefix, env, log)
    # One wineserver for the whole run, so that no install pays its start.
    subprocess.run(["wineserver", "-p"], env=env, check=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        runs = {FULL_DIR: [], EMPTY_DIR: []}
        # One round unmeasured first (caches), then alternate the two.
        for round_ in range(args.runs + 1):
            for exe, target in ((empty_exe, EMPTY_DIR), (full_exe, FULL_DIR)):
                elapsed = timed_install(exe, target, prefix, env, log)
                problems = check_install(os.path.join(prefix, "drive_c", target), entries, files_dir,
                                         manifest.empty_folders, exe == full_exe)
                if problems:
                    raise SystemExit("nsis_compare: the silent install of %s failed:\n  %s"
                                     % (exe, "\n  ".join(problems)))
                if round_ > 0:
                    runs[target].append(elapsed)
        ours_best, ours_median = extract_bench_times(args.extract_bench, env, os.path.join(work, "extract_bench.log"))
    finally:
        subprocess.run(["wineserver", "-k"], env=env)

    full_ms = statistics.median(runs[FULL_DIR]) * 1000
    empty_ms = statistics.median(runs[EMPTY_DIR]) * 1000
    full_best, empty_best = min(runs[FULL_DIR]) * 1000, min(runs[EMPTY_DIR]) * 1000

    setup_size = os.path.getsize(args.setup)
    ours_payload = sum(os.path.getsize(os.path.join(payload_dir, "%d.z" % e[0])) for e in entries)
    full_size = os.path.getsize(full_exe)
    empty_size = os.path.getsize(empty_exe)
    raw = sum(os.path.getsize(os.path.join(files_dir, str(e[0]))) for e in entries)

    version = subprocess.run(["makensis", "-VERSION"], capture_output=True, text=True).stdout.strip()
    print("Setup.exe against NSIS %s (SetCompressor zlib), %d files of %d bytes, checked after each install"
          % (version, len(entries), raw))
    row = "  %-28s %14s %14s %12s"
    print(row % ("", "Setup.exe", "NSIS", "Setup/NSIS"))
    print(row % ("installer size (bytes)", setup_size, full_size, ratio(setup_size, full_size)))
    print(row % ("  payload (bytes)", ours_payload, full_size - empty_size,
                 ratio(ours_payload, full_size - empty_size)))
    print(row % ("  besides the payload (bytes)", setup_size - ours_payload, empty_size,
                 ratio(setup_size - ours_payload, empty_size)))
    for label, ours, theirs in (("extraction, median (ms)", ours_median * 1000, full_ms - empty_ms),
                                ("extraction, best (ms)", ours_best * 1000, full_best - empty_best)):
        print(row % (label, "%.1f" % ours, "%.1f" % theirs, ratio(ours, theirs)))
    print("Setup.exe: payload = its type-257 resources, extraction = extract_bench's in-process")
    print("  unpaced extraction (see %s)" % os.path.join(work, "extract_bench.log"))
    print("NSIS: besides the payload = the empty installer, payload = installer - empty installer;")
    print("  extraction = silent install - silent empty install, whole wine processes, %d runs each:"
          % args.runs)
    print("  median %.1f - %.1f ms, best %.1f - %.1f ms" % (full_ms, empty_ms, full_best, empty_best))
    return 0


if __name__ == "__main__":
    sys.exit(main())
