#!/usr/bin/env python3
"""Checks a product folder against the manifest and stages its files for packing.

    product.py check MANIFEST FOLDER
    product.py stage MANIFEST FOLDER OUTDIR [--stale FILE]...

The folder is laid out as the installed tree: each file of the manifest in
its folder under its name. The folders that setup leaves empty may be present
if they are empty.

`check` reports every problem and exits 1 if there is any. `stage` checks
first and writes nothing when the check fails (it then deletes the --stale
files, the outputs built from an earlier folder); else it copies each file to
OUTDIR/<id>, leaving alone a copy that already holds the same bytes, so that
only changed files are packed again.
"""

import argparse
import collections
import filecmp
import os
import sys
import zlib

# The packed form stores the file's length in 32 bits.
SIZE_LIMIT = 1 << 32
# Deflate shrinks data by at most about 1:1032, so only files below this size
# can pack to fewer bytes than the steps in which setup unpacks each file.
SMALL_FILE = 32 * 1024

# The rule of manifest.txt is in README.md beside it; the build's reader
# (cmake/Manifest.cmake) holds the manifest to the same rule.
NAME_LIMIT = 259
NUMBER_LIMIT = 65535
FORBIDDEN = set('\\/:*?"<>|')

File = collections.namedtuple("File", "id folder name size")


class Manifest(collections.namedtuple("Manifest", "steps folders files")):
    """steps: setup unpacks each file in this many steps of its packed stream;
    folders: the folders that setup makes below the install folder, in the
    order in which it makes them; files: File(id, folder, name, size) in the
    manifest's order, folder "" for the install folder itself and size the
    size of the build's stand-in."""

    @property
    def empty_folders(self):
        """The folders that hold no file, which setup leaves empty."""
        used = {f.folder for f in self.files}
        return [folder for folder in self.folders if folder not in used]


def number(text, limit):
    """text as a decimal number without leading zeros up to limit, else None."""
    if not text.isdigit() or text != str(int(text)) or int(text) > limit:
        return None
    return int(text)


def valid_name(name):
    return 0 < len(name) <= NAME_LIMIT and not FORBIDDEN & set(name) and name[-1] not in " ."


def read_manifest(path):
    """The manifest at path. Exits naming every line that breaks the rule."""
    steps, folders, files, errors = None, [], [], []
    taken = {"": set()}  # the names in each folder (by its exact name), in lower case
    rows = []  # (folder, id) of each file row, in order
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    for line_number, line in enumerate(lines, 1):
        line = line[:-1] if line.endswith(b"\r") else line
        if not line or line.startswith(b"#"):
            continue
        fields = line.decode("latin-1").split("\t")
        found = None
        if any(c != 9 and not 32 <= c <= 126 for c in line):
            found = "not printable ASCII"
        elif fields[0] == "steps":
            if len(fields) != 2 or not number(fields[1], NUMBER_LIMIT):
                found = "not steps<TAB>N with N from 1 to %d" % NUMBER_LIMIT
            elif steps is not None:
                found = "a second steps line"
            else:
                steps = int(fields[1])
        elif fields[0] == "folder":
            if len(fields) != 2:
                found = "not folder<TAB>NAME"
            elif rows:
                found = "a folder line after the files"
            elif fields[1] == "-" or not valid_name(fields[1]):
                found = '"%s" is no folder name that setup can make' % fields[1]
            elif fields[1].lower() in taken[""]:
                found = 'the folder "%s" is given twice' % fields[1]
            else:
                folders.append(fields[1])
                taken[""].add(fields[1].lower())
                taken[fields[1]] = set()
        elif len(fields) != 4:
            found = "not id<TAB>folder<TAB>name<TAB>size"
        else:
            ident, given, name, size = fields
            folder = "" if given == "-" else given
            count = sum(f == folder for f, _ in rows)
            if not number(ident, NUMBER_LIMIT):
                found = 'the id "%s" is no number from 1 to %d' % (ident, NUMBER_LIMIT)
            elif given != "-" and (not given or given not in taken):
                found = 'no folder line names "%s"' % given
            elif any(i == int(ident) for _, i in rows):
                found = "the id %s is given twice" % ident
            elif count and folder != rows[-1][0]:
                found = 'the rows of "%s" must stand together' % given
            elif count and int(ident) != rows[-1][1] + 1:
                found = 'expected id %d, the next of "%s"' % (rows[-1][1] + 1, given)
            else:
                # The row counts for the order of the ids even when its name
                # or size is refused.
                rows.append((folder, int(ident)))
                if number(size, SIZE_LIMIT - 1) is None:
                    found = 'the size "%s" is no number below 4 GiB' % size
                elif not valid_name(name):
                    found = '"%s" is no file name that setup can make' % name
                elif name.lower() in taken[folder]:
                    found = '"%s" is already a name in its folder' % name
                else:
                    taken[folder].add(name.lower())
                    files.append(File(int(ident), folder, name, int(size)))
        if found:
            errors.append("  line %d: %s" % (line_number, found))
    if steps is None:
        errors.append("  no steps line")
    if errors:
        raise SystemExit("%s does not follow its rule (README.md beside it):\n%s" % (path, "\n".join(errors)))
    return Manifest(steps, folders, files)


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


def unexpected(root, wanted, empty_folders):
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
        elif name in empty_folders:
            found.extend(tree(root, name)[1:])
        else:
            found.extend(tree(root, name)[name in wanted[""]:])
    return found


def problems(manifest, root):
    """The problems of the folder, one text each; empty when it can be packed."""
    if not os.path.isdir(root):
        return ["the product folder %s does not exist or is not a folder" % root]

    wanted = {}
    for _, folder, name, _ in manifest.files:
        wanted.setdefault(folder, set()).add(name)
    extra = unexpected(root, wanted, manifest.empty_folders)

    missing, too_large, too_small, unreadable = [], [], [], []
    present = {folder: set(listing(os.path.join(root, folder))) for folder in wanted}
    steps = manifest.steps
    for _, folder, name, _ in manifest.files:
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
            packed = len(zlib.compress(head, 6)) if size < SMALL_FILE else steps
            if packed < steps:
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
                     % (steps, steps, "\n".join("  " + t for t in too_small)))
    if unreadable:
        found.append("cannot be read:\n%s" % "\n".join("  " + u for u in unreadable))
    return found


def stage(manifest, root, outdir):
    os.makedirs(outdir, exist_ok=True)
    for ident, folder, name, _ in manifest.files:
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

    manifest = read_manifest(args.manifest)
    found = problems(manifest, os.path.abspath(args.folder))
    if found:
        for text in found:
            print("product folder: error: " + text, file=sys.stderr)
        for stale in args.stale:
            if os.path.exists(stale):
                os.remove(stale)
        return 1
    if args.action == "stage":
        stage(manifest, args.folder, args.outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main())
