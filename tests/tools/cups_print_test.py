#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A report printed through a real print service: a cupsd of our own, started in the foreground
from a temporary configuration, with a cups-pdf queue. The job must complete and leave one page
that looks like the PDF export of the same report (cups-pdf turns text into outlines, so the
pages are compared as pictures).

usage: cups_print_test.py KRNZ_CLI SAMPLES_DIR     exits 77 (skipped) without CUPS or root"""
import glob, os, shutil, socket, subprocess, sys, tempfile, time, unittest

CLI, SAMPLES = sys.argv[1], sys.argv[2]
SKIPPED = 77
QUEUE = "krnztest"
CUPS_PDF = "/usr/lib/cups/backend/cups-pdf"
CUPS_PDF_PPD = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"


def missing():
    for tool in ("cupsd", "lpadmin", "lpstat", "pdfinfo", "pdftoppm"):
        if not shutil.which(tool, path=os.environ.get("PATH", "") + ":/usr/sbin:/sbin"):
            return f"{tool} is not installed"
    if not (os.path.exists(CUPS_PDF) and os.path.exists(CUPS_PDF_PPD)):
        return "the cups-pdf printer driver is not installed"
    if os.geteuid() != 0:
        return "starting a print service of our own needs root"
    return None


def gray_page(pdf, dpi=25):
    """The first page as rows of gray values, read from pdftoppm's PGM."""
    data = subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-f", "1", "-l", "1", pdf],
                          check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum, separated by white space
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return [pixels[r * width:(r + 1) * width] for r in range(height)]


class PrintService(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        root = cls.tmp.name
        for sub in ("spool", "cache", "state", "log", "temp", "ppd"):
            os.mkdir(os.path.join(root, sub))
        os.chmod(root, 0o755)
        for sub in ("spool", "temp"):
            os.chmod(os.path.join(root, sub), 0o777)
        cls.socket = os.path.join(root, "cups.sock")
        with open(os.path.join(root, "cupsd.conf"), "w") as f:
            f.write(f"Listen {cls.socket}\nWebInterface No\nLogLevel info\n"
                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                    "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
        with open(os.path.join(root, "cups-files.conf"), "w") as f:
            f.write(f"ServerRoot {root}\nRequestRoot {root}/spool\nCacheDir {root}/cache\n"
                    f"StateDir {root}/state\nTempDir {root}/temp\nErrorLog {root}/log/error_log\n"
                    f"AccessLog {root}/log/access_log\nPageLog {root}/log/page_log\n"
                    "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                    "User lp\nGroup lp\nSystemGroup root\n")
        cupsd = shutil.which("cupsd", path="/usr/sbin:/sbin:" + os.environ.get("PATH", ""))
        cls.cupsd = subprocess.Popen([cupsd, "-f", "-c", os.path.join(root, "cupsd.conf"),
                                      "-s", os.path.join(root, "cups-files.conf")],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        cls.env = dict(os.environ, CUPS_SERVER=cls.socket, QT_QPA_PLATFORM="offscreen")
        deadline = time.monotonic() + 20
        while not os.path.exists(cls.socket):
            if cls.cupsd.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("cupsd did not start; see " + root + "/log/error_log")
            time.sleep(0.1)
        subprocess.run(["lpadmin", "-p", QUEUE, "-E", "-v", "cups-pdf:/", "-P", CUPS_PDF_PPD],
                       check=True, capture_output=True, env=cls.env)

    @classmethod
    def tearDownClass(cls):
        cls.cupsd.terminate()
        cls.cupsd.wait(timeout=20)
        cls.tmp.cleanup()

    def lpstat(self, *args):
        return subprocess.run(["lpstat", *args], capture_output=True, text=True,
                              env=self.env).stdout

    def test_a_report_prints_as_one_page_like_the_export(self):
        sample = os.path.join(SAMPLES, "KRN00412.101")
        started = time.time()
        r = subprocess.run([CLI, "report", sample, "--printer", QUEUE], capture_output=True,
                           text=True, env=self.env, timeout=120)
        self.assertEqual(r.returncode, 0, r.stderr)

        deadline = time.monotonic() + 90
        while self.lpstat("-W", "not-completed", "-o", QUEUE).strip():
            self.assertLess(time.monotonic(), deadline, "the job did not finish")
            time.sleep(0.5)
        done = self.lpstat("-W", "completed", "-o", QUEUE).split()
        self.assertTrue(done, "no job completed")
        job = done[0].rsplit("-", 1)[1]

        # cups-pdf leaves the page in the job owner's ~/PDF, named after the job.
        home = os.path.expanduser("~root")
        printed = [p for p in glob.glob(os.path.join(home, "PDF", f"*job_{job}.pdf"))
                   if os.path.getmtime(p) >= started - 1]
        self.assertEqual(len(printed), 1, "cups-pdf wrote no page for the job")
        try:
            info = subprocess.run(["pdfinfo", printed[0]], capture_output=True, text=True).stdout
            self.assertRegex(info, r"(?m)^Pages:\s+1$")
            exported = os.path.join(self.tmp.name, "export.pdf")
            subprocess.run([CLI, "report", sample, "-o", exported], check=True, env=self.env)
            a, b = gray_page(printed[0]), gray_page(exported)
            self.assertEqual((len(a), len(a[0])), (len(b), len(b[0])), "page sizes differ")
            dark = lambda page: sum(v < 128 for row in page for v in row)
            self.assertGreater(dark(b), 500, "the export itself is blank")
            self.assertLess(abs(dark(a) - dark(b)), 0.25 * dark(b), "the printed page looks otherwise")
            differing = sum(abs(x - y) > 96 for ra, rb in zip(a, b) for x, y in zip(ra, rb))
            self.assertLess(differing, 0.015 * len(a) * len(a[0]), "the pages differ in places")
        finally:
            for p in printed:
                os.remove(p)


if __name__ == "__main__":
    reason = missing()
    if reason:
        print("skipped: " + reason)
        sys.exit(SKIPPED)
    unittest.main(argv=sys.argv[:1], verbosity=2)
