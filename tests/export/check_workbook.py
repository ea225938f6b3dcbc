#!/usr/bin/python3
"""Reads a workbook with an independent reader and checks it against the names that were saved.

usage: check_workbook.py READER WORKBOOK EXPECTED.json
  READER    xlrd (.xls), openpyxl (.xlsx) or gnumeric (either, through ssconvert)
  EXPECTED  {"edition": "full"|"lite", "names": [...]}: the text each name's cell must show
Prints "OK ..." and exits 0, or prints what differs and exits 1.
"""
import gzip
import json
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PER_COLUMN = 65534


def expected_cells(expected):
    first_row = 1 if expected["edition"] == "full" else 0
    cells = {}
    for k, name in enumerate(expected["names"]):
        if name != "":
            cells[(first_row + k % PER_COLUMN, k // PER_COLUMN)] = name
    count = len(expected["names"])
    last = count - 1 if count else 0
    active = (first_row + last % PER_COLUMN, last // PER_COLUMN)
    return cells, active


def longest_per_column(expected):
    longest = {}
    for k, name in enumerate(expected["names"]):
        c = k // PER_COLUMN
        longest[c] = max(longest.get(c, 0), len(name))
    return longest


def read_xlrd(path):
    import xlrd
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    cells, problems, widths = {}, [], {}
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            if cell.ctype != xlrd.XL_CELL_TEXT:
                problems.append("cell (%d,%d) is of type %d, not text" % (r, c, cell.ctype))
            fmt = book.format_map[book.xf_list[cell.xf_index].format_key].format_str
            if fmt != "@":
                problems.append("cell (%d,%d) has format %r, not '@'" % (r, c, fmt))
                del problems[20:]
            cells[(r, c)] = cell.value
    for c, info in sheet.colinfo_map.items():
        widths[c] = info.width / 256.0
    # xlrd does not report the selection: read the SELECTION record from the stream it extracts.
    with open(path, "rb") as f:
        data = f.read()
    stream = xlrd.compdoc.CompDoc(data, logfile=open(os.devnull, "w")).get_named_stream("Workbook")
    active, pos, bofs = None, 0, 0
    while pos + 4 <= len(stream):
        rid, size = struct.unpack_from("<HH", stream, pos)
        if rid == 0x0809:
            bofs += 1
        if rid == 0x001D and bofs == 2:
            _, row, col = struct.unpack_from("<BHH", stream, pos + 4)
            active = (row, col)
        pos += 4 + size
    return cells, active, widths, problems


def read_openpyxl(path):
    import openpyxl
    from openpyxl.utils.cell import coordinate_from_string, column_index_from_string
    # The format writes a character as "_xHHHH_" in cell text, and "_" itself as "_x005F_" where it
    # would start such a sequence. Excel decodes both; openpyxl 3.0 leaves inline strings as they
    # are stored, so its own decoder is applied here, as Excel applies it on opening.
    from openpyxl.utils.escape import unescape
    # A file object: openpyxl judges a path by its extension, the workbook by its content.
    book = openpyxl.load_workbook(open(path, "rb"), read_only=False)
    sheet = book.worksheets[0]
    cells, problems, widths = {}, [], {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            if cell.data_type != "s":
                problems.append("%s is of type %r, not a string" % (cell.coordinate, cell.data_type))
            if cell.number_format != "@":
                problems.append("%s has format %r, not '@'" % (cell.coordinate, cell.number_format))
            del problems[20:]
            cells[(cell.row - 1, cell.column - 1)] = unescape(cell.value)
    for letter, dim in sheet.column_dimensions.items():
        if dim.width:
            widths[column_index_from_string(letter) - 1] = dim.width
    letters, row = coordinate_from_string(sheet.sheet_view.selection[0].activeCell)
    return cells, (row - 1, column_index_from_string(letters) - 1), widths, problems


def read_gnumeric(path):
    ns = {"gnm": "http://www.gnumeric.org/v10.dtd"}
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "book.gnumeric")
        subprocess.run(["ssconvert", path, out], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        with gzip.open(out) as f:
            root = ET.parse(f).getroot()
    sheet = root.find("gnm:Sheets/gnm:Sheet", ns)
    cells, problems, widths = {}, [], {}
    for cell in sheet.iterfind("gnm:Cells/gnm:Cell", ns):
        key = (int(cell.get("Row")), int(cell.get("Col")))
        if cell.get("ValueType") != "60":
            problems.append("cell %s has ValueType %s, not a string" % (key, cell.get("ValueType")))
            del problems[20:]
        cells[key] = cell.text or ""
    for info in sheet.iterfind("gnm:Cols/gnm:ColInfo", ns):
        first = int(info.get("No"))
        chars = float(info.get("Unit")) * 96 / 72 / 7  # points to 7-pixel characters
        for c in range(first, first + int(info.get("Count", "1"))):
            widths[c] = chars
    sel = sheet.find("gnm:Selections", ns)
    return cells, (int(sel.get("CursorRow")), int(sel.get("CursorCol"))), widths, problems


def main():
    reader, path, expected_path = sys.argv[1:4]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    want, want_active = expected_cells(expected)
    got, active, widths, problems = {"xlrd": read_xlrd, "openpyxl": read_openpyxl,
                                     "gnumeric": read_gnumeric}[reader](path)

    for key, text in want.items():
        if key not in got:
            problems.append("cell %s is missing (want %r)" % (key, text[:60]))
        elif got[key] != text:
            problems.append("cell %s holds %r, want %r" % (key, got[key][:60], text[:60]))
        if len(problems) > 20:
            break
    extra = sorted(set(got) - set(want))
    if extra:
        problems.append("%d unexpected cells, first %s = %r" % (len(extra), extra[0], got[extra[0]]))
    if active != want_active:
        problems.append("active cell %s, want %s" % (active, want_active))
    for c, longest in longest_per_column(expected).items():
        width = widths.get(c)
        low, high = min(max(1.0, 0.4 * longest), 250.0), min(256.0, 2.2 * longest + 3)
        if width is None or not low <= width <= high:
            problems.append("column %d width %s outside [%.1f, %.1f] for %d characters"
                            % (c, width, low, high, longest))

    if problems:
        print("\n".join(problems[:25]))
        return 1
    print("OK %s: %d cells, active %s" % (reader, len(got), active))
    return 0


if __name__ == "__main__":
    sys.exit(main())
