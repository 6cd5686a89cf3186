#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when the core's include graph breaks its layering.

The core's folders include downwards only; no core file includes Qt or another library's
headers; and no two source units (foo.h with foo.cpp) include each other, however indirectly.
Usage: check_layers.py SRC_DIR
"""
import os
import re
import sys

LAYERS = ["common", "settings", "event", "analysis", "view", "spectrum", "report", "workspace"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def core_files(src):
    core = os.path.join(src, "core")
    for root, _, files in os.walk(core):
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                path = os.path.join(root, name)
                yield os.path.relpath(path, src).replace(os.sep, "/")


def check(src):
    problems = []
    units = {}  # "core/event/krn_reader" -> set of units it includes
    for rel in core_files(src):
        layer = rel.split("/")[1]
        if layer not in LAYERS:
            problems.append(f"{rel}: folder '{layer}' has no place in the layer order")
            continue
        unit = rel.rsplit(".", 1)[0]
        edges = units.setdefault(unit, set())
        with open(os.path.join(src, rel), encoding="utf-8") as f:
            text = f.read()
        for bracket, name in INCLUDE.findall(text):
            if bracket == "<":
                if name.startswith("Q") or name.startswith("qt"):
                    problems.append(f"{rel}: includes Qt header <{name}>")
                continue
            top = name.split("/")[0]
            if top in ("gui", "platform", "cli", "app"):
                problems.append(f'{rel}: includes "{name}" from outside the core')
                continue
            if top != "core":
                continue
            other = name.split("/")[1]
            if other in LAYERS and LAYERS.index(other) > LAYERS.index(layer):
                problems.append(f'{rel}: layer "{layer}" includes "{name}" from the higher layer "{other}"')
            target = name.rsplit(".", 1)[0]
            if target != unit:
                edges.add(target)

    # Cycles between units: depth-first search with colours.
    state = {}
    stack = []

    def visit(u):
        state[u] = 1
        stack.append(u)
        for v in sorted(units.get(u, ())):
            if state.get(v) == 1:
                cycle = stack[stack.index(v):] + [v]
                problems.append("include cycle: " + " -> ".join(cycle))
            elif v in units and v not in state:
                visit(v)
        stack.pop()
        state[u] = 2

    for u in sorted(units):
        if u not in state:
            visit(u)
    return problems


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../src")
    problems = check(src)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
