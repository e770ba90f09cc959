#!/usr/bin/env python3
"""zorvik --print as scripts use it: every format read back by a standard parser, the exit
statuses, and a reader that goes away.   print_test.py PROGRAM"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

ZORVIK = os.path.abspath(sys.argv.pop(1))
# As from a timer or a remote shell: no display at all.
ENVIRONMENT = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

# Names that break naive formats: a line feed, a comma, a quote, bytes that are not UTF-8.
NAMES = {b"plain.txt": 100, b"new\nline": 2000, b"com,ma": 3000, b'qu"ote': 4000, b"caf\xe9": 5000,
         b"\xe9t\xe9/\xff \"x\",\n.bin": 6000, b"big": 2000000, b"small": 10}


def run(*arguments, cwd=None, env=ENVIRONMENT):
    return subprocess.run([ZORVIK, *arguments], capture_output=True, env=env, cwd=cwd)


def path_of(text):
    """A path as csv and json write it: the path itself, or the file URL of one that is not UTF-8."""
    if text.startswith("file://"):
        return urllib.parse.unquote_to_bytes(text[len("file://"):])
    assert text.startswith("/"), text
    return text.encode("utf-8")


class Print(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.root = os.fsencode(cls.folder.name)
        for name, size in NAMES.items():
            path = os.path.join(cls.root, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.truncate(size)
        # 100 bytes or more
        cls.found = {os.path.join(cls.root, n): s for n, s in NAMES.items() if s >= 100}

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def search(self, *arguments):
        done = run("--print", "--greater-than", "99", *arguments, self.root)
        self.assertEqual(done.stderr, b"")
        self.assertEqual(done.returncode, 0)
        return done.stdout

    def test_text_keeps_each_paths_bytes_and_nul_ends_them_for_xargs(self):
        paths = self.search("-0").split(b"\0")
        self.assertEqual(paths.pop(), b"")
        self.assertEqual(sorted(paths), sorted(self.found))
        self.assertIn(os.path.join(self.root, b"plain.txt") + b"\n", self.search())

    def test_csv_reads_back_with_the_csv_module(self):
        rows = list(csv.reader(io.StringIO(self.search("--format", "csv").decode("utf-8"), newline="")))
        self.assertEqual(rows.pop(0), ["path", "bytes", "size_text"])
        self.assertEqual({path_of(p): int(b) for p, b, _ in rows}, self.found)
        self.assertEqual({t for _, b, t in rows if b == "2000"}, {"2000 Bytes"})

    def test_json_lines_read_back_with_the_json_module(self):
        lines = self.search("--format", "json", "--sort", "size").decode("utf-8").splitlines()
        objects = [json.loads(line) for line in lines]
        self.assertEqual({path_of(o["path"]): o["bytes"] for o in objects}, self.found)
        self.assertEqual([o["bytes"] for o in objects], sorted(self.found.values(), reverse=True))
        self.assertEqual(objects[0]["size_text"], "2000000 Bytes")
        # Each unit's text, with the window's rounding, whatever the language.
        done = run("--print", "--between", "1.5KB", "1GB", "--format", "json", self.root,
                   env=dict(ENVIRONMENT, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8"))
        self.assertEqual(sorted(json.loads(l)["size_text"] for l in done.stdout.splitlines()),
                         ["1,953 KB", "2 KB", "3 KB", "4 KB", "5 KB", "6 KB"])

    def test_sort_by_path_and_summary(self):
        done = run("--print", "--greater-than", "99", "--sort", "path", "--summary", self.root)
        self.assertEqual(done.stdout.split(b"\n")[:2], [os.path.join(self.root, n) for n in (b"big", b"caf\xe9")])
        self.assertEqual(done.stderr, b"zorvik: 7 files, 1.9 MB (2020100 bytes)\n")

    def test_skipping_options_leave_out_names_caches_and_repeats(self):
        with tempfile.TemporaryDirectory() as folder:
            root = os.fsencode(folder)
            for name in (b"a.txt", b"b.o", b"node_modules/c.txt", b"d/node_modules/e.txt", b"caf\xe9/f.txt",
                         b"cache/g.txt", b"d/h.txt"):
                os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
                with open(os.path.join(root, name), "wb") as f:
                    f.truncate(100)
            with open(os.path.join(root, b"cache/CACHEDIR.TAG"), "wb") as f:
                f.write(b"Signature: 8a477f597d28d172789f06886806bc55\n")
            os.symlink(b"a.txt", os.path.join(root, b"link.txt"))
            done = run("--print", "--greater-than", "0", "-E", "node_modules", b"--exclude=caf\xe9", "--exclude",
                       "*.o", "--exclude-caches", "-x", "--name", "*.txt", "--summary", root,
                       os.path.join(root, b"d"))
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertEqual(sorted(done.stdout.split(b"\n")[:-1]),
                             [os.path.join(root, n) for n in (b"a.txt", b"d/h.txt")])
            # d/node_modules is met by both walks.
            self.assertEqual(done.stderr, b"zorvik: 2 files, 0.2 KB (200 bytes), 5 folders skipped\n")
        for wrong in (["--print", "--greater-than", "1", self.root, "--exclude"], ["-E", "x", self.root],
                      ["--print", "--greater-than", "1", "--exclude=", self.root], ["--name"]):
            done = run(*wrong)
            self.assertEqual((done.returncode, done.stdout), (2, b""), wrong)

    def test_exit_statuses(self):
        self.assertEqual(run("--print", "--greater-than", "1GB", self.root).returncode, 1)
        for wrong in (["--print", "--greater-than", "1XB", self.root], ["--print", self.root],
                      ["--bogus"], ["--format", "csv", self.root], ["--print", "--less-than", "1"]):
            done = run(*wrong)
            self.assertEqual((done.returncode, done.stdout), (2, b""), wrong)
            self.assertIn(b"zorvik --help", done.stderr)
        # A folder that is not there is named; the others are still searched.
        done = run("--print", "--less-than", "11", self.root + b"/missing", self.root)
        self.assertEqual(done.returncode, 2)
        self.assertEqual(done.stdout, os.path.join(self.root, b"small") + b"\n")
        self.assertEqual(done.stderr, b"zorvik: " + self.root + b"/missing: No such file or directory\n")

    def test_folders_are_taken_as_bytes_and_made_absolute(self):
        done = run("--print", "--equal-to", "6000", b"./\xe9t\xe9/", cwd=self.root)
        self.assertEqual(done.stdout, os.path.join(self.root, name_of_size(6000)) + b"\n")

    def test_a_reader_that_goes_away_ends_the_search_quietly(self):
        with tempfile.TemporaryDirectory() as many:
            # Far more output than the pipe and the program's own buffer hold.
            for i in range(4000):
                open(os.path.join(many, f"{i:04}-" + "x" * 120), "wb").close()
            zorvik = subprocess.Popen([ZORVIK, "--print", "--less-than", "1", many], stdout=subprocess.PIPE,
                                      stderr=subprocess.PIPE, env=ENVIRONMENT)
            self.assertTrue(zorvik.stdout.readline().endswith(b"x\n"))
            zorvik.stdout.close()
            with zorvik.stderr:
                self.assertEqual(zorvik.stderr.read(), b"")
            self.assertEqual(zorvik.wait(), 0)


def name_of_size(size):
    return next(name for name, s in NAMES.items() if s == size)


if __name__ == "__main__":
    unittest.main(verbosity=2)
