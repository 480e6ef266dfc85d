#!/usr/bin/python3
"""Builds the seed corpora of the fuzz targets from the files in tests/data.

    fuzz_seeds.py DATA_DIR OUTPUT_DIR [WORKBOOK_DIR]

writes OUTPUT_DIR/<target>/<n> for every target. Zip documents (.xlsx, .ods)
are seeded twice: as they are, and split into their parts in the form the
targets build a zip from ("==> name" line, then the part's bytes), so the
fuzzer can change the XML without breaking the zip's checksums. The .xls
files of WORKBOOK_DIR (when it exists; up to 128 KiB each) seed the .xls
target too.
"""
import os
import sys
import zipfile

PART_MARK = b"\n==> "
ROW_SET_MARK = {1: b"1", 2: b"2"}


def files(data_dir, *extensions):
    for root, _, names in os.walk(data_dir):
        for name in sorted(names):
            if name.lower().endswith(extensions):
                yield os.path.join(root, name)


def read(path):
    with open(path, "rb") as handle:
        return handle.read()


def zip_parts(path):
    try:
        with zipfile.ZipFile(path) as archive:
            return b"".join(PART_MARK + info.filename.encode() + b"\n" + archive.read(info)
                            for info in archive.infolist())
    except zipfile.BadZipFile:
        return None


def main():
    data_dir, out_dir = sys.argv[1], sys.argv[2]
    seeds = {name: [] for name in ("dbc", "xlsx", "ods", "xls", "csv", "column_map", "row")}
    seeds["dbc"] = [read(p) for p in files(data_dir, ".dbc")]
    for target, extensions in (("xlsx", (".xlsx", ".xlsm")), ("ods", (".ods",))):
        for path in files(data_dir, *extensions):
            seeds[target].append(read(path))
            parts = zip_parts(path)
            if parts:
                seeds[target].append(parts)
    seeds["xls"] = [read(p) for p in files(data_dir, ".xls")]
    if len(sys.argv) > 3 and os.path.isdir(sys.argv[3]):
        seeds["xls"] += [read(p) for p in files(sys.argv[3], ".xls") if os.path.getsize(p) <= 128 * 1024]
    seeds["csv"] = [read(p) for p in files(data_dir, ".csv")]
    # Column map and sheet: the ini, a separator line, a csv sheet.
    for ini in files(data_dir, ".ini"):
        sheet = os.path.splitext(ini)[0] + ".csv"
        if os.path.exists(sheet):
            seeds["column_map"].append(read(ini) + b"\n@@\n" + read(sheet))
    # Rows: the column set, then the cells separated by tabs (the csv lines
    # are close enough to cells for seeds).
    for sheet in files(data_dir, ".csv"):
        for line in read(sheet).splitlines()[:40]:
            for column_set in (1, 2):
                seeds["row"].append(ROW_SET_MARK[column_set] + line.replace(b",", b"\t"))
    for target, items in seeds.items():
        directory = os.path.join(out_dir, target)
        os.makedirs(directory, exist_ok=True)
        for number, item in enumerate(items):
            with open(os.path.join(directory, "seed-%03d" % number), "wb") as handle:
                handle.write(item)


if __name__ == "__main__":
    main()
