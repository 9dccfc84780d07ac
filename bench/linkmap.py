#!/usr/bin/env python3
"""Where the bytes of Setup.exe go, from the link map that its link writes.

    linkmap.py [--payload-type N] [--objects N] [--previous DIR] [--at-most BYTES] EXE:MAP [EXE:MAP ...]

For each program (the exe and the link map of the same link, -Wl,-Map) it
prints, side by side:

  by section   the size of each section in the file (rounded up to the file
               alignment, as the file holds it) and the headers
  by library   what each library brought into the sections the program loads
               (.text, .data, .rdata, .eh_frame, .bss is left out: it takes no
               room in the file), from the map's input sections; "program" is
               the project's own code (the link-time optimised objects), "crt"
               the start-up objects, "linker" what the linker itself made
  by object    the N largest objects of the libraries, the same way
  resources    the resources by type, from the exe's resource directory; the
               resources of the payload type are the payload, the rest is part
               of what the exe carries besides it

Two or more programs are printed in columns, the first one the "before", with
the change from the first to the last. With --previous DIR, the exe and map
that DIR holds from the run before (if any) come first, and the last program
given is copied there for the next run. With --at-most, the exit status is 1
when the last program carries more than that many bytes besides its payload.
"""

import argparse
import collections
import os
import re
import shutil
import struct
import sys

LOADED = (".text", ".data", ".rdata", ".eh_frame")
SECTION_LINE = re.compile(r"^ (\.[^\s]+|COMMON)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+)$")
NAME_ONLY = re.compile(r"^ (\.[^\s]+|COMMON)$")
SIZE_LINE = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+)$")
OUTPUT_LINE = re.compile(r"^(\.[^\s]+)\s+0x[0-9a-f]+\s+0x[0-9a-f]+")
OUTPUT_NAME_ONLY = re.compile(r"^(\.[^\s]+)$")
RESOURCE_TYPES = {1: "cursor", 2: "bitmap", 3: "icon", 4: "menu", 5: "dialog", 6: "string", 10: "rcdata",
                  12: "group cursor", 14: "group icon", 16: "version", 24: "manifest"}


def library_of(origin):
    """The library and the object an input section came from."""
    found = re.match(r"(.*?)\((.*)\)$", origin)
    if found:
        return os.path.basename(found.group(1)), found.group(2)
    base = os.path.basename(origin)
    if "ltrans" in base or base.endswith(".obj"):
        return "program", "program"
    if base in ("crt2.o", "crtbegin.o", "crtend.o", "dllcrt2.o"):
        return "crt", base
    if origin.startswith("dll stuff") or origin.startswith("linker stubs"):
        return "linker", origin
    return base, base


def read_map(path):
    """{(library, object): {output section: bytes}} of the loaded sections."""
    sizes = collections.defaultdict(lambda: collections.Counter())
    output = None
    pending = None
    with open(path, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            found = OUTPUT_LINE.match(line) or OUTPUT_NAME_ONLY.match(line)
            if found:
                output = found.group(1)
                pending = None
                continue
            if output not in LOADED:
                continue
            found = SECTION_LINE.match(line)
            if found:
                size, origin = int(found.group(3), 16), found.group(4)
            elif NAME_ONLY.match(line):
                pending = True
                continue
            elif pending and SIZE_LINE.match(line):
                found = SIZE_LINE.match(line)
                size, origin = int(found.group(2), 16), found.group(3)
            else:
                pending = None
                continue
            pending = None
            if size:
                sizes[library_of(origin.strip())][output] += size
    return sizes


def pe_sections(path):
    """The exe's section headers: [(name, raw size, raw offset, virtual address)] and its header size."""
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional
    sections = []
    for i in range(count):
        raw = data[table + 40 * i:table + 40 * (i + 1)]
        name = raw[:8].rstrip(b"\0").decode()
        address, raw_size, raw_offset = struct.unpack_from("<I", raw, 12)[0], *struct.unpack_from("<II", raw, 16)
        sections.append((name, raw_size, raw_offset, address))
    headers = min(offset for _, size, offset, _ in sections if size) if sections else len(data)
    return data, sections, headers


def resources(data, sections):
    """{type: bytes of its resources' data} from the resource directory."""
    rsrc = [s for s in sections if s[0] == ".rsrc"]
    if not rsrc:
        return {}
    _, _, base, address = rsrc[0]
    totals = collections.Counter()

    def walk(offset, depth, kind):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * i)
            if depth == 0:
                if name & 0x80000000:
                    at = base + (name & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", data, at)[0]
                    kind = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                else:
                    kind = RESOURCE_TYPES.get(name, str(name))
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, depth + 1, kind)
            else:
                totals[kind] += struct.unpack_from("<I", data, base + target + 4)[0]

    walk(0, 0, None)
    return totals


def program(argument):
    """An EXE:MAP argument as (exe, map), both files there and the exe a PE file."""
    exe, colon, map_path = argument.partition(":")
    if not exe or not colon or not map_path:
        raise argparse.ArgumentTypeError("%r is not EXE:MAP" % argument)
    try:
        with open(exe, "rb") as f:
            head = f.read(0x40)
            pe = struct.unpack_from("<I", head, 0x3C)[0] if head[:2] == b"MZ" and len(head) == 0x40 else 0
            f.seek(pe)
            if not pe or f.read(4) != b"PE\0\0":
                raise argparse.ArgumentTypeError("%s is no Windows program" % exe)
        with open(map_path, "rb"):
            pass
    except OSError as error:
        raise argparse.ArgumentTypeError("%s: %s" % (error.filename, error.strerror))
    return exe, map_path


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n")[2].strip(),
                                     description=__doc__.split("\n")[0])
    parser.add_argument("programs", nargs="+", metavar="EXE:MAP", type=program)
    parser.add_argument("--payload-type", default="257")
    parser.add_argument("--objects", type=int, default=12)
    parser.add_argument("--previous", metavar="DIR")
    parser.add_argument("--at-most", type=int, metavar="BYTES")
    args = parser.parse_args()

    programs = args.programs
    labels = [os.path.basename(exe) for exe, _ in programs]
    if args.previous:
        kept = (os.path.join(args.previous, "Setup.exe"), os.path.join(args.previous, "Setup.map"))
        if all(os.path.exists(p) for p in kept):
            programs.insert(0, kept)
            labels = ["previous"] + labels[:-1] + ["now"]

    columns = []
    for exe, map_path in programs:
        data, sections, headers = pe_sections(exe)
        columns.append({"size": len(data), "sections": sections, "headers": headers,
                        "map": read_map(map_path), "resources": resources(data, sections)})

    width = 12
    several = len(columns) > 1

    def row(label, values):
        cells = ["{:,}".format(v) for v in values]
        if several:
            cells.append("{:+,}".format(values[-1] - values[0]))
        return "  %-44s" % label + "".join(" %*s" % (width, c) for c in cells)

    print("  %-44s" % "" + "".join(" %*s" % (width, label[-width:]) for label in labels)
          + (" %*s" % (width, "change") if several else ""))
    print("by section (bytes in the file)")
    print(row("file", [c["size"] for c in columns]))
    print(row("  headers", [c["headers"] for c in columns]))
    order = []
    for c in columns:
        for s in c["sections"]:
            if s[0] not in order:
                order.append(s[0])
    for name in order:
        print(row("  " + name, [sum(s[1] for s in c["sections"] if s[0] == name) for c in columns]))
    for c in columns:
        payload = c["resources"].get(args.payload_type, 0)
        c["besides"] = c["size"] - payload
    print(row("  of .rsrc, the payload (type %s)" % args.payload_type,
              [c["resources"].get(args.payload_type, 0) for c in columns]))
    print(row("file besides the payload's resource data", [c["besides"] for c in columns]))

    print("by library (%s, bytes of input sections)" % ", ".join(LOADED))
    libraries = collections.Counter()
    for c in columns:
        c["libraries"] = collections.defaultdict(collections.Counter)
        for (library, _), per in c["map"].items():
            c["libraries"][library].update(per)
        for library, per in c["libraries"].items():
            libraries[library] = max(libraries[library], sum(per.values()))
    for library, _ in libraries.most_common():
        print(row(library, [sum(c["libraries"][library].values()) for c in columns]))
        for section in LOADED:
            values = [c["libraries"][library][section] for c in columns]
            if any(values):
                print(row("  " + section, values))
    print(row("total", [sum(sum(per.values()) for per in c["map"].values()) for c in columns]))

    print("by object, the %d largest of the libraries" % args.objects)
    objects = collections.Counter()
    for c in columns:
        for key, per in c["map"].items():
            if key[0] not in ("program", "crt", "linker"):
                objects[key] = max(objects[key], sum(per.values()))
    for (library, name), _ in objects.most_common(args.objects):
        print(row("%s(%s)" % (library, name), [sum(c["map"].get((library, name), {}).values()) for c in columns]))

    print("resources by type (bytes of data)")
    kinds = []
    for c in columns:
        for kind in sorted(c["resources"]):
            if kind not in kinds:
                kinds.append(kind)
    for kind in kinds:
        print(row(kind, [c["resources"].get(kind, 0) for c in columns]))

    if args.previous:
        os.makedirs(args.previous, exist_ok=True)
        exe, map_path = programs[-1]
        shutil.copyfile(exe, os.path.join(args.previous, "Setup.exe"))
        shutil.copyfile(map_path, os.path.join(args.previous, "Setup.map"))
    if args.at_most is not None and columns[-1]["besides"] > args.at_most:
        print("linkmap: %s carries %d bytes besides its payload, more than %d"
              % (programs[-1][0], columns[-1]["besides"], args.at_most))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
