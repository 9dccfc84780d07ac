#!/usr/bin/env python3
"""The product-folder check of the payload build, run as the build runs it."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

PAYLOAD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "payload")
SCRIPT = os.path.join(PAYLOAD, "product.py")
MANIFEST = os.path.join(PAYLOAD, "manifest.txt")
FOLDERS = {"": 9, "Compositions": 5, "Images": 25, "Shapes": 4}


class Check(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.folder = os.path.join(self.tmp, "product")
        self.out = os.path.join(self.tmp, "files")
        with open(MANIFEST, encoding="utf-8") as f:
            rows = [line.rstrip("\n").split("\t")[:3] for line in f if line[:1].isdigit()]
        self.assertEqual(43, len(rows))
        for ident, sub, name in rows:
            sub = "" if sub == "-" else sub
            os.makedirs(os.path.join(self.folder, sub), exist_ok=True)
            self.put(os.path.join(sub, name), bytes(range(32)) + ident.encode())
        for sub, count in FOLDERS.items():
            files = [n for n in os.listdir(os.path.join(self.folder, sub)) if n not in FOLDERS]
            self.assertEqual(count, len(files), sub)

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
        for empty in ("InBox", "OutBox", "Music", "ScreenShots"):
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


if __name__ == "__main__":
    unittest.main()
