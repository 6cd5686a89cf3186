#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The layer check finds each kind of break in a small made-up tree, and none in the real one."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../tools/checks"))
import check_layers  # noqa: E402

SRC = os.path.join(os.path.dirname(__file__), "../../src")


def tree(files):
    root = tempfile.mkdtemp()
    for rel, text in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return root


class CheckLayersTest(unittest.TestCase):
    def test_real_tree_is_clean(self):
        self.assertEqual(check_layers.check(SRC), [])

    def test_downward_include_is_fine(self):
        root = tree({"core/view/a.h": '#include "core/common/b.h"\n', "core/common/b.h": ""})
        self.assertEqual(check_layers.check(root), [])

    def test_upward_include_is_reported(self):
        root = tree({"core/event/a.h": '#include "core/view/b.h"\n', "core/view/b.h": ""})
        problems = check_layers.check(root)
        self.assertEqual(len(problems), 1)
        self.assertIn('layer "event" includes "core/view/b.h"', problems[0])

    def test_qt_and_other_libraries_are_reported(self):
        root = tree({"core/common/a.cpp": '#include <QString>\n#include "gui/view/x.h"\n'
                                          '#include "platform/y.h"\n#include <vector>\n'})
        problems = check_layers.check(root)
        self.assertEqual(len(problems), 3)

    def test_cycle_between_units_of_one_folder_is_reported(self):
        root = tree({
            "core/event/a.h": "",
            "core/event/a.cpp": '#include "core/event/a.h"\n#include "core/event/b.h"\n',
            "core/event/b.h": "",
            "core/event/b.cpp": '#include "core/event/b.h"\n#include "core/event/a.h"\n',
        })
        problems = check_layers.check(root)
        self.assertTrue(any(p.startswith("include cycle: ") for p in problems), problems)

    def test_unknown_folder_is_reported(self):
        root = tree({"core/misc/a.h": ""})
        self.assertIn("no place in the layer order", check_layers.check(root)[0])


if __name__ == "__main__":
    unittest.main()
