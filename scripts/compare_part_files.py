#!/usr/bin/env python3
"""Checks that two folders hold the same run's files, as two builds wrote them.

Scripts must be the same bytes but for their date line, DXF drawings (which
carry no date) the same bytes; STL files the same header and triangle count,
each number within 1e-9 relative (to the part's largest coordinate where
that is larger); 3MF files the same model (unit, objects with their names,
vertices within 1e-9 relative in the same sense, triangles). Prints one line
per file and exits 1 on the first difference, naming the file and where.

Usage: compare_part_files.py EXPECTED_DIR ACTUAL_DIR
"""
import io
import os
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

TOLERANCE = 1e-9
# The script's "; Date: 06 Dec 2026" line.
SCRIPT_DATE = re.compile(rb"^; Date: .*$", re.M)


class Different(Exception):
    pass


def close(a, b, scale):
    """Equal within TOLERANCE relative to the larger value or to the part's
    scale: a coordinate that should be 0 comes out of sine and cosine as some
    1e-14, which two C libraries round differently."""
    return a == b or abs(a - b) <= TOLERANCE * max(abs(a), abs(b), scale)


def compare_script(expected, actual):
    if SCRIPT_DATE.sub(b"", expected) != SCRIPT_DATE.sub(b"", actual):
        raise Different(first_difference(expected, actual))


def compare_dxf(expected, actual):
    if expected != actual:
        raise Different(first_difference(expected, actual))


def first_difference(expected, actual):
    a, b = expected.split(b"\n"), actual.split(b"\n")
    for n, (x, y) in enumerate(zip(a, b), 1):
        if x != y:
            return f"line {n}: {x[:60]!r} != {y[:60]!r}"
    return f"{len(a)} lines != {len(b)} lines"


def compare_stl(expected, actual):
    if len(expected) < 84 or len(expected) != len(actual):
        raise Different(f"{len(expected)} bytes != {len(actual)} bytes")
    if expected[:80] != actual[:80]:
        raise Different(f"header {expected[:80]!r} != {actual[:80]!r}")
    count = struct.unpack_from("<I", expected, 80)[0]
    if struct.unpack_from("<I", actual, 80)[0] != count or len(expected) != 84 + 50 * count:
        raise Different("the triangle counts differ")
    triangles = [struct.unpack_from("<12fH", expected, 84 + 50 * t) for t in range(count)]
    scale = max((abs(x) for t in triangles for x in t[3:12]), default=0.0)
    for t in range(count):
        a = triangles[t]
        b = struct.unpack_from("<12fH", actual, 84 + 50 * t)
        for k, (x, y) in enumerate(zip(a, b)):
            # The normal's components are at most 1, the attribute a count.
            if not close(x, y, 1.0 if k < 3 or k == 12 else scale):
                raise Different(f"triangle {t}, number {k}: {x!r} != {y!r}")


def model(data, name):
    with zipfile.ZipFile(io.BytesIO(data)) as package:
        models = [n for n in package.namelist() if n.endswith(".model")]
        if len(models) != 1:
            raise Different(f"{name} holds models {models}")
        root = ElementTree.fromstring(package.read(models[0]))
    objects = []
    for item in root.iter():
        if item.tag.endswith("}object"):
            vertices = [tuple(float(v.get(c)) for c in "xyz")
                        for v in item.iter() if v.tag.endswith("}vertex")]
            triangles = [tuple(int(t.get(c)) for c in ("v1", "v2", "v3"))
                         for t in item.iter() if t.tag.endswith("}triangle")]
            objects.append((item.get("name"), vertices, triangles))
    return root.get("unit"), objects


def compare_3mf(expected, actual):
    unit_a, objects_a = model(expected, "expected")
    unit_b, objects_b = model(actual, "actual")
    if unit_a != unit_b:
        raise Different(f"unit {unit_a} != {unit_b}")
    if [o[0] for o in objects_a] != [o[0] for o in objects_b]:
        raise Different(f"objects {[o[0] for o in objects_a]} != {[o[0] for o in objects_b]}")
    if not objects_a:
        raise Different("no object")
    for (name, va, ta), (_, vb, tb) in zip(objects_a, objects_b):
        if ta != tb:
            raise Different(f"{name}: the triangles differ")
        if len(va) != len(vb):
            raise Different(f"{name}: {len(va)} vertices != {len(vb)}")
        scale = max((abs(x) for v in va for x in v), default=0.0)
        for n, (a, b) in enumerate(zip(va, vb)):
            if not all(close(x, y, scale) for x, y in zip(a, b)):
                raise Different(f"{name}: vertex {n} {a} != {b}")


COMPARE = {".scr": compare_script, ".dxf": compare_dxf, ".stl": compare_stl, ".3mf": compare_3mf}


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    expected_dir, actual_dir = argv[1], argv[2]
    names = sorted(n for n in os.listdir(expected_dir) if os.path.splitext(n)[1] in COMPARE)
    actual = sorted(n for n in os.listdir(actual_dir) if os.path.splitext(n)[1] in COMPARE)
    if names != actual or not names:
        print(f"the files differ: {names} != {actual}", file=sys.stderr)
        return 1
    for name in names:
        with open(os.path.join(expected_dir, name), "rb") as a, \
                open(os.path.join(actual_dir, name), "rb") as b:
            try:
                COMPARE[os.path.splitext(name)[1]](a.read(), b.read())
            except Different as difference:
                print(f"{name}: {difference}", file=sys.stderr)
                return 1
        print(f"{name}: same")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
