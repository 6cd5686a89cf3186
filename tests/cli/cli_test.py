#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""krnz-cli end to end: every sample event, the files it must refuse and the usage errors.

usage: cli_test.py KRNZ_CLI SAMPLES_DIR"""
import glob, json, os, struct, subprocess, sys, tempfile, unittest

CLI, SAMPLES = sys.argv[1], sys.argv[2]


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=120)


def info(path, *extra):
    r = run("info", path, *extra)
    assert r.returncode == 0, r.stderr.decode()
    return json.loads(r.stdout)


def events():
    return [f for f in sorted(glob.glob(os.path.join(SAMPLES, "*"))) if not f.endswith(".userinfo")]


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


class Samples(unittest.TestCase):
    def test_info_agrees_with_the_samples(self):
        for ev in events():
            with self.subTest(ev=os.path.basename(ev)):
                d = info(ev)
                rows = run("samples", ev).stdout.decode().splitlines()
                self.assertEqual(rows[0], "time,slot0,slot1,slot2,slot3")
                n = d["nSamplesPerChannel"]
                self.assertEqual(len(rows), n + 1)
                # %.9g carries a float32 exactly; times stay doubles
                cols = list(zip(*[[float(v) for v in r.split(",")] for r in rows[1:]]))
                cols = [cols[0]] + [[f32(v) for v in c] for c in cols[1:]]
                self.assertAlmostEqual(cols[0][0], -d["pretrig"], places=12)
                self.assertAlmostEqual(cols[0][-1], (n - 1) * d["sampleInterval"] - d["pretrig"], places=9)
                for ch in d["channels"]:
                    x = cols[1 + ch["slot"]]
                    self.assertEqual(ch["max"], max(x))
                    self.assertEqual(ch["min"], min(x))
                    self.assertEqual(ch["maxIndex"], x.index(max(x)))
                    self.assertEqual(ch["minIndex"], x.index(min(x)))
                    self.assertEqual(ch["peak"], max(abs(ch["max"]), abs(ch["min"])))
                    self.assertEqual(ch["channelOff"], ch["sensorKind"] == 0)
                    if ch["channelOff"]:
                        self.assertEqual(ch["unitName"], "undef")
                    self.assertEqual(ch["dB"] is not None, ch["curUnit"] in (6, 7, 8, 9) and ch["peak"] > 0)
                v = [(a * a + b * b + c * c) for a, b, c in zip(cols[1], cols[2], cols[3])]
                self.assertAlmostEqual(d["vectorMax"], max(v) ** 0.5, places=9)
                self.assertAlmostEqual(d["vectorMaxTime"], cols[0][v.index(max(v))], places=9)

    def test_user_information(self):
        with_file = [e for e in events() if os.path.exists(e + ".userinfo")]
        self.assertTrue(with_file)
        for ev in with_file:
            self.assertNotEqual(info(ev)["userInfo"]["client"], "")
        for ev in events():
            if ev.endswith(".tremolog"):
                self.assertIn("freeText", info(ev)["userInfo"])

    def test_eight_channel_groups(self):
        k200 = [e for e in events() if info(e)["fileFormat"] == 6]
        self.assertTrue(k200)
        d = info(k200[0], "--group", "2")
        self.assertEqual(d["channelGroup"], 2)
        self.assertEqual([c["channel"] for c in d["channels"]], [5, 6, 7, 8])
        self.assertTrue(d["panels"]["channelValues"][0].split("\n")[0].endswith(" 5"))

    def test_ppvzx_lists(self):
        ev = events()[0]
        d = json.loads(run("ppvzx", ev, "--peaks", "16").stdout)
        self.assertEqual(d["peaks"], 16)
        for ch in d["channels"]:
            self.assertEqual(len(ch["amps"]), 16)
            self.assertEqual(len(ch["frqs"]), 16)
        d = json.loads(run("ppvzx", ev, "--peaks", "all").stdout)
        for ch in d["channels"]:
            self.assertEqual(len(ch["amps"]), len(ch["frqs"]))
            self.assertGreater(len(ch["amps"]), 16)

    def test_dump(self):
        k100 = [e for e in events() if info(e)["fileFormat"] == 5 and info(e)["regLengthIndex"] == 0][0]
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "dump.txt")
            self.assertEqual(run("dump", k100, "-o", out).returncode, 0)
            data = open(out, "rb").read().decode()
            lines = data.split("\r\n")
            self.assertEqual(lines[-1], "")
            self.assertEqual(len(lines) - 1, 2000)
            self.assertTrue(all(len(l.split("\t")) == 5 for l in lines[:-1]))
            self.assertEqual(lines[0].split("\t")[0], "-0.10000")
            self.assertEqual(lines[1999].split("\t")[0], "0.89950")
            self.assertEqual(len(lines[0].split("\t")[1].split(".")[1]), 4)
            r = run("dump", k100, "-o", os.path.join(tmp, "no-such-folder", "dump.txt"))
            self.assertEqual(r.returncode, 1)
            self.assertNotIn("file corrupt", r.stderr.decode())


class BadInput(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def patched(self, source, patches, name="KRN99999.999", cut=None):
        data = bytearray(open(source, "rb").read())
        for offset, raw in patches:
            data[offset:offset + len(raw)] = raw
        if cut is not None:
            data = data[:cut]
        path = os.path.join(self.tmp.name, name)
        open(path, "wb").write(bytes(data))
        return path

    def expect(self, path, status, message):
        r = run("info", path)
        self.assertEqual(r.returncode, status, r.stderr)
        self.assertIn(message, r.stderr.decode())

    def sample(self, fmt):
        return [e for e in events() if info(e)["fileFormat"] == fmt][0]

    def test_rejected_files(self):
        k100, trem = self.sample(5), self.sample(7)
        bad = os.path.join(self.tmp.name, "KRN1.001")
        open(bad, "wb").write(b"ABCDEFGH" + bytes(600))
        self.expect(bad, 1, "bad filetype: ABCDEFGH")
        self.expect(self.patched(k100, [(44, b"\x05")]), 1, "readDatafile: no such nSecPerChannelIndex")
        self.expect(self.patched(k100, [(66, b"\xAA\xAA")]), 1, "file corrupt")
        self.expect(self.patched(k100, [(34, b"\x1F")]), 1, "file corrupt")
        self.expect(self.patched(trem, [(38, b"\x00\x00")], "x.tremolog"), 1, "readdatafile ")
        self.expect(self.patched(trem, [(26, struct.pack("<i", 40000))], "x.tremolog"), 1, "readdatafile 6")
        huge = self.patched(trem, [(10, b"\x01\x01"), (166, struct.pack("<i", 2_000_000_000))], "x.tremolog")
        self.expect(huge, 1, "far more than the file holds")

    def test_files_that_cannot_be_opened_say_why(self):
        missing = os.path.join(self.tmp.name, "missing.001")
        for path, message in ((missing, "File not found: " + missing),
                              (self.tmp.name, self.tmp.name + " is a folder")):
            with self.subTest(path=path):
                r = run("info", path)
                self.assertEqual(r.returncode, 1, r.stderr)
                self.assertIn(message, r.stderr.decode())
                self.assertNotIn("file corrupt", r.stderr.decode())
        if os.geteuid() != 0:  # root reads every file
            locked = self.patched(self.sample(5), [])
            os.chmod(locked, 0)
            r = run("info", locked)
            self.assertEqual(r.returncode, 1, r.stderr)
            self.assertIn("Permission denied: " + locked, r.stderr.decode())
        out = os.path.join(self.tmp.name, "no-such-folder", "x.wav")
        r = run("wav", self.sample(5), "--slot", "0", "-o", out)
        self.assertEqual(r.returncode, 1, r.stderr)
        self.assertIn("x.wav", r.stderr.decode())
        self.assertNotIn("file corrupt", r.stderr.decode())

    def test_truncated_files_read_as_zeros(self):
        for fmt in (5, 6, 7):
            with self.subTest(fmt=fmt):
                src = self.sample(fmt)
                name = "x.tremolog" if fmt == 7 else "KRN99999.999"
                size = os.path.getsize(src)
                cut = self.patched(src, [], name, cut=size * 2 // 5)
                r = run("samples", cut)
                self.assertEqual(r.returncode, 0, r.stderr)
                last = r.stdout.decode().splitlines()[-1].split(",")
                self.assertEqual(float(last[4]), 0.0)  # slot 3 lies wholly beyond the cut

    def test_usage_errors(self):
        ev = events()[0]
        for args in ([], ["info"], ["nonsense", ev], ["info", ev, "--group", "3"],
                     ["info", ev, "--bogus"], ["dump", ev], ["ppvzx", ev, "--peaks", "0"]):
            with self.subTest(args=args):
                self.assertEqual(run(*args).returncode, 2)
        self.assertEqual(run("--help").returncode, 0)
        self.assertEqual(run("info", "--help").returncode, 0)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
