#!/usr/bin/python3
"""Reads an .xls workbook back and compares it with what the test expected.

    check_xls.py WORKBOOK.xls EXPECTED.json

The cells are read with xlrd, an independent reader. Besides, the container
and the record structure are checked here by hand, because xlrd skips what
Excel relies on: the FAT and DIFAT chains of the compound document, the
record size limit, the SST's CONTINUE records and EXTSST buckets, and the
INDEX, DBCELL and ROW records of every sheet.

EXPECTED.json:
  {"sheets": [{"name": "Sayfa1", "rows": [[cell, ...], ...]}, ...],
   "formats": ["General", "#,##0.00", ...]   optional, number format of each
                                             column in the first data row
   "header_bold": true,                      optional
   "min_file_size": 7000000,                 optional
   "expect_difat": true,                     optional: DIFAT sectors in use
   "expect_sst_continue": true}              optional
  cell: null (empty), ["s", text], ["n", number], ["b", bool],
        ["e", error code], ["d", [y, m, d, h, mi, s]] (a date cell; y, m, d 0 for
        a time of day)

Exit status 0 when everything matches; otherwise the differences are printed.
"""
import datetime
import json
import os
import struct
import sys

import xlrd

MAX_RECORD_DATA = 8224
FREESECT, ENDOFCHAIN, FATSECT, DIFSECT = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFC
CELL_RECORDS = {0x0203: "NUMBER", 0x027E: "RK", 0x00FD: "LABELSST", 0x0205: "BOOLERR",
                0x0201: "BLANK", 0x00BD: "MULRK", 0x0006: "FORMULA", 0x0204: "LABEL"}


class Problems:
    def __init__(self):
        self.items = []

    def add(self, text):
        self.items.append(text)

    def check(self, condition, text):
        if not condition:
            self.add(text)
        return condition


# ---- Compound document ------------------------------------------------------

def read_workbook_stream(data, p):
    """Follows the header, DIFAT, FAT and directory; returns the stream."""
    if not p.check(data[:8] == b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "no compound document signature"):
        return None
    (minor, major, order, sshift, mshift) = struct.unpack_from("<5H", data, 24)
    p.check((major, order, sshift, mshift) == (3, 0xFFFE, 9, 6), "unexpected header fields")
    (ndir, nfat, dirstart, _sig, cutoff, minifat, nminifat, difatstart, ndifat) = \
        struct.unpack_from("<9I", data, 40)
    p.check(cutoff == 4096, "mini stream cutoff %d" % cutoff)
    p.check(len(data) % 512 == 0, "file size %d is not whole sectors" % len(data))
    nsectors = len(data) // 512 - 1

    def sector(i):
        return data[512 + 512 * i: 1024 + 512 * i]

    # DIFAT: 109 slots in the header, then a chain of DIFAT sectors.
    difat = list(struct.unpack_from("<109I", data, 76))
    difat_sectors = []
    s = difatstart
    while s != ENDOFCHAIN and len(difat_sectors) <= nsectors:
        if not p.check(s < nsectors, "DIFAT chain points outside the file"):
            return None
        difat_sectors.append(s)
        ids = struct.unpack("<128I", sector(s))
        difat.extend(ids[:127])
        s = ids[127]
    p.check(len(difat_sectors) == ndifat, "header counts %d DIFAT sectors, chain has %d"
            % (ndifat, len(difat_sectors)))
    fat_sectors = [x for x in difat if x != FREESECT]
    p.check(all(x == FREESECT for x in difat[len(fat_sectors):]), "gap in the DIFAT")
    p.check(len(fat_sectors) == nfat, "header counts %d FAT sectors, DIFAT lists %d"
            % (nfat, len(fat_sectors)))
    fat = []
    for s in fat_sectors:
        fat.extend(struct.unpack("<128I", sector(s)))
    p.check(len(fat) >= nsectors, "the FAT does not cover the file")
    for s in fat_sectors:
        p.check(fat[s] == FATSECT, "FAT sector %d not marked as such" % s)
    for s in difat_sectors:
        p.check(fat[s] == DIFSECT, "DIFAT sector %d not marked as such" % s)

    owner = {}

    def chain(start, what):
        out = []
        s = start
        while s != ENDOFCHAIN:
            if not p.check(s < nsectors, "%s chain leaves the file" % what):
                return out
            if not p.check(s not in owner, "sector %d used by %s and %s" % (s, owner.get(s), what)):
                return out
            owner[s] = what
            out.append(s)
            s = fat[s]
        return out

    for s in fat_sectors:
        owner[s] = "FAT"
    for s in difat_sectors:
        owner[s] = "DIFAT"
    directory = b"".join(sector(s) for s in chain(dirstart, "directory"))
    entries = {}
    for i in range(len(directory) // 128):
        e = directory[128 * i: 128 * i + 128]
        namelen = struct.unpack_from("<H", e, 64)[0]
        name = e[:max(0, namelen - 2)].decode("utf-16-le")
        etype = e[66]
        start, size = struct.unpack_from("<IQ", e, 116)
        if etype:
            entries[name] = (etype, start, size)
    p.check(entries.get("Root Entry", (0,))[0] == 5, "no root entry")
    if not p.check("Workbook" in entries, "no Workbook stream"):
        return None
    _t, start, size = entries["Workbook"]
    p.check(size >= 4096, "Workbook stream of %d bytes belongs in the mini stream" % size)
    sectors = chain(start, "Workbook")
    p.check(len(sectors) == (size + 511) // 512, "Workbook chain has %d sectors for %d bytes"
            % (len(sectors), size))
    for s in range(nsectors):
        p.check(s in owner or fat[s] == FREESECT, "sector %d is lost" % s)
    stream = b"".join(sector(s) for s in sectors)[:size]
    return stream, len(difat_sectors)


# ---- Records ----------------------------------------------------------------

def records(stream, start, p):
    """(position, type, data) from start up to and including the next EOF."""
    pos = start
    while pos + 4 <= len(stream):
        rtype, length = struct.unpack_from("<HH", stream, pos)
        p.check(length <= MAX_RECORD_DATA, "record %04X at %d has %d bytes" % (rtype, pos, length))
        yield pos, rtype, stream[pos + 4: pos + 4 + length]
        pos += 4 + length
        if rtype == 0x000A:
            return
    p.add("no EOF after %d" % start)


def check_sst(stream, p):
    """Parses SST and its CONTINUE records by hand; checks EXTSST against it."""
    recs = list(records(stream, 0, p))
    at = [i for i, r in enumerate(recs) if r[1] == 0x00FC]
    if not p.check(len(at) == 1, "expected one SST record"):
        return [], 0
    i = at[0]
    parts = [recs[i]]
    while recs[i + len(parts)][1] == 0x003C:
        parts.append(recs[i + len(parts)])
    extsst = recs[i + len(parts)]
    p.check(extsst[1] == 0x00FF, "EXTSST does not follow the SST")
    total, unique = struct.unpack_from("<II", parts[0][2], 0)

    part, off = 0, 8
    strings, starts = [], []

    def data():
        return parts[part][2]

    for _ in range(unique):
        if off >= len(data()):
            part, off = part + 1, 0
        pos = parts[part][0] + 4 + off
        if not p.check(off + 3 <= len(data()), "string header split at %d" % pos):
            return strings, len(parts) - 1
        starts.append((pos, off + 4))
        cch, flags = struct.unpack_from("<HB", data(), off)
        p.check(flags & ~1 == 0, "unexpected string flags %02X" % flags)
        off += 3
        chunks, done = [], 0
        while True:
            size = 2 if flags & 1 else 1
            n = min(cch - done, (len(data()) - off) // size)
            raw = data()[off: off + n * size]
            chunks.append(raw.decode("utf-16-le") if size == 2 else raw.decode("latin-1"))
            off += len(raw)
            done += n
            if done >= cch:
                break
            if not p.check(off == len(data()), "string stops inside a record at %d" % pos):
                break
            part, off = part + 1, 0
            if part >= len(parts):
                p.add("SST ends inside a string")
                return strings, len(parts) - 1
            flags = data()[0]
            off = 1
        strings.append("".join(chunks))

    p.check(part == len(parts) - 1 and off == len(data()), "bytes left after the SST strings")
    # EXTSST: every dsst-th string's stream position and offset in its record.
    dsst = struct.unpack_from("<H", extsst[2], 0)[0]
    buckets = (len(extsst[2]) - 2) // 8
    p.check(buckets == (unique + dsst - 1) // dsst if unique else buckets == 0,
            "EXTSST has %d buckets for %d strings of %d" % (buckets, unique, dsst))
    p.check(buckets <= 128, "EXTSST has more than 128 buckets")
    for b in range(buckets):
        ib, cb, _r = struct.unpack_from("<IHH", extsst[2], 2 + 8 * b)
        if b * dsst < len(starts):
            p.check((ib, cb) == starts[b * dsst], "EXTSST bucket %d points at %d/%d, string at %s"
                    % (b, ib, cb, starts[b * dsst]))
    return strings, len(parts) - 1


def check_sheet(stream, offset, p, label):
    """INDEX, DIMENSIONS, ROW, DBCELL and cell records of one sheet."""
    recs = list(records(stream, offset, p))
    by_pos = {r[0]: r for r in recs}
    p.check(recs[0][1] == 0x0809 and struct.unpack_from("<H", recs[0][2], 2)[0] == 0x10,
            "%s does not start with a worksheet BOF" % label)
    if not p.check(recs[1][1] == 0x020B, "%s: no INDEX after BOF" % label):
        return
    _res, rw_mic, rw_mac, ib_xf = struct.unpack_from("<4I", recs[1][2], 0)
    dbcells = [struct.unpack_from("<I", recs[1][2], 16 + 4 * i)[0]
               for i in range((len(recs[1][2]) - 16) // 4)]
    p.check(by_pos.get(ib_xf, (0, 0))[1] == 0x0055, "%s: INDEX does not point at DEFCOLWIDTH" % label)

    dims = [r for r in recs if r[1] == 0x0200]
    rows = [r for r in recs if r[1] == 0x0208]
    cells = [r for r in recs if r[1] in CELL_RECORDS]
    p.check(len(dims) == 1, "%s: expected one DIMENSIONS" % label)
    first_cell = {}
    cols = {}
    for pos, _t, d in cells:
        rw, col = struct.unpack_from("<HH", d, 0)
        first_cell.setdefault(rw, pos)
        cols.setdefault(rw, []).append(col)
    if cells:
        used = sorted(cols)
        lo = min(min(c) for c in cols.values())
        hi = max(max(c) for c in cols.values()) + 1
        expect = (used[0], used[-1] + 1, lo, hi)
    else:
        expect = (0, 0, 0, 0)
    if dims:
        got = struct.unpack_from("<IIHH", dims[0][2], 0)
        p.check(got == expect, "%s: DIMENSIONS %s, cells span %s" % (label, got, expect))
    p.check((rw_mic, rw_mac) == expect[:2], "%s: INDEX rows %s, cells span %s"
            % (label, (rw_mic, rw_mac), expect[:2]))

    row_recs = {}
    for pos, _t, d in rows:
        rw, col_mic, col_mac = struct.unpack_from("<HHH", d, 0)
        row_recs[rw] = pos
        c = cols.get(rw, [])
        p.check(c and (col_mic, col_mac) == (min(c), max(c) + 1),
                "%s: ROW %d spans %s, cells %s" % (label, rw, (col_mic, col_mac), c[:3]))
    p.check(sorted(row_recs) == sorted(cols), "%s: ROW records and rows with cells differ" % label)

    seen_rows = []
    for db in dbcells:
        rec = by_pos.get(db)
        if not p.check(rec and rec[1] == 0x00D7, "%s: INDEX entry %d is not a DBCELL" % (label, db)):
            continue
        back = struct.unpack_from("<I", rec[2], 0)[0]
        offsets = struct.unpack_from("<%dH" % ((len(rec[2]) - 4) // 2), rec[2], 4)
        if back == 0:  # a block without cells
            p.check(not offsets, "%s: DBCELL at %d lists rows of an empty block" % (label, db))
            continue
        first_row = db - back
        p.check(0 < len(offsets) <= 32, "%s: DBCELL at %d lists %d rows" % (label, db, len(offsets)))
        if not p.check(by_pos.get(first_row, (0, 0))[1] == 0x0208,
                       "%s: DBCELL at %d does not point back at a ROW" % (label, db)):
            continue
        cell = first_row + 20
        for k, delta in enumerate(offsets):
            row_pos = first_row + 20 * k
            rr = by_pos.get(row_pos)
            if not p.check(rr and rr[1] == 0x0208, "%s: block at %d has fewer ROWs" % (label, first_row)):
                break
            rw = struct.unpack_from("<H", rr[2], 0)[0]
            seen_rows.append(rw)
            cell += delta
            p.check(first_cell.get(rw) == cell, "%s: DBCELL offset of row %d points at %d, first cell at %s"
                    % (label, rw, cell, first_cell.get(rw)))
        after = by_pos.get(first_row + 20 * len(offsets))
        p.check(after and after[1] != 0x0208, "%s: block at %d has more ROWs than DBCELL lists"
                % (label, first_row))
    p.check(sorted(seen_rows) == sorted(row_recs), "%s: DBCELLs cover %d of %d rows"
            % (label, len(seen_rows), len(row_recs)))
    blocks = (rw_mac - 1) // 32 - rw_mic // 32 + 1 if rw_mac else 0
    p.check(len(dbcells) == blocks, "%s: INDEX lists %d DBCELLs for %d blocks of rows"
            % (label, len(dbcells), blocks))


# ---- Cells ------------------------------------------------------------------

def excel_serial(parts):
    y, m, d, hh, mi, ss = (list(parts) + [0, 0, 0])[:6]
    days = (datetime.date(y, m, d) - datetime.date(1899, 12, 30)).days if y else 0  # 0: a time
    return days + (hh * 3600 + mi * 60 + ss) / 86400.0


def compare_cell(book, sheet, r, c, want, p, label):
    where = "%s!R%dC%d" % (label, r + 1, c + 1)
    if r >= sheet.nrows or c >= sheet.ncols:
        ctype, value = xlrd.XL_CELL_EMPTY, ""
    else:
        ctype, value = sheet.cell_type(r, c), sheet.cell_value(r, c)
    if want is None:
        p.check(ctype == xlrd.XL_CELL_EMPTY, "%s: expected empty, got %r (type %d)" % (where, value, ctype))
        return
    kind, x = want
    if kind == "s":
        p.check(ctype == xlrd.XL_CELL_TEXT and value == x, "%s: expected text %r, got %r (type %d)"
                % (where, x[:60], value if not isinstance(value, str) else value[:60], ctype))
    elif kind == "n":
        p.check(ctype == xlrd.XL_CELL_NUMBER and value == x, "%s: expected number %r, got %r (type %d)"
                % (where, x, value, ctype))
    elif kind == "b":
        p.check(ctype == xlrd.XL_CELL_BOOLEAN and value == int(x), "%s: expected Boolean %r, got %r (type %d)"
                % (where, x, value, ctype))
    elif kind == "e":
        p.check(ctype == xlrd.XL_CELL_ERROR and value == x, "%s: expected error %r, got %r (type %d)"
                % (where, x, value, ctype))
    elif kind == "d":
        serial = excel_serial(x)
        if not p.check(ctype == xlrd.XL_CELL_DATE and abs(value - serial) < 1e-9,
                       "%s: expected date %r (%r), got %r (type %d)" % (where, x, serial, value, ctype)):
            return
        got = xlrd.xldate_as_tuple(value, book.datemode)
        p.check(list(got) == (list(x) + [0, 0, 0])[:6], "%s: date reads as %r, expected %r"
                % (where, got, x))
    else:
        p.add("%s: unknown expectation %r" % (where, want))


def main():
    path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    p = Problems()
    with open(path, "rb") as f:
        data = f.read()
    if "min_file_size" in expected:
        p.check(len(data) >= expected["min_file_size"], "file is only %d bytes" % len(data))

    got = read_workbook_stream(data, p)
    if got:
        stream, ndifat = got
        if expected.get("expect_difat"):
            p.check(ndifat > 0, "no DIFAT sectors in use")
        strings, continues = check_sst(stream, p)
        if expected.get("expect_sst_continue"):
            p.check(continues > 0, "the SST has no CONTINUE records")
        bound = [r for r in records(stream, 0, p) if r[1] == 0x0085]
        for i, (_pos, _t, d) in enumerate(bound):
            check_sheet(stream, struct.unpack_from("<I", d, 0)[0], p, "sheet %d" % (i + 1))

    formatting = bool(expected.get("formats") or expected.get("header_bold"))
    book = xlrd.open_workbook(path, formatting_info=formatting, on_demand=True)
    if got:
        p.check(book._sharedstrings == strings, "xlrd reads other shared strings than the SST parse")
    want_sheets = expected["sheets"]
    p.check(book.sheet_names() == [s["name"] for s in want_sheets], "sheet names %r, expected %r"
            % (book.sheet_names(), [s["name"] for s in want_sheets]))
    for sheet, want in zip(book.sheets(), want_sheets):
        rows = want["rows"]
        used = [i for i, row in enumerate(rows) if any(v is not None for v in row)]
        p.check(sheet.nrows == (used[-1] + 1 if used else 0), "%s has %d rows, expected %d"
                % (want["name"], sheet.nrows, used[-1] + 1 if used else 0))
        for r, row in enumerate(rows):
            for c, cell in enumerate(row):
                compare_cell(book, sheet, r, c, cell, p, want["name"])
            if len(p.items) > 40:
                break
        if formatting:
            for c in range(sheet.ncols):
                width = sheet.colinfo_map[c].width if c in sheet.colinfo_map else 0
                p.check(width >= 6 * 256, "%s column %d is only %d wide" % (want["name"], c + 1, width))
        if expected.get("header_bold"):
            for c in range(sheet.ncols):
                if sheet.cell_type(0, c) == xlrd.XL_CELL_TEXT:
                    xf = book.xf_list[sheet.cell_xf_index(0, c)]
                    p.check(book.font_list[xf.font_index].weight == 700, "%s header C%d is not bold"
                            % (want["name"], c + 1))
    if expected.get("formats") and book.nsheets and book.sheet_by_index(0).nrows > 1:
        sheet = book.sheet_by_index(0)
        for c, code in enumerate(expected["formats"]):
            if code is None or sheet.cell_type(1, c) == xlrd.XL_CELL_EMPTY:
                continue
            xf = book.xf_list[sheet.cell_xf_index(1, c)]
            got_code = book.format_map[xf.format_key].format_str
            p.check(got_code == code, "column %d has format %r, expected %r" % (c + 1, got_code, code))

    if p.items:
        for line in p.items[:40]:
            print(line)
        if len(p.items) > 40:
            print("... and %d more" % (len(p.items) - 40))
        return 1
    print("ok: %d sheet(s), %d bytes" % (book.nsheets, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
