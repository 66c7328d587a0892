#!/usr/bin/python3
"""Reads boltgen's DXF drawings back with ezdxf and holds each against its script.

Usage: check_dxf.py SCRIPT UNIT DXF... [-- SCRIPT UNIT DXF...]...

UNIT is "in" or "mm". For each group, every DXF file must load and pass
ezdxf's audit without errors, carry the insertion units of UNIT and hold one
polygon mesh on the layer named after a part of the script, of that part's
M x N size and with every vertex equal to the script's coordinates as written;
every part of the script must have exactly one file. Prints one line per file
and a summary; exits 0 only when every check passed.
"""
import sys

import ezdxf
from ezdxf.lldxf.const import DXFStructureError

UNITS = {"in": 1, "mm": 4}
PART_MARK = "; ----PART: "


def script_parts(path):
    """{part name: (M, N, [(x, y, z) column by column])} as the script writes them."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    parts = {}
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith(PART_MARK):
            name = line[len(PART_MARK):].rstrip("-")
            if lines[i + 1] != "Mesh":
                raise ValueError(f"{path}: no Mesh command after {line!r}")
            m, n = int(lines[i + 2]), int(lines[i + 3])
            i += 4
            vertices = []
            for _ in range(m):
                if not lines[i].startswith("; ---Column "):
                    raise ValueError(f"{path}: line {i + 1} is no column comment")
                i += 1
                for _ in range(n):
                    vertices.append(tuple(float(t) for t in lines[i].split(",")))
                    i += 1
            parts[name] = (m, n, vertices)
        else:
            i += 1
    return parts


def check_file(path, parts, units):
    """The problems found in one DXF file; the part name it holds, or None."""
    try:
        doc = ezdxf.readfile(path)
    except (IOError, DXFStructureError) as error:
        return [f"cannot be read: {error}"], None
    problems = []
    auditor = doc.audit()
    if auditor.has_errors:
        problems += [f"audit: {e.message}" for e in auditor.errors]
    if doc.header.get("$INSUNITS") != units:
        problems.append(f"$INSUNITS is {doc.header.get('$INSUNITS')}, not {units}")
    entities = list(doc.modelspace())
    if len(entities) != 1 or entities[0].dxftype() != "POLYLINE":
        return problems + [f"holds {[e.dxftype() for e in entities]}, not one POLYLINE"], None
    mesh = entities[0]
    layer = mesh.dxf.layer
    if mesh.get_mode() != "AcDbPolygonMesh" or mesh.dxf.flags != 16:
        problems.append(f"{mesh.get_mode()} with flags {mesh.dxf.flags}, not an open polygon mesh (16)")
    if layer not in parts:
        return problems + [f"layer {layer!r} names no part of the script"], None
    if layer not in doc.layers:
        problems.append(f"layer {layer!r} is not in the layer table")
    m, n, expected = parts[layer]
    if (mesh.dxf.m_count, mesh.dxf.n_count) != (m, n):
        problems.append(f"size {mesh.dxf.m_count} x {mesh.dxf.n_count}, script {m} x {n}")
    vertices = list(mesh.vertices)
    if len(vertices) != len(expected):
        problems.append(f"{len(vertices)} vertices, script {len(expected)}")
    wrong = [i for i, (v, e) in enumerate(zip(vertices, expected))
             if tuple(v.dxf.location) != e or v.dxf.flags != 64]
    if wrong:
        i = wrong[0]
        problems.append(f"{len(wrong)} vertices differ from the script, first #{i}: "
                        f"{tuple(vertices[i].dxf.location)} flags {vertices[i].dxf.flags}, "
                        f"script {expected[i]}")
    return problems, layer


def check_group(script, unit, dxf_files):
    parts = script_parts(script)
    failed = 0
    seen = {}
    for path in dxf_files:
        problems, part = check_file(path, parts, UNITS[unit])
        if part is not None:
            seen.setdefault(part, []).append(path)
        for problem in problems:
            print(f"FAIL {path}: {problem}")
        if problems:
            failed += 1
        else:
            m, n, _ = parts[part]
            print(f"ok   {path}: {part}, {m} x {n}, units {unit}")
    for part in parts:
        if len(seen.get(part, [])) != 1:
            print(f"FAIL {script}: part {part!r} is in {len(seen.get(part, []))} DXF files")
            failed += 1
    if not parts:
        print(f"FAIL {script}: no part")
        failed += 1
    return failed, len(dxf_files)


def main(args):
    groups, group = [], []
    for arg in args:
        if arg == "--":
            groups.append(group)
            group = []
        else:
            group.append(arg)
    groups.append(group)
    failed = files = 0
    for group in groups:
        if len(group) < 3 or group[1] not in UNITS:
            print(__doc__)
            return 2
        f, n = check_group(group[0], group[1], group[2:])
        failed, files = failed + f, files + n
    print(f"check_dxf: {files} files, {failed} failures")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
