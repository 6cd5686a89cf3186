#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""krnz-cli verdict and batch end to end, on the sample events and on events of the generator.

usage: campaign_test.py KRNZ_CLI KRNZ_EVENTGEN SAMPLES_DIR"""
import csv, glob, io, json, math, os, shutil, subprocess, sys, tempfile, unittest

CLI, EVENTGEN, SAMPLES = sys.argv[1], sys.argv[2], sys.argv[3]


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=300)


def json_of(*args):
    r = run(*args)
    assert r.returncode == 0, r.stderr.decode()
    return json.loads(r.stdout)


def events():
    return [f for f in sorted(glob.glob(os.path.join(SAMPLES, "*"))) if not f.endswith(".userinfo")]


def limit(vertices, f, xlog, ylog):
    """The limit line's value at f, written apart from the program's code."""
    xs = [v[0] for v in vertices]
    ys = [v[1] for v in vertices]
    if f <= xs[0]:
        return ys[0]
    if f >= xs[-1]:
        return ys[-1]
    ax = (lambda x: math.log10(x)) if xlog else (lambda x: x)
    ay = (lambda y: math.log10(y)) if ylog else (lambda y: y)
    for (x0, y0), (x1, y1) in zip(vertices, vertices[1:]):
        if x0 <= f < x1:
            v = ay(y0) + (ax(f) - ax(x0)) / (ax(x1) - ax(x0)) * (ay(y1) - ay(y0))
            return 10 ** v if ylog else v
    raise AssertionError("no segment")


class Verdict(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def check_against_the_half_waves(self, ev, standard, xlog, ylog, *extra):
        v = json_of("verdict", ev, "--standard", standard, *extra)
        pz = json_of("ppvzx", ev, "--peaks", "all")
        self.assertEqual(v["standard"], standard)
        self.assertIn(standard, v["method"])
        for c, p in zip(v["channels"], pz["channels"]):
            self.assertEqual(c["plottable"], p["plottable"])
            for line, verdict in zip(v["lines"], c["lines"]):
                waves = [(a, f) for a, f in zip(p["amps"], p["frqs"]) if a != 0 and f != 0]
                if not c["plottable"] or not waves:
                    self.assertIsNone(verdict["worstRatio"])
                    self.assertFalse(verdict["exceeds"])
                    continue
                ratios = [a / limit(line["vertices"], f, xlog, ylog) for a, f in waves]
                worst = max(ratios)
                a, f = waves[ratios.index(worst)]
                self.assertAlmostEqual(verdict["worstRatio"], worst, delta=worst * 1e-9)
                self.assertEqual((verdict["amplitude"], verdict["frequency"]), (a, f))
                self.assertEqual(verdict["exceeds"], worst > 1)
        self.assertEqual(v["exceeds"], any(l["exceeds"] for c in v["channels"] for l in c["lines"]))
        return v

    def test_every_sample_against_every_shipped_standard(self):
        for ev in events():
            for standard, xlog, ylog in (("US", True, True), ("DIN 4150-3", False, False),
                                         ("BS 7385-2", True, True)):
                with self.subTest(ev=os.path.basename(ev), standard=standard):
                    self.check_against_the_half_waves(ev, standard, xlog, ylog)

    def test_the_default_standard_is_the_first(self):
        self.assertEqual(json_of("verdict", events()[0])["standard"], "US")

    def test_a_users_own_limit_lines(self):
        own = os.path.join(self.tmp.name, "mine.ini")
        write(own, b"[general]\nxLabels=1,100\nyLabels=1,100\n\n"
                   b"[Strict]\nunit=in/s\nxScale=log\nyScale=lin\n"
                   b"line00=1,0.01,100,0.05\n"
                   b"[Loose]\nunit=mm/s\nline00=1,500\n")
        ev = events()[-1]
        v = self.check_against_the_half_waves(ev, "Strict", True, False, "--standards", own)
        self.assertAlmostEqual(v["lines"][0]["vertices"][1][1], 0.05 * 25.4)
        self.assertTrue(v["exceeds"])
        # Without --standard the file's first standard judges.
        self.assertEqual(json_of("verdict", ev, "--standards", own)["standard"], "Strict")
        self.assertFalse(json_of("verdict", ev, "--standards", own, "--standard", "Loose")["exceeds"])

    def test_unknown_standards_and_missing_files(self):
        r = run("verdict", events()[0], "--standard", "Nowhere")
        self.assertEqual(r.returncode, 2)
        self.assertIn('"DIN 4150-3"', r.stderr.decode())
        missing = os.path.join(self.tmp.name, "gone.ini")
        r = run("verdict", events()[0], "--standards", missing)
        self.assertEqual(r.returncode, 1)
        self.assertIn(missing, r.stderr.decode())

    def test_a_processed_event_is_judged_in_the_chains_units(self):
        macro = os.path.join(os.path.dirname(SAMPLES), "macro", "velocity-to-displacement")
        ev = events()[0]
        v = json_of("verdict", ev, "--macro", macro)
        # Displacements cannot be held against velocity limits.
        self.assertFalse(any(c["plottable"] for c in v["channels"]))
        self.assertFalse(v["exceeds"])


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def gen(*args):
    subprocess.run([EVENTGEN, *args], check=True, capture_output=True)


class Batch(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        d = cls.dir = cls.tmp.name
        gen("k100", "--out", os.path.join(d, "KRN00001.001"), "--seed", "1")
        gen("k200", "--out", os.path.join(d, "KRN00002.001"), "--reglen", "2", "--seed", "2")
        gen("tremolog", "--out", os.path.join(d, "b.tremolog"), "--seed", "3")
        with open(os.path.join(d, "KRN00001.001"), "rb") as f:
            data = f.read()
        write(os.path.join(d, "KRN00001.002"), data[:len(data) // 3])  # cut short
        write(os.path.join(d, "KRN00009.009"), b"NOTANEVT" + bytes(100))
        write(os.path.join(d, "notes.txt"), b"not an event\n")
        os.mkdir(os.path.join(d, "sub"))
        gen("k100", "--out", os.path.join(d, "sub", "KRN00003.001"), "--seed", "4")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def rows(self, *args):
        r = run("batch", *args)
        return r.returncode, list(csv.DictReader(io.StringIO(r.stdout.decode())))

    def test_a_folder_of_every_layout(self):
        status, rows = self.rows(self.dir)
        self.assertEqual(status, 1)  # one file is no event
        files = [os.path.basename(r["file"]) for r in rows]
        self.assertEqual(sorted(set(files)), ["KRN00001.001", "KRN00001.002", "KRN00002.001",
                                              "KRN00009.009", "b.tremolog"])
        self.assertEqual([r["file"] for r in rows], sorted(r["file"] for r in rows))
        bad = [r for r in rows if r["error"]]
        self.assertEqual(len(bad), 1)
        self.assertEqual(os.path.basename(bad[0]["file"]), "KRN00009.009")
        self.assertIn("bad filetype: NOTANEVT", bad[0]["error"])
        # Eight channels with sensors on 5-8: a second group of four rows.
        k200 = [r for r in rows if r["file"].endswith("KRN00002.001")]
        self.assertEqual([(r["group"], r["slot"]) for r in k200],
                         [(g, str(s)) for g in "12" for s in range(4)])
        self.assertTrue(all(r["layout"] == "K200" for r in k200))

    def test_rows_agree_with_info(self):
        _, rows = self.rows(self.dir)
        for r in rows:
            if r["error"]:
                continue
            i = json.loads(run("info", r["file"], "--group", r["group"]).stdout)
            c = i["channels"][int(r["slot"])]
            with self.subTest(file=r["file"], group=r["group"], slot=r["slot"]):
                for key in ("peak", "peakFrq", "diffPeak", "integPeak"):
                    self.assertEqual(float(r[key]), c[key], key)
                self.assertEqual(float(r["vectorMax"]), i["vectorMax"])
                self.assertEqual(r["dB"], "" if c["dB"] is None else json.dumps(c["dB"]))
                self.assertEqual(int(r["instrumentSN"]), i["instrumentSN"])
                self.assertEqual(r["dateTime"][10:],
                                 "T%02d:%02d:%02d" % (i["hour"], i["minute"], i["second"]))
                self.assertEqual(r["unit"], c["curUnitName"])

    def test_sub_folders_only_when_recursive(self):
        _, flat = self.rows(self.dir)
        _, deep = self.rows(self.dir, "--recursive")
        self.assertFalse(any("sub" in r["file"] for r in flat))
        self.assertEqual(len([r for r in deep if os.sep + "sub" + os.sep in r["file"]]), 4)

    def test_the_same_summary_on_one_thread_and_on_two(self):
        one = run("batch", self.dir, "-r", "--standard", "US", "-j", "1")
        two = run("batch", self.dir, "-r", "--standard", "US", "-j", "2")
        self.assertEqual(one.stdout, two.stdout)
        self.assertEqual(one.returncode, two.returncode)

    def test_verdict_columns_only_with_a_standard(self):
        _, plain = self.rows(self.dir)
        self.assertTrue(all(r["worstRatio"] == "" and r["exceeds"] == "" for r in plain))
        _, judged = self.rows(self.dir, "--standard", "US")
        for r in judged:
            if r["error"]:
                continue
            v = json_of("verdict", r["file"], "--group", r["group"], "--standard", "US")
            ratios = [l["worstRatio"] for l in v["channels"][int(r["slot"])]["lines"]
                      if l["worstRatio"] is not None]
            self.assertEqual(r["worstRatio"], json.dumps(max(ratios)) if ratios else "")
            self.assertEqual(r["exceeds"], "true" if ratios and max(ratios) > 1 else "false")

    def test_json_and_the_output_file(self):
        out = os.path.join(self.dir, "..", os.path.basename(self.dir) + "-summary.json")
        r = run("batch", self.dir, "--format", "json", "-o", out)
        self.assertEqual(r.returncode, 1)
        with open(out) as f:
            doc = json.load(f)
        os.remove(out)
        bad = [e for e in doc["events"] if e["error"]]
        self.assertEqual(len(bad), 1)
        self.assertEqual(bad[0]["channels"], [])
        good = [e for e in doc["events"] if not e["error"]]
        self.assertTrue(all(len(e["channels"]) == 4 for e in good))

    def test_files_named_on_the_command_line(self):
        status, rows = self.rows(os.path.join(self.dir, "KRN00001.001"), os.path.join(self.dir, "nothere"))
        self.assertEqual(status, 1)
        self.assertEqual(len(rows), 5)
        self.assertIn("nothere", rows[-1]["error"])
        status, rows = self.rows(os.path.join(self.dir, "notes.txt"))
        self.assertEqual((status, len(rows)), (1, 1))

    def test_usage(self):
        for args in (["batch"], ["batch", self.dir, "--format", "xml"], ["batch", self.dir, "-j", "0"],
                     ["batch", self.dir, "--macro", "x"], ["batch", self.dir, "--standard", "Nowhere"]):
            with self.subTest(args=args):
                self.assertEqual(run(*args).returncode, 2)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
