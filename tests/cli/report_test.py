#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""krnz-cli report end to end: every layout of the page becomes a PDF that a renderer reads.

usage: report_test.py KRNZ_CLI SAMPLES_DIR"""
import os, shutil, struct, subprocess, sys, tempfile, unittest, zlib

CLI, SAMPLES = sys.argv[1], sys.argv[2]
EVENT = os.path.join(SAMPLES, "KRN00412.101")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=120)


def png_ink(path):
    """Share of pixels that are not white in an 8-bit RGB PNG as pdftoppm writes it."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour == 2, (depth, colour)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 3 * width
    prev, dark = bytearray(stride), 0
    for y in range(height):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = prev[i], prev[i - 3] if i >= 3 else 0
            if f == 1: line[i] = (line[i] + a) & 255
            elif f == 2: line[i] = (line[i] + b) & 255
            elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        dark += sum(1 for i in range(0, stride, 3) if line[i] + line[i + 1] + line[i + 2] < 600)
        prev = line
    return width, height, dark / (width * height)


class Report(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.dir)

    def report(self, name, *args):
        out = os.path.join(self.dir, name)
        r = run("report", EVENT, "-o", out, *args)
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        with open(out, "rb") as f:
            self.assertEqual(f.read(5), b"%PDF-")
        return out

    def test_every_page_layout_renders(self):
        pages = {"event.pdf": (), "beside.pdf": ("--ppvzx",), "alone.pdf": ("--only-ppvzx", "--standard", "DIN 4150-3"),
                 "spectrum.pdf": ("--first", "200", "--last", "1200")}
        renderer = shutil.which("pdftoppm")
        for name, args in pages.items():
            with self.subTest(page=name):
                pdf = self.report(name, *args)
                if not renderer:
                    continue
                subprocess.run([renderer, "-png", "-r", "30", "-singlefile", pdf, pdf[:-4]], check=True)
                width, height, ink = png_ink(pdf[:-4] + ".png")
                # A4, portrait for the event pages and landscape for the spectra.
                self.assertEqual(width > height, name == "spectrum.pdf")
                self.assertGreater(ink, 0.005)
                self.assertLess(ink, 0.5)

    def test_every_sample_event_prints(self):
        for ev in sorted(os.listdir(SAMPLES)):
            if ev.endswith(".userinfo"):
                continue
            with self.subTest(ev=ev):
                self.report(ev + ".pdf", "--ppvzx", "--standard", "BS 7385-2")

    def test_usage_errors_leave_no_file(self):
        out = os.path.join(self.dir, "x.pdf")
        for args in (["--ppvzx", "--only-ppvzx"], ["--ppvzx", "--standard", "NONE"], ["--first", "5"]):
            with self.subTest(args=args):
                r = run("report", EVENT, "-o", out, *args)
                self.assertEqual(r.returncode, 2, r.stderr.decode())
                self.assertFalse(os.path.exists(out))
        self.assertEqual(run("report", EVENT).returncode, 2)

    def test_an_unwritable_place_fails_cleanly(self):
        r = run("report", EVENT, "-o", os.path.join(self.dir, "missing", "x.pdf"))
        self.assertEqual(r.returncode, 1)
        self.assertIn(b"missing", r.stderr)

    def test_a_rejected_event_is_exit_1(self):
        bad = os.path.join(self.dir, "KRN00000.001")
        with open(bad, "wb") as f:
            f.write(b"NOTKRN..")
        self.assertEqual(run("report", bad, "-o", os.path.join(self.dir, "y.pdf")).returncode, 1)

    def test_a_printer_that_is_not_there_is_named(self):
        # Both destinations, or neither, is a usage error.
        self.assertEqual(run("report", EVENT, "-o", os.path.join(self.dir, "z.pdf"), "--printer").returncode, 2)
        r = run("report", EVENT, "--printer", "no-such-printer-here")
        self.assertEqual(r.returncode, 1)
        err = r.stderr.decode()
        # Either no printer at all, or the ones there are; never a silent success.
        self.assertTrue("No printer is installed" in err or "no printer \"no-such-printer-here\"" in err, err)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]])
