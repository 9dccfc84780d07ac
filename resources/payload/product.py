#!/usr/bin/env python3
"""Checks a product folder against the manifest and stages its files for packing.

    product.py check MANIFEST FOLDER
    product.py stage MANIFEST FOLDER OUTDIR [--stale FILE]...

The folder is laid out as the installed tree: the application files at its
root, the others in Compositions, Images and Shapes, under the manifest's
names. InBox, OutBox, Music and ScreenShots may be present if they are empty.

`check` reports every problem and exits 1 if there is any. `stage` checks
first and writes nothing when the check fails (it then deletes the --stale
files, the outputs built from an earlier folder); else it copies each file to
OUTDIR/<id>, leaving alone a copy that already holds the same bytes, so that
only changed files are packed again.
"""

import argparse
import filecmp
import os
import sys
import zlib

# The packed form stores the file's length in 32 bits.
SIZE_LIMIT = 1 << 32
EMPTY_FOLDERS = ("InBox", "OutBox", "Music", "ScreenShots")
# Setup unpacks every file in 20 steps of its packed stream; a stream shorter
# than that gives steps of 0 bytes, and the file cannot be unpacked. Deflate
# shrinks data by at most about 1:1032, so only files below this size can
# pack that small.
UNPACK_STEPS = 20
SMALL_FILE = 32 * 1024


def manifest_rows(path):
    """[(id, folder, name, size)], folder "" for the install folder itself and
    size the stand-in's size (None where the row gives none)."""
    entries = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if (len(fields) not in (3, 4) or not fields[0].isdigit() or not fields[2]
                    or not all(s.isdigit() for s in fields[3:])):
                raise SystemExit("%s:%d: expected id<TAB>folder<TAB>name[<TAB>size], got %r" % (path, number, line))
            folder = "" if fields[1] == "-" else fields[1]
            entries.append((int(fields[0]), folder, fields[2], int(fields[3]) if len(fields) == 4 else None))
    return entries


def read_manifest(path):
    """[(id, folder, name)]: what a product folder must hold. The stand-ins'
    sizes are not asked of it."""
    return [row[:3] for row in manifest_rows(path)]


def relative(folder, name):
    return folder + "/" + name if folder else name


def listing(path):
    """The folder's entries, or [] when it is no folder."""
    try:
        return sorted(os.listdir(path))
    except OSError:
        return []


def tree(root, rel):
    """rel (a folder below root) and everything in it, as relative names."""
    found = [rel + "/"]
    if not os.path.islink(os.path.join(root, rel)):
        for name in listing(os.path.join(root, rel)):
            if os.path.isdir(os.path.join(root, rel, name)):
                found.extend(tree(root, rel + "/" + name))
            else:
                found.append(rel + "/" + name)
    return found


def unexpected(root, wanted):
    """What the folder holds besides the manifest's files, the subfolders that
    hold them and the empty folders that setup makes itself."""
    found = []
    for name in listing(root):
        if not os.path.isdir(os.path.join(root, name)):
            if name not in wanted[""]:
                found.append(name)
        elif name in wanted and name:
            for inner in listing(os.path.join(root, name)):
                rel = name + "/" + inner
                if os.path.isdir(os.path.join(root, rel)):
                    # A folder under a file's name is reported as such.
                    found.extend(tree(root, rel)[inner in wanted[name]:])
                elif inner not in wanted[name]:
                    found.append(rel)
        elif name in EMPTY_FOLDERS:
            found.extend(tree(root, name)[1:])
        else:
            found.extend(tree(root, name)[name in wanted[""]:])
    return found


def problems(entries, root):
    """The problems of the folder, one text each; empty when it can be packed."""
    if not os.path.isdir(root):
        return ["the product folder %s does not exist or is not a folder" % root]

    wanted = {}
    for _, folder, name in entries:
        wanted.setdefault(folder, set()).add(name)
    extra = unexpected(root, wanted)

    missing, too_large, too_small, unreadable = [], [], [], []
    present = {folder: set(listing(os.path.join(root, folder))) for folder in wanted}
    for _, folder, name in entries:
        rel = relative(folder, name)
        path = os.path.join(root, folder, name)
        if name not in present[folder]:
            missing.append(rel)
            continue
        if os.path.isdir(path):
            unreadable.append("%s: a folder, not a file" % rel)
            continue
        try:
            size = os.stat(path).st_size
            if size >= SIZE_LIMIT:
                too_large.append("%s: %d bytes" % (rel, size))
                continue
            with open(path, "rb") as f:
                head = f.read(SMALL_FILE if size < SMALL_FILE else 1)
            packed = len(zlib.compress(head, 6)) if size < SMALL_FILE else UNPACK_STEPS
            if packed < UNPACK_STEPS:
                too_small.append("%s: %d bytes, packed %d" % (rel, size, packed))
        except OSError as error:
            unreadable.append("%s: %s" % (rel, error.strerror or error))

    found = []
    if missing:
        found.append("missing from %s (every file of the manifest must be there):\n%s"
                     % (root, "\n".join("  " + m for m in missing)))
    if extra:
        found.append("not named in the manifest, so setup could never install them (remove them from %s):\n%s"
                     % (root, "\n".join("  " + u for u in sorted(extra))))
    if too_large:
        found.append("4 GiB (%d bytes) or larger, more than the 32-bit length of a packed file can hold:\n%s"
                     % (SIZE_LIMIT, "\n".join("  " + t for t in too_large)))
    if too_small:
        found.append("packing to fewer than %d bytes, which setup cannot unpack in its %d steps:\n%s"
                     % (UNPACK_STEPS, UNPACK_STEPS, "\n".join("  " + t for t in too_small)))
    if unreadable:
        found.append("cannot be read:\n%s" % "\n".join("  " + u for u in unreadable))
    return found


def stage(entries, root, outdir):
    os.makedirs(outdir, exist_ok=True)
    for ident, folder, name in entries:
        source = os.path.join(root, folder, name)
        dest = os.path.join(outdir, str(ident))
        if os.path.isfile(dest) and filecmp.cmp(source, dest, shallow=False):
            continue
        with open(source, "rb") as f:
            data = f.read()
        with open(dest + ".part", "wb") as f:
            f.write(data)
        os.replace(dest + ".part", dest)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("action", choices=("check", "stage"))
    parser.add_argument("manifest")
    parser.add_argument("folder")
    parser.add_argument("outdir", nargs="?")
    parser.add_argument("--stale", action="append", default=[], help="deleted when the check fails")
    args = parser.parse_args()
    if args.action == "stage" and not args.outdir:
        parser.error("stage needs OUTDIR")

    entries = read_manifest(args.manifest)
    found = problems(entries, os.path.abspath(args.folder))
    if found:
        for text in found:
            print("product folder: error: " + text, file=sys.stderr)
        for stale in args.stale:
            if os.path.exists(stale):
                os.remove(stale)
        return 1
    if args.action == "stage":
        stage(entries, args.folder, args.outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main())
