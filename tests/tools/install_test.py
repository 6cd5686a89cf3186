#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed tree: what `cmake --install` lays out, run from elsewhere after the tree was moved.

usage: install_test.py CMAKE BUILD_DIR"""
import configparser, json, os, re, shutil, subprocess, sys, tempfile, unittest
import xml.etree.ElementTree as ET

CMAKE, BUILD = sys.argv[1], sys.argv[2]


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        first = os.path.join(cls.tmp.name, "first")
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", first], check=True, capture_output=True)
        # Relocatable: the tree moved after installing still finds its data.
        cls.prefix = os.path.join(cls.tmp.name, "moved", "usr")
        os.makedirs(os.path.dirname(cls.prefix))
        shutil.move(first, cls.prefix)
        cls.home = os.path.join(cls.tmp.name, "home")
        os.mkdir(cls.home)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def cli(self, *args):
        env = {"PATH": "/usr/bin:/bin", "HOME": self.home, "QT_QPA_PLATFORM": "offscreen"}
        return subprocess.run([self.path("bin", "krnz-cli"), *args], capture_output=True, cwd="/",
                              env=env, timeout=120)

    def test_programs_run_from_anywhere_on_the_shipped_data(self):
        self.assertTrue(os.access(self.path("bin", "krnz"), os.X_OK))
        sample = self.path("share", "krnz", "samples", "KRN00412.101")
        r = self.cli("info", sample)
        self.assertEqual(r.returncode, 0, r.stderr)
        panels = json.loads(r.stdout)["panels"]
        self.assertIn("Channel/Input", panels["channelLabels"][0])  # the English language file
        # The standards of the installed PPVZX.ini, not a source tree's.
        r = self.cli("verdict", sample)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(json.loads(r.stdout)["standard"], "US")
        r = self.cli("info", sample, "--macro", self.path("share", "krnz", "macro", "velocity-to-displacement"))
        self.assertEqual(r.returncode, 0, r.stderr)
        # Installed mode keeps settings out of the installation.
        self.assertFalse(os.path.exists(self.path("bin", "krnz.ini")))

    def test_the_user_guide_comes_with_its_pictures(self):
        doc = self.path("share", "krnz", "doc")
        for guide in ("english.md", "svenska.md"):
            with open(os.path.join(doc, guide), encoding="utf-8") as f:
                text = f.read()
            pictures = re.findall(r"!\[[^\]]*\]\(([^)]+)\)", text)
            self.assertTrue(pictures, guide)
            for picture in pictures:
                self.assertTrue(os.path.isfile(os.path.join(doc, picture)), picture)

    def test_desktop_entry_names_the_event_types(self):
        entry = configparser.RawConfigParser(strict=True)
        entry.optionxform = str
        entry.read(self.path("share", "applications", "krnz.desktop"), encoding="utf-8")
        d = entry["Desktop Entry"]
        for key in ("Name", "GenericName", "GenericName[sv]", "Comment", "Comment[sv]", "Exec", "Icon"):
            self.assertTrue(d.get(key), key)
        self.assertEqual(d["Categories"], "Science;Geoscience;Qt;")
        self.assertTrue(d["Exec"].startswith("krnz "))
        types = {t for t in d["MimeType"].split(";") if t}
        ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
        mime = ET.parse(self.path("share", "mime", "packages", "krnz.xml")).getroot()
        declared = {m.get("type") for m in mime.findall("m:mime-type", ns)}
        self.assertEqual(types, declared)
        globs = {g.get("pattern") for g in mime.iter("{%s}glob" % ns["m"])}
        self.assertEqual(globs, {"KRN*.???", "*.tremolog"})
        self.assertTrue(os.path.exists(self.path("share", "icons", "hicolor", "scalable", "apps",
                                                 d["Icon"] + ".svg")))

    def test_metainfo_and_manual_pages(self):
        meta = ET.parse(self.path("share", "metainfo", "org.krnz.KRNZ.metainfo.xml")).getroot()
        self.assertEqual(meta.findtext("launchable"), "krnz.desktop")
        with open(self.path("share", "man", "man1", "krnz-cli.1"), encoding="utf-8") as f:
            page = f.read()
        # Every command of the usage is in the manual.
        usage = self.cli("--help").stdout.decode()
        for line in usage.splitlines():
            words = line.split()
            if len(words) > 1 and words[0] == "krnz-cli" and not words[1].startswith("-"):
                self.assertIn("krnz\\-cli %s" % words[1], page)
        self.assertTrue(os.path.exists(self.path("share", "man", "man1", "krnz.1")))


    def test_validators_and_type_detection(self):
        tools = ("desktop-file-validate", "appstreamcli", "update-mime-database", "gio")
        missing = [t for t in tools if not shutil.which(t)]
        if missing:
            self.skipTest("not installed here: " + ", ".join(missing))
        r = subprocess.run(["desktop-file-validate", self.path("share", "applications", "krnz.desktop")],
                           capture_output=True)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        r = subprocess.run(["appstreamcli", "validate", "--no-net",
                            self.path("share", "metainfo", "org.krnz.KRNZ.metainfo.xml")], capture_output=True)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        # The types as the desktop sees them: by name, and by the tag under any other name.
        subprocess.run(["update-mime-database", self.path("share", "mime")], check=True, capture_output=True)
        samples = self.path("share", "krnz", "samples")
        renamed = os.path.join(self.tmp.name, "event.bin")
        shutil.copy(os.path.join(samples, "KRN00206.021"), renamed)
        tremolog = os.path.join(self.tmp.name, "event.dat")
        shutil.copy(os.path.join(samples, "blast_malmo.tremolog"), tremolog)
        env = dict(os.environ, XDG_DATA_DIRS=self.path("share") + ":/usr/share", XDG_DATA_HOME=self.home)
        for path, want in ((os.path.join(samples, "KRN00412.101"), "application/x-krnz-event"),
                           (renamed, "application/x-krnz-event"),
                           (os.path.join(samples, "quarry_ips_psi.tremolog"), "application/x-tremolog-event"),
                           (tremolog, "application/x-tremolog-event")):
            r = subprocess.run(["gio", "info", "-a", "standard::content-type", path], capture_output=True, env=env)
            self.assertIn("content-type: " + want, r.stdout.decode(), path)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
