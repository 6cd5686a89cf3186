#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""krnz-cli export end to end: CSV, four-channel float WAV and MiniSEED read back apart from the
program and compared with the samples it prints.

usage: export_test.py KRNZ_CLI SAMPLES_DIR"""
import glob, json, os, struct, subprocess, sys, tempfile, unittest

CLI, SAMPLES = sys.argv[1], sys.argv[2]
MACRO = os.path.join(os.path.dirname(SAMPLES), "macro", "velocity-to-displacement")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=300)


def events():
    return [f for f in sorted(glob.glob(os.path.join(SAMPLES, "*"))) if not f.endswith(".userinfo")]


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def shown(ev, *extra):
    """Time and the rows of the active slots as `samples` and `info` give them."""
    info = json.loads(run("info", ev, *extra).stdout)
    lines = run("samples", ev, *extra).stdout.decode().splitlines()[1:]
    rows = [[float(v) for v in l.split(",")] for l in lines]
    slots = [c["slot"] for c in info["channels"] if c["sensorKind"] != 0]
    return info, slots, [r[0] for r in rows], [[f32(r[1 + s]) for r in rows] for s in slots]


def read_miniseed(data):
    """Traces of big-endian float32 MiniSEED 2 records: {channel: (header, samples)}."""
    traces = {}
    for at in range(0, len(data), 4096):
        rec = data[at:at + 4096]
        station, location, channel, network = rec[8:13], rec[13:15], rec[15:18], rec[18:20]
        year, doy, hour, minute, sec, _, tenk = struct.unpack(">HHBBBBH", rec[20:30])
        n, factor, mult = struct.unpack(">Hhh", rec[30:36])
        data_begin, first_blockette = struct.unpack(">HH", rec[44:48])
        btype, _, encoding, order, exp = struct.unpack(">HHBBB", rec[first_blockette:first_blockette + 7])
        assert (btype, encoding, order, exp) == (1000, 4, 1, 12), (btype, encoding, order, exp)
        samples = struct.unpack(">%df" % n, rec[data_begin:data_begin + 4 * n])
        key = channel.decode().strip()
        head = dict(station=station.decode().strip(), network=network.decode().strip(),
                    start=(year, doy, hour, minute, sec, tenk), rate=factor * mult if mult > 0 else factor)
        if key not in traces:
            traces[key] = (head, [])
        traces[key][1].extend(samples)
    return traces


class Export(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def export(self, ev, fmt, *extra):
        out = os.path.join(self.tmp.name, "out." + fmt)
        r = run("export", ev, "--format", fmt, "-o", out, *extra)
        self.assertEqual(r.returncode, 0, r.stderr)
        with open(out, "rb") as f:
            return out, f.read()

    def test_csv_holds_the_rows_as_shown(self):
        for ev in events():
            for extra in ((), ("--macro", MACRO)):
                with self.subTest(ev=os.path.basename(ev), extra=extra):
                    info, slots, times, rows = shown(ev, *extra)
                    _, data = self.export(ev, "csv", *extra)
                    lines = data.decode().splitlines()
                    units = [info["channels"][s]["curUnitName"] for s in slots]
                    self.assertEqual(lines[0].split(",")[0], "time")
                    self.assertEqual([h.split(" [")[1][:-1] for h in lines[0].split(",")[1:]], units)
                    self.assertEqual(len(lines) - 1, info["nSamplesPerChannel"])
                    for i in (0, 1, len(lines) // 2, len(lines) - 2):
                        cols = lines[1 + i].split(",")
                        self.assertAlmostEqual(float(cols[0]), times[i], delta=1e-9)
                        self.assertEqual([f32(float(c)) for c in cols[1:]], [r[i] for r in rows])

    def test_wav4_is_one_float_channel_per_shown_slot(self):
        ev = events()[0]
        info, slots, _, rows = shown(ev)
        _, data = self.export(ev, "wav4")
        self.assertEqual(data[:4] + data[8:16], b"RIFFWAVEfmt ")
        self.assertEqual(struct.unpack("<I", data[4:8])[0], len(data) - 8)
        fmt, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", data[20:36])
        self.assertEqual((fmt, channels, bits, align), (3, len(slots), 32, 4 * len(slots)))
        self.assertEqual(rate, round(info["frq"]))
        self.assertEqual(byte_rate, rate * align)
        at = 12
        chunks = {}
        while at < len(data):
            name, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
            chunks[name] = data[at + 8:at + 8 + size]
            at += 8 + size
        n = info["nSamplesPerChannel"]
        self.assertEqual(struct.unpack("<I", chunks[b"fact"])[0], n)
        samples = struct.unpack("<%df" % (n * len(slots)), chunks[b"data"])
        for k in range(len(slots)):
            self.assertEqual(list(samples[k::len(slots)]), rows[k])

    def test_miniseed_traces_and_their_sidecar(self):
        for ev in events():
            with self.subTest(ev=os.path.basename(ev)):
                info, slots, _, rows = shown(ev)
                out, data = self.export(ev, "mseed")
                self.assertEqual(len(data) % 4096, 0)
                traces = read_miniseed(data)
                with open(out + ".json") as f:
                    side = json.load(f)
                self.assertEqual([t["slot"] for t in side["traces"]], slots)
                self.assertEqual(side["eventNumber"], info["eventNumber"])
                for t, row in zip(side["traces"], rows):
                    head, samples = traces[t["channel"]]
                    self.assertEqual(samples, row)
                    self.assertEqual(head["station"], str(info["instrumentSN"]))
                    self.assertEqual(t["unit"], info["channels"][t["slot"]]["curUnitName"])
                    self.assertEqual(head["rate"], info["frq"])
                    # The first sample lies the pretrigger before the trigger's second.
                    year, doy, hour, minute, sec, tenk = head["start"]
                    trig = info["hour"] * 3600 + info["minute"] * 60 + info["second"]
                    first = hour * 3600 + minute * 60 + sec + tenk / 1e4
                    self.assertAlmostEqual((trig - first) % 86400, info["pretrig"], delta=1e-4)
                geo = [t["channel"] for t in side["traces"] if t["caption"].startswith("Geo")]
                self.assertEqual(geo, ["HHZ", "HHN", "HHE"][:len(geo)])

    def test_a_file_that_cannot_be_written(self):
        out = os.path.join(self.tmp.name, "missing", "x.csv")
        r = run("export", events()[0], "--format", "csv", "-o", out)
        self.assertEqual(r.returncode, 1)
        self.assertIn(out, r.stderr.decode())
        self.assertFalse(os.path.exists(os.path.dirname(out)))

    def test_usage(self):
        for args in (["export", events()[0], "-o", "x"], ["export", events()[0], "--format", "mp3", "-o", "x"],
                     ["export", events()[0], "--format", "csv"], ["info", events()[0], "--format", "csv"]):
            with self.subTest(args=args):
                self.assertEqual(run(*args).returncode, 2)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
