"""The product's help files: Vantorelle.hlp, its contents file Vantorelle.cnt
and the global index Vantorelle.gid.

The .hlp and the .gid are laid out as WinHelp builds them: a file header, the
internal files, each behind its file header, and the directory of internal
files as a B+ tree of one leaf page. The .hlp holds |SYSTEM (title, copyright,
contents topic), |FONT, |TOPIC (uncompressed 4 KiB blocks of topic headers and
text records), |CONTEXT (the topics' context hashes) and the pictures |bm0 to
|bm2 (device-independent bitmaps, stored unpacked). The .gid holds what WinHelp
writes when it first opens a help file with a contents file: |Pete (the help
file's name, size and date), |CntText and |CntJump (the contents), |KWBTREE
(the keywords), |TTLBTREE (the topics' titles) and |WinPos. Every file is filled to its exact size by free
space in the reserved room of its last internal file, as WinHelp leaves it
when an internal file shrinks.
"""

import struct

HELP_TOPICS = [
    ("main", "Vantorelle Help",
     "Vantorelle plays music and shows moving colour pictures and compositions. Choose a topic from the "
     "contents to learn how to play, show, compose and share."),
    ("welcome", "Welcome to Vantorelle",
     "When Vantorelle starts it opens its main window with the player at the top and the picture area below. "
     "Open a composition with File, Open, or drop one on the window."),
    ("play_music", "Playing music",
     "Choose Music, Add to list to put MP3 files or playlists on the play list. Play, Pause and Stop work on "
     "the current line. The volume slider remembers its place between sessions."),
    ("playlists", "Play lists",
     "A play list (.m3u or .pls) is a text file that names one music file per line. Vantorelle reads both "
     "kinds and writes .m3u."),
    ("pictures", "Showing pictures",
     "Pictures from the Images folder, or any folder that you choose, are shown one after another. Set the "
     "time per picture and the fade in Options, Pictures."),
    ("compositions", "Compositions",
     "A composition is a scene of pictures and shapes that move to music. Each frame says where its items "
     "stand and how they look; Vantorelle moves them smoothly from one frame to the next."),
    ("compose", "Making a composition",
     "Choose File, New composition. Drag pictures and shapes onto the canvas, then press Add frame and move "
     "them to their next places. Save the composition in the Compositions folder."),
    ("shapes", "Shapes",
     "A shape is an outline made of contours, such as a heart or a star. Shapes can be filled with a colour "
     "or a picture and can grow, turn and fade within a composition."),
    ("packed", "Packed compositions",
     "File, Pack composition puts a composition together with every picture and shape that it uses into one "
     ".cmn file, ready to be sent by e-mail. Opening a .cmn file unpacks it into the InBox folder."),
    ("outbox", "InBox and OutBox",
     "Packed compositions that you receive are unpacked into InBox. Those that you pack for others are kept "
     "in OutBox until you send them."),
    ("screenshots", "Screen shots",
     "Press F12 while a composition plays to keep the current picture in the ScreenShots folder as a BMP file."),
    ("extensions", "File extensions",
     "Help, File Extensions lets you choose which kinds of files open in Vantorelle when you double-click "
     "them: compositions, packed compositions, pictures, music and play lists."),
    ("keys", "Keyboard",
     "Space plays or pauses, the arrow keys step through pictures or frames, F11 switches to full screen and "
     "Escape leaves it."),
    ("ordering", "Ordering",
     "Fill in OrderForm.doc in the program folder and send it with your payment. Registered users receive "
     "every update of the current version."),
]

CONTENTS = [
    (1, "Getting started", None), (2, "Welcome to Vantorelle", "welcome"), (2, "Keyboard", "keys"),
    (1, "Music", None), (2, "Playing music", "play_music"), (2, "Play lists", "playlists"),
    (1, "Pictures", None), (2, "Showing pictures", "pictures"), (2, "Screen shots", "screenshots"),
    (1, "Compositions", None), (2, "Compositions", "compositions"), (2, "Making a composition", "compose"),
    (2, "Shapes", "shapes"), (2, "Packed compositions", "packed"), (2, "InBox and OutBox", "outbox"),
    (1, "Setting up", None), (2, "File extensions", "extensions"), (2, "Ordering", "ordering"),
]


MENUS = [
    ("File", [("New composition", "starts an empty composition on a black canvas of 640 x 480 pixels"),
              ("Open", "opens a composition, a packed composition, a picture or a play list"),
              ("Save", "saves the composition under its name, in the Compositions folder unless you chose another"),
              ("Save as", "saves the composition under a new name"),
              ("Pack composition", "puts the composition and every picture and shape it uses into one .cmn file"),
              ("Unpack", "unpacks a .cmn file into the InBox folder and opens the composition in it"),
              ("Print picture", "prints the picture that the picture area shows, scaled to the page"),
              ("Exit", "closes Vantorelle; the play list and the window's place are kept for the next start")]),
    ("Edit", [("Undo", "takes back the last change of the composition; up to 50 changes can be taken back"),
              ("Cut", "moves the selected items of the frame to the clipboard"),
              ("Copy", "copies the selected items of the frame to the clipboard"),
              ("Paste", "puts the items of the clipboard into the frame, at their old places"),
              ("Delete", "removes the selected items from the frame"),
              ("Select all", "selects every item of the frame")]),
    ("Music", [("Add to list", "puts MP3 files, RealAudio files or play lists at the end of the play list"),
               ("Remove from list", "takes the selected lines off the play list; the files stay where they are"),
               ("Play", "plays the current line of the play list"),
               ("Pause", "stops the music at its place; Play goes on from there"),
               ("Stop", "stops the music and goes back to the start of the current line"),
               ("Next", "goes on to the next line of the play list"),
               ("Previous", "goes back to the line before"),
               ("Shuffle", "plays the lines of the play list in a new order each time"),
               ("Repeat", "starts the play list again when its last line has been played")]),
    ("Pictures", [("Show", "shows the pictures of the chosen folder one after another"),
                  ("Next picture", "shows the next picture at once"),
                  ("Previous picture", "shows the picture before"),
                  ("Slide show", "shows every picture for the time set in Options, Pictures"),
                  ("Fade", "lets each picture fade into the next instead of replacing it"),
                  ("Full screen", "shows the picture area on the whole screen; Escape leaves it"),
                  ("Save screen shot", "keeps the picture area's current picture in the ScreenShots folder")]),
    ("Composition", [("Add frame", "adds a frame after the current one, with the items at their present places"),
                     ("Remove frame", "removes the current frame; the items move straight from the frame before "
                      "to the frame after"),
                     ("Add picture", "puts a picture from the Images folder onto the canvas"),
                     ("Add shape", "puts a shape from the Shapes folder onto the canvas"),
                     ("Add text", "puts a line of text in dotted letters onto the canvas"),
                     ("Colours", "sets the fill and outline colours of the selected items"),
                     ("Timing", "sets how long the move from this frame to the next one takes"),
                     ("Preview", "plays the composition from the current frame, with its music")]),
    ("Options", [("Pictures", "sets the time per picture, the fade and the folder of the pictures"),
                 ("Music", "sets the volume, the balance and the device that plays the music"),
                 ("Folders", "sets the folders for compositions, shapes, pictures, music and screen shots"),
                 ("Language", "chooses the language of the menus and messages")]),
    ("Help", [("Contents", "opens this help at its contents"),
              ("Search", "finds help topics by their keywords"),
              ("File Extensions", "chooses which kinds of files open in Vantorelle"),
              ("Ordering", "shows how to order a registered copy"),
              ("About", "shows the version of Vantorelle and of Tovx.dll")]),
]


def topics(pictures):
    """[(context, title, text)]: the topics of the guide, one per menu command
    and one per picture of the Images folder (names from the manifest)."""
    found = list(HELP_TOPICS)
    for menu, commands in MENUS:
        for n, (command, what) in enumerate(commands):
            context = (menu + "_" + command).lower().replace(" ", "_")
            others = ", ".join(c for c, _ in commands if c != command)
            text = ("%s, %s %s. Choose %s on the %s menu, or press Alt+%s and then %s. The command is greyed "
                    "out while it cannot be used, for instance while a composition is being played. Related "
                    "commands on the %s menu: %s." % (menu, command, what, command, menu, menu[0], command[0],
                                                      menu, others))
            found.append((context, "%s, %s" % (menu, command), text))
    for name in pictures:
        title = name.rsplit(".", 1)[0]
        kind = "a JPEG picture" if name.lower().endswith(".jpg") else "a bitmap"
        found.append(("picture_" + title.lower().replace(" ", "_").replace(",", ""), "The picture " + title,
                      "%s is %s of the Images folder. Use it in a composition with Composition, Add picture, or "
                      "show it with the other pictures with Pictures, Show. You may pass it on inside your "
                      "compositions; see Redist.txt." % (name, kind)))
    return found


def context_hash(context):
    """The hash under which WinHelp files a topic's context string."""
    value = 0
    for ch in context:
        if "A" <= ch <= "Z" or "a" <= ch <= "z":
            x = ord(ch.upper()) - ord("A") + 17
        elif "1" <= ch <= "9":
            x = ord(ch) - ord("0")
        else:
            x = {"0": 10, ".": 12, "_": 13}.get(ch, 0)
        if x:
            value = (value * 43 + x) & 0xFFFFFFFF
    return value


# ---------------------------------------------------------------------------
# The WinHelp file system

MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B


def btree(structure, entries, directory=False):
    """A B+ tree of one leaf page: entries are the encoded (key, value) pairs,
    already sorted. The page is 1 KiB in the directory, else 2 KiB or as many
    times that as the entries need."""
    body = b"".join(entries)
    page_size = 0x400 if directory else 0x800
    while not directory and len(body) + 8 > page_size:
        page_size *= 2
    if len(body) + 8 > page_size:
        raise SystemExit("helpfiles.py: %d bytes of entries do not fit one page of %d" % (len(body), page_size))
    header = struct.pack("<HHH16shhhhhhi", BTREE_MAGIC, 0x0402 if directory else 0x0002, page_size,
                         structure.encode("ascii"), 0, 0, 0, -1, 1, 1, len(entries))
    page = struct.pack("<HhhH", page_size - 8 - len(body), len(entries), -1, 0xFFFF) + body
    return header + page + bytes(page_size - len(page))


def file_system(files, size):
    """A WinHelp file of exactly `size` bytes holding files [(name, data)];
    the room that is left stays reserved, unused, by the last of them."""
    out = bytearray(16)
    offsets = {}
    for name, data in files:
        offsets[name] = len(out)
        out += struct.pack("<IIB", 9 + len(data), len(data), 4) + data
    names = sorted(offsets, key=lambda name: name.encode("ascii"))
    directory = btree("z4", [name.encode("ascii") + b"\0" + struct.pack("<I", offsets[name]) for name in names],
                     directory=True)
    spare = size - (len(out) + 9 + len(directory))
    if spare < 0:
        raise SystemExit("helpfiles.py: the help file's content is %d bytes over its size of %d" % (-spare, size))
    last = offsets[files[-1][0]]
    out[last:last + 4] = struct.pack("<I", 9 + len(files[-1][1]) + spare)
    out += bytes(spare)
    start = len(out)
    out += struct.pack("<IIB", 9 + len(directory), len(directory), 4) + directory
    out[0:16] = struct.pack("<IiiI", MAGIC, start, -1, len(out))
    assert len(out) == size
    return bytes(out)


def compressed_ulong(value):
    return struct.pack("<H", value * 2) if value < 0x8000 else struct.pack("<I", value * 2 + 1)


def compressed_ushort(value):
    return struct.pack("<B", value * 2) if value < 0x80 else struct.pack("<H", value * 2 + 1)


def system_file(title, copyright, gen_date):
    records = [(1, title.encode("ascii") + b"\0"), (2, copyright.encode("ascii") + b"\0"),
               (3, struct.pack("<I", 0)), (10, b"Vantorelle.cnt\0")]
    head = struct.pack("<HHHIH", 0x036C, 33, 1, gen_date, 0)
    return head + b"".join(struct.pack("<HH", kind, len(data)) + data for kind, data in records)


def font_file():
    faces = [b"Arial", b"Times New Roman", b"Courier New"]
    # Normal text, headings, the non-scrolling title, links and code.
    fonts = [(0, 20, 2, 0, (0, 0, 0)), (1, 28, 2, 0, (0, 0, 128)), (1, 24, 2, 0, (0, 0, 0)),
             (4, 20, 2, 0, (0, 128, 0)), (0, 18, 3, 2, (0, 0, 0))]
    head = struct.pack("<HHHH", len(faces), len(fonts), 8, 8 + 32 * len(faces))
    names = b"".join(face.ljust(32, b"\0") for face in faces)
    descriptors = b"".join(struct.pack("<BBBH3s3s", attr, half, family, face, bytes(fg), bytes((255, 255, 255)))
                           for attr, half, family, face, fg in fonts)
    return head + names + descriptors


TOPIC_BLOCK = 4096
TOPIC_BLOCK_HEAD = 12


def topic_link(kind, data1, data2, prev, following):
    return struct.pack("<IIiiIB", 21 + len(data1) + len(data2), len(data2), prev, following, 21 + len(data1),
                       kind) + data1 + data2


def text_record(text, font):
    """A display text record: one paragraph in the given font."""
    body = text.encode("ascii") + b"\0"
    data1 = (compressed_ulong(len(body)) + compressed_ushort(len(body)) + struct.pack("<BBHH", 0, 0x80, 0, 0)
             + struct.pack("<BH", 0x80, font) + b"\x82\xff")
    return data1, body


def topic_file(entries):
    """|TOPIC: per topic a topic header (number, browse sequence, title) and
    its text records, in 4 KiB blocks of their own header and the records,
    which run on from block to block. Positions count in the blocks' text
    (the 12-byte block headers left out), as in an uncompressed help file.
    Returns the file and each topic's position."""
    stream = bytearray()
    positions = []
    records = []
    for number, (context, title, text) in enumerate(entries):
        positions.append(len(stream))
        head = struct.pack("<Iiiiiii", 0, number - 1, number + 1 if number + 1 < len(entries) else -1, number,
                           -1, -1, -1)
        records.append((2, head, title.encode("ascii") + b"\0"))
        records.append((0x20,) + text_record(title, 1))
        for sentence in text.split(". "):
            records.append((0x20,) + text_record(sentence.rstrip(".") + ".", 0))
        for kind, data1, data2 in records:
            prev = len(stream) - 1 if stream else -1
            link = topic_link(kind, data1, data2, prev, len(stream) + 21 + len(data1) + len(data2))
            stream += link
        records = []
    out = bytearray()
    room = TOPIC_BLOCK - TOPIC_BLOCK_HEAD
    for block, start in enumerate(range(0, len(stream), room)):
        out += struct.pack("<iii", start - 1 if block else -1, start, start) + stream[start:start + room]
    return bytes(out), positions


def shg_picture(dib_file):
    """A picture file (|bmN) of one device-independent bitmap, from a BMP
    file: 'lp', one picture, its header with the bitmap's fields packed as
    WinHelp packs them, the palette and the unpacked pixels."""
    width, height, _, bits = struct.unpack("<iiHH", dib_file[18:30])
    colours = struct.unpack("<I", dib_file[46:50])[0]
    offset = struct.unpack("<I", dib_file[10:14])[0]
    palette = dib_file[54:offset]
    pixels = dib_file[offset:]
    fields = (compressed_ulong(96) + compressed_ulong(96) + compressed_ushort(1) + compressed_ushort(bits)
              + compressed_ulong(width) + compressed_ulong(height) + compressed_ulong(colours)
              + compressed_ulong(colours) + compressed_ulong(len(pixels)) + compressed_ulong(0))
    head_size = 2 + len(fields) + 8
    picture = (struct.pack("<BB", 6, 0) + fields + struct.pack("<II", head_size + len(palette), 0) + palette
               + pixels)
    return struct.pack("<HHI", 0x506C, 1, 8) + picture


def context_file(entries, positions):
    pairs = sorted((context_hash(context), pos) for (context, _, _), pos in zip(entries, positions))
    return btree("L4", [struct.pack("<II", h, pos) for h, pos in pairs])


def help_file(size, pictures, bitmaps, screenshot, gen_date):
    """Vantorelle.hlp of exactly size bytes. pictures: the names of the
    Images folder's files, for their topics; bitmaps: BMP files shown in the
    topics; screenshot(rows): the BMP of the last picture, a screen shot of
    the given height, made as tall as the file's size allows."""
    entries = topics(pictures)
    topic, positions = topic_file(entries)
    files = [("|SYSTEM", system_file("Vantorelle Help", "Copyright Vantorelle. All rights reserved.", gen_date)),
             ("|FONT", font_file()), ("|CONTEXT", context_file(entries, positions))]
    files += [("|bm%d" % n, shg_picture(bmp)) for n, bmp in enumerate(bitmaps)]

    def content(rows):
        return files + [("|bm%d" % len(bitmaps), shg_picture(screenshot(rows))), ("|TOPIC", topic)]

    def used(rows):
        return 16 + sum(9 + len(data) for _, data in content(rows)) + 9 + 0x400

    one = screenshot(1)
    stride = (len(screenshot(2)) - len(one))
    rows = 1 + max(0, (size - used(1)) // stride)
    while rows > 1 and used(rows) > size:
        rows -= 1
    return file_system(content(rows), size)


def help_contents(size):
    """Vantorelle.cnt of exactly size bytes: the contents, then for the
    translators each topic's first sentence as a comment, the last comment
    cut or blank-padded to fit."""
    lines = [":Base Vantorelle.hlp>main", ":Title Vantorelle Help", ":Index Vantorelle Help=Vantorelle.hlp"]
    for level, title, topic in CONTENTS:
        lines.append("%d %s" % (level, title) if topic is None else "%d %s=%s" % (level, title, topic))
    for menu, commands in MENUS:
        lines.append("2 The %s menu" % menu)
        lines += ["3 %s=%s" % (c, (menu + "_" + c).lower().replace(" ", "_")) for c, _ in commands]
    lines.append("")
    text = "\r\n".join(lines) + "\r\n"
    for context, _, body in topics([]):
        line = "; %s: %s" % (context, body.split(". ")[0].rstrip(".") + ".")
        if len(text) + len(line) + 2 > size:
            line = line[:size - len(text) - 2].rsplit(" ", 1)[0]
            text += line.ljust(size - len(text) - 2) + "\r\n"
            break
        text += line + "\r\n"
    if len(text) != size:
        raise SystemExit("helpfiles.py: the contents are %d bytes, not %d" % (len(text), size))
    return text.encode("ascii")


def global_index(size, pictures, help_size, gen_date):
    """Vantorelle.gid of exactly size bytes, for the help file of help_size
    bytes whose topics topics(pictures) gives."""
    entries = topics(pictures)
    pete = struct.pack("<I", 0x0102) + b"Vantorelle.hlp\0" + struct.pack("<II", help_size, gen_date)
    cnt_text = b"".join(b"%d %s\0" % (level, title.encode("ascii")) for level, title, _ in CONTENTS)
    cnt_jump = b"".join((topic or "").encode("ascii") + b"\0" for _, _, topic in CONTENTS)
    words = {}
    for number, (context, title, text) in enumerate(entries):
        for word in (title + " " + text).replace(",", " ").replace(".", " ").split():
            if len(word) > 3:
                words.setdefault(word.lower(), set()).add(number)
    keywords = sorted(words)
    data = bytearray()
    tree = []
    for word in keywords:
        tree.append(word.encode("ascii") + b"\0" + struct.pack("<hI", len(words[word]), len(data)))
        data += b"".join(struct.pack("<I", n) for n in sorted(words[word]))
    titles = btree("Lz", [struct.pack("<I", number) + title.encode("ascii") + b"\0"
                          for number, (_, title, _) in enumerate(entries)])
    win_pos = struct.pack("<hhhhB", 40, 30, 600, 500, 0) + b"main\0"
    return file_system([("|Pete", pete), ("|CntText", cnt_text), ("|CntJump", cnt_jump),
                        ("|KWBTREE", btree("F24", tree)),
                        ("|KWDATA", bytes(data)), ("|TTLBTREE", titles), ("|WinPos", win_pos)], size)
