#!/usr/bin/python3
"""Writes a synthetic CiA 447 signal sheet with its column map.

    make_sheet.py SIGNALS OUTPUT_STEM [--xlsx] [--seed N]

writes OUTPUT_STEM.csv (always), OUTPUT_STEM.xlsx (with --xlsx, sheet
"Signals") and OUTPUT_STEM.ini. The mix is realistic: 4 to 8 signals per
object, about 10 % command signals, about 5 % objects wider than 32 bits,
about 3 % reserved rows and a few duplicate names.
"""
import argparse
import csv
import random

COLUMNS = ["ObjectIndex", "SignalName", "ObjectSize", "ObjectSubIndex", "SignalOffset",
           "SignalSize", "SignalReserved", "SignalIsUsed", "CommandOrStatus",
           "IsUsedButNotImplemented", "IsUsedStatus", "IsUsedCommand", "ObjectName",
           "SignalNameShort", "IsUsedPDO"]


def rows(count, rng):
    produced = 0
    index, sub = 0x6000, 1
    while produced < count:
        wide = rng.random() < 0.05
        command = rng.random() < 0.10
        object_size = 64 if wide else rng.choice([8, 16, 32, 32, 32])
        signals = min(rng.randint(4, 8), count - produced)
        offset = 0
        object_name = "Object %04X sub %X" % (index, sub)
        for n in range(signals):
            remaining = object_size - offset
            if remaining <= 0:
                break
            size = max(1, min(remaining, rng.choice([1, 1, 2, 4, 8]) if object_size <= 32
                              else rng.choice([8, 16])))
            reserved = rng.random() < 0.03
            name = "sig_%x_%x_%d" % (index, sub, n)
            if rng.random() < 0.002:
                name = "duplicate_name"
            yield [
                "%X" % index, name, str(object_size), "%X" % sub, str(offset), str(size),
                "x" if reserved else "", "x", "x" if command else "",
                "", "" if command else "x", "x" if command else "",
                object_name, "s%d_%d" % (produced, n), "",
            ]
            produced += 1
            offset += size
        sub += 1
        if sub > 0x20:
            sub = 1
            index += 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("signals", type=int)
    parser.add_argument("stem")
    parser.add_argument("--xlsx", action="store_true")
    parser.add_argument("--seed", type=int, default=447)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    data = list(rows(args.signals, rng))

    with open(args.stem + ".csv", "w", newline="", encoding="utf-8") as out:
        writer = csv.writer(out)
        writer.writerow(COLUMNS)
        writer.writerows(data)

    with open(args.stem + ".ini", "w", encoding="utf-8") as ini:
        ini.write("[XLSImport]\nSkipRows=1\n")
        for number, key in enumerate(COLUMNS):
            ini.write("%s=%d\n" % (key, number))

    if args.xlsx:
        import openpyxl  # Debian package python3-openpyxl
        book = openpyxl.Workbook(write_only=True)
        sheet = book.create_sheet("Signals")
        sheet.append(COLUMNS)
        # Numbers go in as numbers, the way a sheet author types them.
        for row in data:
            sheet.append([int(cell) if cell.isdigit() else cell for cell in row])
        book.save(args.stem + ".xlsx")


if __name__ == "__main__":
    main()
