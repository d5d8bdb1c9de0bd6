#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads every DXF drawing in a folder back with ezdxf, a DXF reader of its
own, and checks it against the JSON file of the same name that dxf_samples
wrote: the audit finds no error, the units are millimetres, the layers NO1,
NO2, NO3 and BELT are there, each wheel layer holds the wheel's pitch circle,
and the belt is one closed loop of lines and arcs as long as the drive's belt.
Usage: dxf_check.py FOLDER"""
import json
import math
import pathlib
import sys

import ezdxf

TOLERANCE_MM = 1e-6


def ends(entity):
    """Start and end point and length of a LINE or an ARC."""
    if entity.dxftype() == "LINE":
        start, end = entity.dxf.start, entity.dxf.end
        return start, end, (end - start).magnitude
    span = (entity.dxf.end_angle - entity.dxf.start_angle) % 360.0
    return entity.start_point, entity.end_point, entity.dxf.radius * math.radians(span)


def check(drawing, expected):
    problems = []
    doc = ezdxf.readfile(drawing)
    auditor = doc.audit()
    problems += [f"audit: {error.message}" for error in auditor.errors]
    if doc.header.get("$INSUNITS") != 4:
        problems.append(f"$INSUNITS is {doc.header.get('$INSUNITS')}, not 4 (mm)")
    for name in ("NO1", "NO2", "NO3", "BELT"):
        if name not in doc.layers:
            problems.append(f"no layer {name}")
    msp = doc.modelspace()
    for i, (x, y, radius) in enumerate(expected["wheels"]):
        circles = msp.query(f'CIRCLE[layer=="NO{i + 1}"]')
        if len(circles) != 1:
            problems.append(f"NO{i + 1}: {len(circles)} circles")
            continue
        circle = circles[0]
        if (abs(circle.dxf.radius - radius) > TOLERANCE_MM
                or abs(circle.dxf.center.x - x) > TOLERANCE_MM
                or abs(circle.dxf.center.y - y) > TOLERANCE_MM):
            problems.append(f"NO{i + 1}: circle {circle.dxf.center} r {circle.dxf.radius}")
    belt = list(msp.query('*[layer=="BELT"]'))
    if any(entity.dxftype() not in ("LINE", "ARC") for entity in belt) or len(belt) < 4:
        problems.append("the belt is not four or more lines and arcs")
        return problems
    pieces = [ends(entity) for entity in belt]
    size = max(1.0, max(abs(v) for wheel in expected["wheels"] for v in wheel))
    for k, (_, end, _) in enumerate(pieces):
        start = pieces[(k + 1) % len(pieces)][0]
        if (end - start).magnitude > 1e-9 * size:
            problems.append(f"piece {k} ends at {end}, the next starts at {start}")
    total = sum(length for _, _, length in pieces)
    if abs(total - expected["length"]) > TOLERANCE_MM:
        problems.append(f"belt {total!r} mm long, not {expected['length']!r}")
    return problems


def main():
    folder = pathlib.Path(sys.argv[1])
    drawings = sorted(folder.glob("*.dxf"))
    if not drawings:
        print(f"no drawings in {folder}")
        return 1
    failed = 0
    for drawing in drawings:
        expected = json.loads(drawing.with_suffix(".json").read_text())
        problems = check(drawing, expected)
        print(f"{drawing.name}: {'; '.join(problems) if problems else 'ok'}")
        failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
