#!/usr/bin/env python3
"""The product-folder check of the payload build, run as the build runs it,
and the rule of manifest.txt, which its two readers hold it to alike."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
PAYLOAD = os.path.join(SOURCE, "resources", "payload")
SCRIPT = os.path.join(PAYLOAD, "product.py")
MANIFEST = os.path.join(PAYLOAD, "manifest.txt")
sys.path.insert(0, PAYLOAD)
import product  # noqa: E402

READ_WITH_CMAKE = """cmake_minimum_required(VERSION ${CMAKE_VERSION})
include(%s/cmake/Manifest.cmake)
manifest_read(${MANIFEST})
manifest_write_tables(${OUT_DIR})
"""


class Check(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.folder = os.path.join(self.tmp, "product")
        self.out = os.path.join(self.tmp, "files")
        self.manifest = product.read_manifest(MANIFEST)
        for ident, sub, name, _ in self.manifest.files:
            os.makedirs(os.path.join(self.folder, sub), exist_ok=True)
            self.put(os.path.join(sub, name), bytes(range(32)) + str(ident).encode())

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def put(self, rel, data=b"x"):
        with open(os.path.join(self.folder, rel), "wb") as f:
            f.write(data)

    def run_script(self, *args):
        done = subprocess.run([sys.executable, SCRIPT, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              text=True)
        return done.returncode, done.stderr

    def stage(self, stale=None):
        return self.run_script("stage", MANIFEST, self.folder, self.out, *(["--stale", stale] if stale else []))

    def expect_error(self, *lines):
        code, err = self.run_script("check", MANIFEST, self.folder)
        self.assertEqual(1, code, err)
        for line in lines:
            self.assertIn(line, err.splitlines())
        return err

    def test_complete_folder_with_empty_folders_passes_whatever_the_sizes(self):
        for empty in self.manifest.empty_folders:
            os.mkdir(os.path.join(self.folder, empty))
        self.put("Vantorelle.exe", bytes(range(256)) * 9)
        self.assertEqual((0, ""), self.run_script("check", MANIFEST, self.folder))

    def test_every_missing_file_is_named_in_one_message(self):
        for rel in ("Tovx.dll", "Images/Baby.bmp", "Shapes/OK.shc"):
            os.remove(os.path.join(self.folder, rel))
        os.rename(os.path.join(self.folder, "Images", "Tulip.jpg"), os.path.join(self.folder, "Images", "tulip.jpg"))
        err = self.expect_error("  Tovx.dll", "  Images/Baby.bmp", "  Images/Tulip.jpg", "  Shapes/OK.shc",
                                "  Images/tulip.jpg")
        self.assertEqual(1, err.count("missing from"))

    def test_every_entry_the_manifest_does_not_name_is_named(self):
        os.makedirs(os.path.join(self.folder, "Extras", "Deep"))
        os.mkdir(os.path.join(self.folder, "Music"))
        self.put("Readme.txt")
        self.put("Images/Thumbs.db")
        self.put("Music/Song.mp3")
        self.put("Extras/Deep/x")
        self.expect_error("  Readme.txt", "  Images/Thumbs.db", "  Music/Song.mp3", "  Extras/", "  Extras/Deep/",
                          "  Extras/Deep/x")

    def test_four_gibibytes_is_one_byte_too_many(self):
        for rel, size in (("Vantorelle.hlp", 1 << 32), ("Images/Rose.jpg", (1 << 32) - 1)):
            with open(os.path.join(self.folder, rel), "wb") as f:
                f.truncate(size)
        err = self.expect_error("  Vantorelle.hlp: 4294967296 bytes")
        self.assertNotIn("Rose.jpg", err)

    def test_files_packing_shorter_than_the_unpacking_steps(self):
        self.put("Redist.txt", b"")
        self.put("Images/Star.bmp", b"\0" * 1000)
        self.put("Images/Tulip.jpg", bytes(range(11)))
        self.put("Images/Rose.jpg", bytes(range(12)))
        err = self.expect_error("  Redist.txt: 0 bytes, packed 8", "  Images/Star.bmp: 1000 bytes, packed 17",
                                "  Images/Tulip.jpg: 11 bytes, packed 19")
        self.assertNotIn("Rose.jpg", err)

    def test_unreadable_files_are_named(self):
        os.remove(os.path.join(self.folder, "Redist.txt"))
        os.symlink(os.path.join(self.tmp, "nowhere"), os.path.join(self.folder, "Redist.txt"))
        os.remove(os.path.join(self.folder, "Shapes", "Heart.shc"))
        os.mkdir(os.path.join(self.folder, "Shapes", "Heart.shc"))
        self.expect_error("  Redist.txt: No such file or directory", "  Shapes/Heart.shc: a folder, not a file")

    def test_missing_folder(self):
        shutil.rmtree(self.folder)
        self.expect_error("product folder: error: the product folder %s does not exist or is not a folder"
                          % self.folder)

    def test_stage_copies_changed_files_only_and_nothing_after_a_failed_check(self):
        self.assertEqual(0, self.stage()[0])
        with open(os.path.join(self.out, "3025"), "rb") as f:
            self.assertEqual(bytes(range(32)) + b"3025", f.read())
        os.utime(os.path.join(self.out, "1"), (1, 1))
        self.put("Images/Year.bmp", bytes(range(64)))
        self.assertEqual(0, self.stage()[0])
        self.assertEqual(1, os.stat(os.path.join(self.out, "1")).st_mtime)
        with open(os.path.join(self.out, "3025"), "rb") as f:
            self.assertEqual(bytes(range(64)), f.read())

        stale = os.path.join(self.tmp, "Setup.exe")
        self.put("Redist.txt", bytes(range(99)))
        self.put("Junk")
        open(stale, "wb").close()
        self.assertEqual(1, self.stage(stale)[0])
        with open(os.path.join(self.out, "5"), "rb") as f:
            self.assertEqual(bytes(range(32)) + b"5", f.read())
        self.assertFalse(os.path.exists(stale))


class ManifestRule(unittest.TestCase):
    """Each change to the real manifest breaks the rule of README.md; both
    readers refuse it with the same words, naming the line."""

    CASES = [
        # (text in the manifest, replaced by, the reader's words)
        ("5\t-\tRedist.txt\t2403", "5\t-\tRedist.txt", 'not id<TAB>folder<TAB>name<TAB>size'),
        ("7\t-\tShapesFiles.bmp", "07\t-\tShapesFiles.bmp", 'the id "07" is no number from 1 to 65535'),
        ("4004\tShapes", "70000\tShapes", 'the id "70000" is no number from 1 to 65535'),
        ("\t2403", "\t4294967296", 'the size "4294967296" is no number below 4 GiB'),
        ("3025\tImages", "3025\timages", 'no folder line names "images"'),
        ("Year.bmp", "Ye:ar.bmp", '"Ye:ar.bmp" is no file name that setup can make'),
        ("Year.bmp", "Year.", '"Year." is no file name that setup can make'),
        ("Year.bmp", "Y" * 260, '"%s" is no file name that setup can make' % ("Y" * 260)),
        ("Year.bmp", "Ye\u00e9r.bmp", "not printable ASCII"),
        ("Year.bmp", "baby.BMP", '"baby.BMP" is already a name in its folder'),
        ("Redist.txt", "images", '"images" is already a name in its folder'),
        ("4001\tShapes", "3001\tShapes", "the id 3001 is given twice"),
        ("3002\tImages", "3003\tImages", 'expected id 3002, the next of "Images"'),
        ("steps\t20\n", "", "no steps line"),
        ("folder\tScreenShots", "folder\tinbox", 'the folder "inbox" is given twice'),
    ]

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        with open(MANIFEST, encoding="ascii") as f:
            self.real = f.read()
        self.script = os.path.join(self.tmp, "read.cmake")
        with open(self.script, "w") as f:
            f.write(READ_WITH_CMAKE % SOURCE)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def readers(self, text):
        """What each reader says of the manifest text: (exit code, its words)."""
        path = os.path.join(self.tmp, "manifest.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        said = []
        for command in ([sys.executable, SCRIPT, "check", path, self.tmp],
                        [os.environ.get("CMAKE_COMMAND", "cmake"), "-DMANIFEST=" + path,
                         "-DOUT_DIR=" + os.path.join(self.tmp, "tables"), "-P", self.script]):
            done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            said.append((done.returncode, [line.strip() for line in done.stdout.splitlines()]))
        return said

    def test_both_readers_refuse_what_the_rule_refuses(self):
        for old, new, words in self.CASES:
            with self.subTest(words):
                at = self.real.index(old)
                text = self.real[:at] + new + self.real[at + len(old):]
                expected = "line %d: %s" % (self.real[:at].count("\n") + 1, words) if new else words
                for code, lines in self.readers(text):
                    self.assertNotEqual(0, code, lines)
                    self.assertIn(expected, lines)

    def test_the_build_asks_files_for_each_table_of_the_program(self):
        _, cmake = self.readers(self.real.replace("3025\tImages", "3025\tMusic"))
        self.assertNotEqual(0, cmake[0])
        self.assertIn('no table of the program for the files of "Music"', cmake[1])
        self.assertEqual(0, self.readers(self.real)[1][0], "the real manifest gives the tables")


if __name__ == "__main__":
    unittest.main()
