#!/usr/bin/env python3
"""Builds Setup.exe from a product folder made here, as a publisher would.

    nested_build.py SOURCE_DIR STANDIN_FILES WORK_DIR WINE_PREFIX TESTBED_DIR

The folder (WORK_DIR/folder) holds the stand-ins of this build with some files
replaced by other bytes and sizes. Its build (WORK_DIR/build, the Setup target
only) is made first with a broken folder, which must stop before packing and
leave no Setup.exe, then with the repaired one. Then the build must follow the
folder: the same bytes relink nothing, changed bytes give a new Setup.exe.
The install test installs the result and compares it with the folder.
"""

import os
import shutil
import subprocess
import sys

source, standins, work, prefix, testbed = sys.argv[1:6]
sys.path.insert(0, os.path.join(source, "resources", "payload"))
sys.dont_write_bytecode = True
import product  # noqa: E402

folder = os.path.join(work, "folder")
build = os.path.join(work, "build")
setup = os.path.join(build, "Setup.exe")
failures = []


def expect(condition, text):
    if not condition:
        failures.append(text)
        print("FAILED: " + text, file=sys.stderr)


def run_build():
    done = subprocess.run(["cmake", "--build", build, "--target", "Setup"], stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)
    return done.returncode, done.stdout


def write(rel, data):
    with open(os.path.join(folder, rel), "wb") as f:
        f.write(data)


shutil.rmtree(folder, ignore_errors=True)
manifest = product.read_manifest(os.path.join(source, "resources", "payload", "manifest.txt"))
for ident, sub, name, _ in manifest.files:
    os.makedirs(os.path.join(folder, sub), exist_ok=True)
    shutil.copyfile(os.path.join(standins, str(ident)), os.path.join(folder, sub, name))
# Other bytes, other sizes than the stand-ins and the manifest's table.
write("Redist.txt", b"Redistribution: this build's own text.\r\n" * 300)
write("Images/Baby.bmp", bytes((i * 7919) % 251 for i in range(70000)))
write("Shapes/OK.shc", bytes(range(24)))
for empty in manifest.empty_folders[::2]:
    os.makedirs(os.path.join(folder, empty), exist_ok=True)

# Broken: one file missing, one that could never be installed.
os.rename(os.path.join(folder, "Vantorelle.hlp"), os.path.join(work, "Vantorelle.hlp"))
write("Images/Thumbs.db", b"thumbs")

subprocess.run(["cmake", "-S", source, "-B", build, "-DCMAKE_TOOLCHAIN_FILE=" + source + "/cmake/i686-mingw.cmake",
                "-DPRODUCT_DIR=" + folder, "-DSETUP_BUILD_TESTS=OFF", "-DWINE_PREFIX=" + prefix,
                "-DTESTBED_DIR=" + testbed],
               check=True, stdout=subprocess.DEVNULL)
if os.path.exists(setup):
    os.remove(setup)
code, log = run_build()
expect(code != 0, "the build with a broken folder fails")
expect("product folder: error: missing from" in log and "  Vantorelle.hlp" in log, "it names the missing file")
expect("  Images/Thumbs.db" in log, "it names the unexpected file")
expect(not os.path.exists(setup), "no Setup.exe from a broken folder")
expect("Packing" not in log, "nothing packed from a broken folder")

os.rename(os.path.join(work, "Vantorelle.hlp"), os.path.join(folder, "Vantorelle.hlp"))
os.remove(os.path.join(folder, "Images", "Thumbs.db"))
code, log = run_build()
expect(code == 0, "the build with the repaired folder succeeds:\n" + log[-3000:])
if code == 0:
    built = os.stat(setup).st_mtime_ns
    # Same bytes, newer file: nothing to pack again.
    shutil.copyfile(os.path.join(folder, "Redist.txt"), os.path.join(work, "Redist.txt"))
    shutil.copyfile(os.path.join(work, "Redist.txt"), os.path.join(folder, "Redist.txt"))
    code, log = run_build()
    expect(code == 0 and "Packing" not in log and os.stat(setup).st_mtime_ns == built,
           "a rewritten file of the same bytes packs and links nothing")
    with open(setup, "rb") as f:
        before = f.read()
    write("Compositions/OK.cmp", b"A composition of this build's own, longer than one byte.\r\n" * 50)
    code, log = run_build()
    with open(setup, "rb") as f:
        expect(code == 0 and "Packing" in log and f.read() != before, "a changed file gives a new Setup.exe")

sys.exit(1 if failures else 0)
