#!/usr/bin/env python3
"""Checks that every include points down the floors of docs/ARCHITECTURE.md.

A file under src/<floor>/ (or tests/<floor>/) may include headers of its own floor or of a
floor below it, never of a floor above it or of another folder on the same floor. Prints each
offending include and exits 1 when there is one; exits 0 otherwise.

Usage: check_layers.py [ROOT]   (ROOT defaults to the folder above this script)
"""
import os
import re
import sys

# Lowest first; folders on one line share a floor.
FLOORS = [
    ["platform"],
    ["barcode"],
    ["common"],
    ["store"],
    ["filling", "library"],
    ["records"],
    ["printing"],
    ["designer", "records/ui", "library/ui"],
    ["shell"],
    ["app"],
]
RANK = {name: i for i, floor in enumerate(FLOORS) for name in floor}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+(?:/ui)?)/[^"]+"')


def folder_of(parts):
    """The floor folder of a path below src/ or tests/: 'records/ui' or 'records'."""
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def check(root):
    findings = []
    for top in ("src", "tests"):
        base = os.path.join(root, top)
        for dirpath, _, names in os.walk(base):
            for name in sorted(names):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(dirpath, name)
                parts = os.path.relpath(path, base).split(os.sep)
                me = folder_of(parts)
                if me not in RANK:
                    continue  # test support and services stand outside the floors
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = m.group(1)
                        if target not in RANK or target == me:
                            continue
                        if RANK[target] >= RANK[me]:
                            rel = os.path.relpath(path, root)
                            findings.append(f"{rel}:{number}: {me} includes {target}: {line.strip()}")
    return findings


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    findings = check(os.path.abspath(root))
    for f in findings:
        print(f)
    if findings:
        print(f"{len(findings)} include(s) point up or sideways")
        return 1
    print("every include points down the floors")
    return 0


if __name__ == "__main__":
    sys.exit(main())
