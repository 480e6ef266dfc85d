#!/usr/bin/python3
"""Writes the example sheet padded with bytes that no run uses, to show that
a run's memory follows what it reads, not the size of the file.

    make_padded_sheets.py OUTPUT_DIR [--mib N]

writes into OUTPUT_DIR, each with its column map (.ini, the example's):

  strings.xlsx  the example workbook whose shared strings end in N MiB of
                empty <si/> items (a few hundred KiB of zip);
  cells.xlsx    the example workbook with N MiB of rows of 16 384 empty
                <c/> cells after the signal rows;
  cells.csv     the example sheet as text with N MiB of rows of 16 384
                one-character cells after the signal rows.

Every one gives the outputs of the example, byte for byte.
"""
import argparse
import os
import shutil
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORKBOOK = os.path.join(ROOT, "examples", "ds447-taxi-signals.xlsx")
COLUMN_MAP = os.path.join(ROOT, "examples", "ds447-taxi-signals.ini")
TEXT = os.path.join(ROOT, "examples", "source", "Signals.csv")
COLUMNS = 16384
CHUNK = 1 << 20


def repeated(unit, total):
    """unit repeated up to total bytes, in chunks."""
    chunk = unit * max(1, CHUNK // len(unit))
    left = total - total % len(unit)
    while left > 0:
        piece = chunk[:left]
        yield piece
        left -= len(piece)


def padded_workbook(path, part, marker, padding):
    """The example workbook with padding (chunks) put before marker in part."""
    with zipfile.ZipFile(WORKBOOK) as source, \
            zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as target:
        for info in source.infolist():
            data = source.read(info)
            if info.filename != part:
                target.writestr(info, data, zipfile.ZIP_DEFLATED)
                continue
            at = data.rindex(marker)
            padded = zipfile.ZipInfo(info.filename, info.date_time)
            padded.compress_type = zipfile.ZIP_DEFLATED
            with target.open(padded, "w", force_zip64=True) as out:
                out.write(data[:at])
                for chunk in padding:
                    out.write(chunk)
                out.write(data[at:])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("directory")
    parser.add_argument("--mib", type=int, default=250)
    arguments = parser.parse_args()
    size = arguments.mib << 20
    os.makedirs(arguments.directory, exist_ok=True)
    out = lambda name: os.path.join(arguments.directory, name)

    padded_workbook(out("strings.xlsx"), "xl/sharedStrings.xml", b"</sst>", repeated(b"<si/>", size))
    row = b"<row>" + b"<c/>" * COLUMNS + b"</row>"
    padded_workbook(out("cells.xlsx"), "xl/worksheets/sheet1.xml", b"</sheetData>", repeated(row, size))
    with open(TEXT, "rb") as source, open(out("cells.csv"), "wb") as target:
        target.write(source.read())
        for chunk in repeated(b",".join([b"a"] * COLUMNS) + b"\n", size):
            target.write(chunk)
    for stem in ("strings", "cells"):
        shutil.copyfile(COLUMN_MAP, out(stem + ".ini"))


if __name__ == "__main__":
    main()
