#!/usr/bin/python3
"""Reads a CSV or JSON list back with independent readers and compares it with what was written.

check_table.py csv FILE EXPECTED.json   Python's csv module
check_table.py json FILE EXPECTED.json  Python's json module and python3 -m json.tool
check_table.py xls FILE EXPECTED.json   xlrd, as the xlsx check
check_table.py xlsx FILE EXPECTED.json  openpyxl: a bold header row, then typed cells (numbers,
                                        dates, [m]:ss durations, text), the last name selected

LibreOffice Calc reads a CSV list in check_workbook.py's one office, which opens it with
CALC_CSV_OPTIONS and saves it as .xlsx; check_calc_workbook then reads that with openpyxl.

EXPECTED.json: {"columns": [...], "rows": [[...], ...]}, each value as the JSON list holds it
(text, numbers, the modified time in ISO 8601 with its offset, null for nothing). Prints each
problem and exits 1 when there is one."""
import csv
import datetime
import json
import subprocess
import sys

TEXT = {"name", "folder", "artist", "title", "album"}


def csv_text(column, value):
    if value is None:
        return ""
    if column == "modified":
        return value[:10] + " " + value[11:19]
    if column == "duration":
        return "%d:%02d:%02d" % (value // 3600, value // 60 % 60, value % 60)
    return str(value)


def exact(column, text):
    """What a script does to get the exact text back: one added apostrophe goes."""
    return text[1:] if column in TEXT and text.startswith("'") else text


def check_csv(path, want):
    problems = []
    raw = open(path, "rb").read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        problems.append("no byte-order mark")
    if raw.replace(b"\r\n", b"").count(b"\n") != sum(str(v).count("\n") for r in want["rows"] for v in r):
        problems.append("a line ends without CR LF")
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f, strict=True))
    if rows[0] != want["columns"]:
        problems.append("header %r" % rows[0])
    if len(rows) - 1 != len(want["rows"]):
        problems.append("%d rows, not %d" % (len(rows) - 1, len(want["rows"])))
    for got, row in zip(rows[1:], want["rows"]):
        for column, text, value in zip(want["columns"], got, row):
            if text.startswith(("=", "+", "-", "@", "\t", "\r")) and column in TEXT:
                problems.append("%r could run as a formula" % text)
            if exact(column, text) != csv_text(column, value):
                problems.append("%s: %r, not %r" % (column, text, csv_text(column, value)))
    return problems


def check_json(path, want):
    problems = []
    tool = subprocess.run([sys.executable, "-m", "json.tool", path], capture_output=True, text=True)
    if tool.returncode != 0:
        problems.append("json.tool: " + tool.stderr.strip())
    with open(path, encoding="utf-8") as f:
        got = json.load(f)
    expected = [dict(zip(want["columns"], row)) for row in want["rows"]]
    if got != expected:
        problems.append("read %r\nwanted %r" % (got, expected))
    for obj in got:
        if list(obj) != want["columns"]:
            problems.append("members in the order %r" % list(obj))
        for column in ("size", "duration", "track", "year"):
            if obj.get(column) is not None and type(obj[column]) is not int:
                problems.append("%s is no number: %r" % (column, obj[column]))
        if obj.get("modified") is not None:
            datetime.datetime.fromisoformat(obj["modified"])  # ISO 8601 with its offset, or it raises
    return problems


# Comma, quote, UTF-8, from line 1, special numbers detected, formulas evaluated: as a user opens a
# CSV file, and the way that would run a formula if the list held one.
CALC_CSV_OPTIONS = "44,34,76,1,,0,false,true,false,false,false,-1,true"

# A control opened beside the list: a bare formula, which Calc must run, or the check proves nothing.
CONTROL_CSV = "name\r\n=1+1\r\n"


def check_calc_workbook(workbook, control, want):
    """The CSV list as Calc opened it (saved as .xlsx at workbook) against want; control: the
    control's .xlsx."""
    import openpyxl
    problems = []
    try:
        sheet = openpyxl.load_workbook(workbook).active
        control_cell = openpyxl.load_workbook(control).active["A2"]
    except FileNotFoundError as e:
        return ["LibreOffice made nothing: %s" % e]
    if control_cell.data_type != "f":
        problems.append("LibreOffice ran no formula even in the control: the check proves nothing")
    return problems + check_cells(sheet, want)


def check_cells(sheet, want, text_of=str):
    """Rows from the sheet's second row, each value in a cell of its type; text_of reads a text
    cell's value."""
    problems = []
    for r, row in enumerate(want["rows"], start=2):
        for c, (column, value) in enumerate(zip(want["columns"], row), start=1):
            cell = sheet.cell(row=r, column=c)
            if cell.data_type == "f":
                problems.append("%s became the formula %r" % (column, cell.value))
            elif value is None or value == "":
                if cell.value not in (None, ""):
                    problems.append("%s: %r, not empty" % (column, cell.value))
            elif column in TEXT:
                if exact(column, text_of(cell.value)) != value and text_of(cell.value) != value:
                    problems.append("%s: %r, not %r" % (column, cell.value, value))
            elif column in ("size", "track", "year"):
                if not isinstance(cell.value, (int, float)) or cell.value != value:
                    problems.append("%s: %r is no number %r" % (column, cell.value, value))
            elif column == "modified":
                if not isinstance(cell.value, datetime.datetime) or cell.value.isoformat() != value[:19]:
                    problems.append("modified: %r is no date %s" % (cell.value, value))
            elif column == "duration":
                seconds = (cell.value.hour * 3600 + cell.value.minute * 60 + cell.value.second
                           if isinstance(cell.value, datetime.time) else
                           round(cell.value.total_seconds()) if isinstance(cell.value, datetime.timedelta) else
                           round((cell.value - datetime.datetime(1899, 12, 30)).total_seconds())
                           if isinstance(cell.value, datetime.datetime) else None)
                if seconds != value:
                    problems.append("duration: %r is not %d s" % (cell.value, value))
    return problems


def check_xlsx(path, want):
    """A workbook written with columns, one block of rows."""
    import openpyxl
    sheet = openpyxl.load_workbook(path).active
    problems = []
    for c, column in enumerate(want["columns"], start=1):
        cell = sheet.cell(row=1, column=c)
        if cell.value != column or not cell.font.b:
            problems.append("header %d: %r (bold %s), not %r in bold" % (c, cell.value, cell.font.b, column))
    for r in range(2, len(want["rows"]) + 2):
        for c, column in enumerate(want["columns"], start=1):
            cell = sheet.cell(row=r, column=c)
            if column in TEXT and cell.value is not None and cell.data_type != "s":
                problems.append("%s in row %d is no text: %r" % (column, r, cell.value))
            if column == "size" and cell.value is not None and cell.number_format != "#,##0":
                problems.append("size shown as %r" % cell.number_format)
            if column == "duration" and cell.value is not None and cell.number_format != "[m]:ss":
                problems.append("duration shown as %r" % cell.number_format)
    if "name" in want["columns"] and want["rows"]:
        name_cell = "%s%d" % (chr(ord("A") + want["columns"].index("name")), len(want["rows"]) + 1)
        if sheet.sheet_view.selection[0].activeCell != name_cell:
            problems.append("%s selected, not %s" % (sheet.sheet_view.selection[0].activeCell, name_cell))
    # openpyxl leaves the format's escapes of control characters (_x000D_) as they stand.
    from openpyxl.utils.escape import unescape
    return problems + check_cells(sheet, want, lambda v: unescape(str(v)))


def check_xls(path, want):
    """A .xls workbook written with columns, one block of rows, read by xlrd."""
    import xlrd
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    problems = []

    def bold(r, c):
        return book.font_list[book.xf_list[sheet.cell_xf_index(r, c)].font_index].bold

    for c, column in enumerate(want["columns"]):
        if sheet.cell_value(0, c) != column or not bold(0, c):
            problems.append("header %d: %r, not %r in bold" % (c, sheet.cell_value(0, c), column))
    kinds = {"size": xlrd.XL_CELL_NUMBER, "track": xlrd.XL_CELL_NUMBER, "year": xlrd.XL_CELL_NUMBER,
             "modified": xlrd.XL_CELL_DATE, "duration": xlrd.XL_CELL_DATE}
    for r, row in enumerate(want["rows"], start=1):
        for c, (column, value) in enumerate(zip(want["columns"], row)):
            cell = sheet.cell(r, c) if r < sheet.nrows and c < sheet.ncols else None
            if value is None or value == "":
                if cell is not None and cell.value not in (None, ""):
                    problems.append("%s: %r, not empty" % (column, cell.value))
                continue
            if cell is None or cell.ctype != kinds.get(column, xlrd.XL_CELL_TEXT):
                problems.append("%s in row %d: %r is not of its type" % (column, r + 1, cell))
                continue
            got = cell.value
            if column == "modified":
                got = xlrd.xldate_as_datetime(got, book.datemode).isoformat()
                value = value[:19]
            elif column == "duration":
                got = round(got * 86400)
            if got != value:
                problems.append("%s: %r, not %r" % (column, got, value))
    return problems


def main():
    kind, path, expected = sys.argv[1:4]
    with open(expected, encoding="utf-8") as f:
        want = json.load(f)
    problems = {"csv": check_csv, "json": check_json, "xls": check_xls, "xlsx": check_xlsx}[kind](path, want)
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
