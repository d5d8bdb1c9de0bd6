#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a screen reader hears of Idrova over AT-SPI: the design sheet's
column and row headings and the zoom bar's value and description, one line
each, as window_real_desktop_test expects them."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def application(name):
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == name:
                return child
        time.sleep(0.1)
    sys.exit(f"no application {name} on the accessibility bus")


def find(node, role):
    """Every object of a role under node, cells of tables left out."""
    found = []
    stack = [node]
    while stack:
        current = stack.pop()
        current_role = current.get_role_name()
        if current_role == role:
            found.append(current)
        if current_role in ("table", "table cell"):
            continue
        for i in range(current.get_child_count()):
            child = current.get_child_at_index(i)
            if child is not None:
                stack.append(child)
    return found


app = application(sys.argv[1] if len(sys.argv) > 1 else "Idrova")
tables = [t for t in find(app, "table") if t.get_name() == "設計表"]
if not tables:
    sys.exit("no design sheet table")
table = tables[0]
columns = [Atspi.Table.get_column_description(table, c)
           for c in range(Atspi.Table.get_n_columns(table))]
rows = [Atspi.Table.get_row_description(table, r)
        for r in range(Atspi.Table.get_n_rows(table))]
print("columns: " + "|".join(columns))
print("rows: " + "|".join(rows))
zooms = [b for b in find(app, "scroll bar") if b.get_name() == "図の拡大率"]
if not zooms:
    sys.exit("no zoom bar")
print("zoom: %.1f" % Atspi.Value.get_current_value(zooms[0]))
print("zoom description: " + zooms[0].get_description().replace("\n", " / "))
