#!/usr/bin/python3
"""Reads a workbook with an independent reader and checks it against the names that were saved.

usage: check_workbook.py READER WORKBOOK EXPECTED.json [WORKBOOK EXPECTED.json ...]
  READER    xlrd (.xls), openpyxl (.xlsx), gnumeric (either, through ssconvert) or libreoffice
            (either, HTML pages and CSV lists: LibreOffice Calc, every file at one start)
  EXPECTED  {"edition": "full"|"lite"|"page", "names": [...]}: the text each name's cell must show;
            or, for a CSV list, {"edition": "table", "table": TABLE.json}: check_table.py's
            expectation, checked there (check_calc_workbook)
Prints "OK ..." and exits 0, or prints what differs and exits 1.
"""
import csv
import gzip
import json
import os
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

PER_COLUMN = 65534
ROWS_IN_VIEW = 20  # the rows even a small window shows: the active cell must be among them


def expected_cells(expected):
    if expected["edition"] == "page":
        # An HTML list, as a spreadsheet application imports it: the title paragraph in row 1,
        # then a name per row, its blanks collapsed as HTML collapses them.
        return {(1 + k, 0): " ".join(name.split()) for k, name in enumerate(expected["names"])}, None
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
    if expected["edition"] == "page":
        return {}
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
    active, pos, bofs, sheet_records = None, 0, 0, []
    while pos + 4 <= len(stream):
        rid, size = struct.unpack_from("<HH", stream, pos)
        if rid == 0x0809:
            bofs += 1
        if bofs == 2:
            sheet_records.append((pos, rid, stream[pos + 4:pos + 4 + size]))
        if rid == 0x001D and bofs == 2:
            _, row, col = struct.unpack_from("<BHH", stream, pos + 4)
            active = (row, col)
        pos += 4 + size
    problems += cell_table_problems(sheet_records)
    view = (sheet.first_visible_rowx, sheet.first_visible_colx)
    return cells, active, widths, problems, view


def cell_table_problems(records):
    """The cell table as Excel lays it out: INDEX after BOF, rows in blocks of 32, each block
    its ROW records, its cells row by row and a DBCELL whose offsets lead to the block's first
    ROW record and to each row's first cell."""
    at = {pos: (rid, data) for pos, rid, data in records}
    ROW, DBCELL, INDEX, LABELSST = 0x0208, 0x00D7, 0x020B, 0x00FD
    if len(records) < 2 or records[1][1] != INDEX:
        return ["no INDEX record after the worksheet's BOF"]
    problems = []
    index = records[1][2]
    rw_mic, rw_mac, ib_xf = struct.unpack_from("<III", index, 4)
    dbcells = list(struct.unpack_from("<%dI" % ((len(index) - 16) // 4), index, 16))
    if at.get(ib_xf, (None,))[0] != 0x0055:
        problems.append("INDEX does not point at DEFCOLWIDTH")
    cell_rows = [struct.unpack_from("<H", data)[0] for _, rid, data in records if rid == LABELSST]
    if (rw_mic, rw_mac) != ((min(cell_rows), max(cell_rows) + 1) if cell_rows else (0, 0)):
        problems.append("INDEX rows %d..%d, cells in rows %s" % (rw_mic, rw_mac, cell_rows[:1] + cell_rows[-1:]))
    found = [pos for pos, rid, _ in records if rid == DBCELL]
    if found != dbcells:
        problems.append("INDEX lists %d DBCELLs, the sheet has %d" % (len(dbcells), len(found)))
    # Walk the blocks in stream order.
    order = [(pos, rid, data) for pos, rid, data in records if rid in (ROW, DBCELL, LABELSST)]
    rows, block_cells, seen_rows = [], {}, set()
    for pos, rid, data in order:
        if rid == ROW:
            if block_cells:
                problems.append("ROW record after cells at %d" % pos)
            rows.append((pos, data))
        elif rid == LABELSST:
            row, col = struct.unpack_from("<HH", data)
            block_cells.setdefault(row, []).append((pos, col))
        else:
            problems += block_problems(pos, data, rows, block_cells, at)
            seen_rows.update(block_cells)
            rows, block_cells = [], {}
        if len(problems) > 10:
            break
    if rows or block_cells:
        problems.append("cells or rows after the last DBCELL")
    if set(cell_rows) - seen_rows:
        problems.append("cells outside every block")
    return problems


def block_problems(pos, data, rows, cells, at):
    problems = []
    row_numbers = [struct.unpack_from("<H", d)[0] for _, d in rows]
    if len(rows) > 32 or len({r // 32 for r in row_numbers}) > 1:
        problems.append("block ending at %d holds rows %s, not one block of 32" % (pos, row_numbers[:3]))
    if sorted(cells) != row_numbers:
        problems.append("block ending at %d: ROW records %s for cell rows %s" % (pos, row_numbers[:3], sorted(cells)[:3]))
        return problems
    for (_, d), row in zip(rows, row_numbers):
        first, end = struct.unpack_from("<HH", d, 2)
        cols = [c for _, c in cells[row]]
        if (first, end) != (min(cols), max(cols) + 1):
            problems.append("ROW %d spans columns %d..%d, its cells %d..%d" % (row, first, end, min(cols), max(cols) + 1))
    to_first_row = struct.unpack_from("<I", data)[0]
    offsets = struct.unpack_from("<%dH" % ((len(data) - 4) // 2), data, 4)
    if not rows:
        if to_first_row != 0 or offsets:
            problems.append("DBCELL at %d of an empty block points somewhere" % pos)
        return problems
    if pos - to_first_row != rows[0][0]:
        problems.append("DBCELL at %d does not lead back to its first ROW record" % pos)
    if len(offsets) != len(rows):
        problems.append("DBCELL at %d has %d cell offsets for %d rows" % (pos, len(offsets), len(rows)))
        return problems
    cell_pos = rows[0][0] + 20
    for row, offset in zip(row_numbers, offsets):
        cell_pos += offset
        if cell_pos != cells[row][0][0]:
            problems.append("DBCELL at %d does not lead to the first cell of row %d" % (pos, row))
            break
    return problems


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
    return cells, (row - 1, column_index_from_string(letters) - 1), widths, problems, None


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
    view = None
    layout = sheet.find("gnm:SheetLayout", ns)
    if layout is not None and path.lower().endswith(".xls"):
        view = cell_from_a1(layout.get("TopLeft"))
    return cells, (int(sel.get("CursorRow")), int(sel.get("CursorCol"))), widths, problems, view


def cell_from_a1(ref):
    letters = "".join(ch for ch in ref if ch.isalpha())
    col = 0
    for ch in letters.upper():
        col = col * 26 + ord(ch) - ord("A") + 1
    return int(ref[len(letters):]) - 1, col - 1


def read_libreoffice(jobs):
    """Every workbook, page and CSV list of jobs [(path, expected)] read by one LibreOffice, started
    once and driven through UNO. A workbook or page is loaded (a page through Calc's own HTML
    import, as Calc opens it) and written as CSV (UTF-8), every cell compared: text cells are all
    it has, so CSV loses nothing. A CSV list is opened as a user opens one and saved as .xlsx for
    check_table.py, which looks at each cell's type."""
    import uno
    from com.sun.star.beans import PropertyValue
    import check_table

    def properties(**values):
        listed = []
        for name, value in values.items():
            p = PropertyValue()
            p.Name, p.Value = name, value
            listed.append(p)
        return tuple(listed)

    results = []
    with tempfile.TemporaryDirectory() as tmp:
        # A profile and a pipe of this run's own: runs that share one collide.
        pipe = "brixel-check-%d" % os.getpid()
        office = subprocess.Popen(
            ["soffice", "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.join(tmp, "profile")),
             "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
             "--accept=pipe,name=%s;urp;" % pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            local = uno.getComponentContext()
            resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
            deadline = time.monotonic() + 300
            while True:
                try:
                    context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                    break
                except Exception:  # not listening yet
                    if office.poll() is not None or time.monotonic() > deadline:
                        raise
                    time.sleep(0.1)
            desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)

            def convert(path, out, load, store):
                doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0,
                                                   properties(Hidden=True, **load))
                doc.storeToURL(uno.systemPathToFileUrl(out), properties(**store))
                doc.close(True)

            csv_load = {"FilterName": "Text - txt - csv (StarCalc)", "FilterOptions": check_table.CALC_CSV_OPTIONS}
            xlsx_store = {"FilterName": "Calc MS Excel 2007 XML"}
            control = None
            for i, (path, expected) in enumerate(jobs):
                if expected["edition"] == "table":
                    out = os.path.join(tmp, "%d.xlsx" % i)
                    try:
                        if control is None:
                            control = os.path.join(tmp, "control.xlsx")
                            with open(os.path.join(tmp, "control.csv"), "w", encoding="utf-8", newline="") as f:
                                f.write(check_table.CONTROL_CSV)
                            convert(os.path.join(tmp, "control.csv"), control, csv_load, xlsx_store)
                        convert(path, out, csv_load, xlsx_store)
                    except Exception as e:
                        results.append(({}, None, None, ["LibreOffice made nothing of %s: %s" % (path, e)], None))
                        continue
                    with open(expected["table"], encoding="utf-8") as f:
                        want = json.load(f)
                    results.append(({}, None, None, check_table.check_calc_workbook(out, control, want), None))
                    continue
                load = {"FilterName": "HTML (StarCalc)"} if expected["edition"] == "page" else {}
                out = os.path.join(tmp, "%d.csv" % i)
                try:
                    convert(path, out, load,
                            {"FilterName": "Text - txt - csv (StarCalc)", "FilterOptions": "44,34,76"})
                except Exception as e:
                    results.append(({}, None, {}, ["LibreOffice made nothing of %s: %s" % (path, e)], None))
                    continue
                cells = {}
                page = expected["edition"] == "page"
                with open(out, encoding="utf-8", newline="") as f:
                    for r, row in enumerate(csv.reader(f)):
                        for c, text in enumerate(row):
                            if page:
                                text = " ".join(text.split()) if r > 0 else ""
                            if text != "":
                                cells[(r, c)] = text
                results.append((cells, None, None, [], None))
            try:
                desktop.terminate()
            except Exception:  # the office is gone already: the bridge says so
                pass
        finally:
            try:
                office.wait(timeout=60)
            except subprocess.TimeoutExpired:
                office.kill()
                office.wait()
    return results


def check(expected, got, active, widths, problems, view):
    want, want_active = expected_cells(expected)
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
    if active is not None and active != want_active:
        problems.append("active cell %s, want %s" % (active, want_active))
    if view is not None:
        # Opened scrolled so the active cell shows; a list within the first screen at the top.
        top, left = view
        row, col = want_active
        in_view = top <= row < top + ROWS_IN_VIEW and left <= col and (row >= ROWS_IN_VIEW or top == 0)
        if not in_view:
            problems.append("the window opens at %s, the active cell %s is out of view" % (view, want_active))
    for c, longest in (longest_per_column(expected).items() if widths is not None else []):
        width = widths.get(c)
        low, high = min(max(1.0, 0.4 * longest), 250.0), min(256.0, 2.2 * longest + 3)
        if width is None or not low <= width <= high:
            problems.append("column %d width %s outside [%.1f, %.1f] for %d characters"
                            % (c, width, low, high, longest))

    return problems


def main():
    reader, pairs = sys.argv[1], sys.argv[2:]
    jobs = []
    for path, expected_path in zip(pairs[0::2], pairs[1::2]):
        with open(expected_path, encoding="utf-8") as f:
            jobs.append((path, json.load(f)))
    if reader == "libreoffice":
        results = read_libreoffice(jobs)
    else:
        results = [{"xlrd": read_xlrd, "openpyxl": read_openpyxl, "gnumeric": read_gnumeric}[reader](path)
                   for path, _ in jobs]
    failed = False
    for (path, expected), (got, active, widths, problems, view) in zip(jobs, results):
        if expected["edition"] != "table":  # a CSV list's were checked as it was read
            problems = check(expected, got, active, widths, problems, view)
        if problems:
            print("%s: %s" % (os.path.basename(path), "\n".join(problems[:25])))
            failed = True
        else:
            print("OK %s %s: %d cells, active %s" % (reader, os.path.basename(path), len(got), active))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
