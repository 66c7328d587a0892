#!/usr/bin/env python3
"""Fails when a file of src/ includes a header of a layer above its own.

The layers, lowest first: base; config and mesh side by side; geometry;
generate; app; then app/qt and app/win side by side, and fuzz, which may see
everything up to app. A file belongs to the layer of its folder (a test
beside the code to the code's layer; app/forms to app). Each offending
include is printed as FILE:LINE with the header, and the status is 1.

Usage: check_layers.py [SRC_FOLDER]   (default: the src/ beside scripts/)
"""
import os
import re
import sys

# Each layer and the layers it may include from, itself among them.
BELOW = {
    "base": {"base"},
    "config": {"base", "config"},
    "mesh": {"base", "mesh"},
}
BELOW["geometry"] = BELOW["config"] | BELOW["mesh"] | {"geometry"}
BELOW["generate"] = BELOW["geometry"] | {"generate"}
BELOW["app"] = BELOW["generate"] | {"app"}
BELOW["app/qt"] = BELOW["app"] | {"app/qt"}
BELOW["app/win"] = BELOW["app"] | {"app/win"}
BELOW["fuzz"] = BELOW["app"] | {"fuzz"}

SOURCE_SUFFIXES = (".cc", ".h", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(relative):
    """The layer of a path relative to src/ (with / separators), or None."""
    best = None
    for layer in BELOW:
        if relative == layer or relative.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def header_layer(src, including, header):
    """The layer of the header as the compiler finds it: beside the including
    file first, then under src/. None for a header the build generates (no
    such file, and no layer's folder in its name)."""
    for base in (os.path.dirname(including), src):
        candidate = os.path.normpath(os.path.join(base, header))
        if os.path.isfile(candidate):
            relative = os.path.relpath(candidate, src).replace(os.sep, "/")
            if relative.startswith("../"):
                return "outside src/"
            return layer_of(relative) or "no layer"
    return layer_of(header)


def check(src):
    """Every fault as one line of text, and the number of includes read."""
    faults = []
    includes = 0
    for folder, folders, files in os.walk(src):
        folders.sort()
        for name in sorted(files):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(folder, name)
            shown = os.path.relpath(path, os.path.dirname(src))
            own = layer_of(os.path.relpath(path, src).replace(os.sep, "/"))
            if own is None:
                faults.append(f"{shown}: lies in no layer's folder")
                continue
            with open(path, encoding="utf-8", errors="surrogateescape") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    includes += 1
                    header = match.group(1)
                    seen = header_layer(src, path, header)
                    if seen is None or seen in BELOW[own]:
                        continue
                    faults.append(
                        f'{shown}:{number}: includes "{header}" of {seen}; '
                        f"{own} may include only {', '.join(sorted(BELOW[own]))}")
    return faults, includes


def main(argv):
    src = os.path.abspath(argv[1] if len(argv) > 1 else
                          os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"))
    if not os.path.isdir(src):
        print(f"check_layers.py: {src} is no folder", file=sys.stderr)
        return 1
    faults, includes = check(src)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"layers: {len(faults)} of {includes} includes run up a layer", file=sys.stderr)
        return 1
    print(f"layers: {includes} includes, none runs up a layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
