#!/usr/bin/env python3
"""Fails on any include that points up the layers.

Usage: check_layers.py SRC_DIR LAYER... with the layers lowest first; the last one may be a file
name stem at the top of SRC_DIR (main for main.cpp). A file of a layer may include headers of its
own layer and of the layers listed before it, never of one listed after it.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')


def layer_of(path, src, ranks):
    parts = path.relative_to(src).parts
    name = parts[0] if len(parts) > 1 else path.stem
    return name if name in ranks else None


def main():
    src = pathlib.Path(sys.argv[1])
    ranks = {name: rank for rank, name in enumerate(sys.argv[2:])}
    faults = 0
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        layer = layer_of(path, src, ranks)
        if layer is None:
            print(f"{path}: in no layer")
            faults += 1
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match and ranks.get(match.group(1), -1) > ranks[layer]:
                print(f"{path}:{number}: {layer} includes the later layer {match.group(1)}")
                faults += 1
    if not files:
        print(f"{src}: no sources")
        return 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
