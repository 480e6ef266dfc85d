#!/usr/bin/python3
"""Wall time of the Windows build under wine against the Linux build, paired.

    measure_wine.py LINUX_PROGRAM WINDOWS_PROGRAM SHEET COLUMN_MAP [ROUNDS]

Each round runs every mode once with each program, in turn (the order
alternates from round to round), on copies of the sheet in directories of
their own, and takes the ratio wine / native of the two wall times. Prints
the median ratio per mode and the medians of the times. The wine prefix is
$WINEPREFIX; its server is started once before the rounds, so that its
start does not count.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

MODES = {
    1: ["-m", "1", "-id", "5", "-idt", "16", "-sdb", "./t.dbc", "-out", "./t.can", "-nme", "Dut", "-tme", "Tester",
        "-deldb"],
    2: ["-m", "2", "-out", "./m.h", "-nme", "Dut", "-tme", "Tester", "-mex", "ULL"],
    3: ["-m", "3", "-sdb", "./n.dbc", "-out", "./n.cin", "-nme", "Dut", "-tme", "Tester", "-deldb"],
}


def timed(command, directory):
    start = time.monotonic()
    subprocess.run(command, cwd=directory, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.monotonic() - start


def main():
    native, windows, sheet, column_map = sys.argv[1:5]
    rounds = int(sys.argv[5]) if len(sys.argv) > 5 else 11
    env_wine = ["wine", os.path.abspath(windows)]
    work = tempfile.mkdtemp(prefix="measure-wine-")
    name = "signals" + os.path.splitext(sheet)[1]
    for side in ("native", "wine"):
        os.mkdir(os.path.join(work, side))
        shutil.copy(sheet, os.path.join(work, side, name))
        shutil.copy(column_map, os.path.join(work, side, "signals.ini"))
    server = subprocess.Popen(["wineserver", "-f", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        timed(env_wine + ["--version"], work)
        print("mode  rounds  native s  wine s  wine/native (median of pairs)")
        for mode, arguments in MODES.items():
            ratios, natives, wines = [], [], []
            for round_number in range(rounds):
                sides = [("native", [os.path.abspath(native)]), ("wine", env_wine)]
                if round_number % 2:
                    sides.reverse()
                times = {}
                for side, command in sides:
                    times[side] = timed(command + ["-xls", "./" + name] + arguments, os.path.join(work, side))
                natives.append(times["native"])
                wines.append(times["wine"])
                ratios.append(times["wine"] / times["native"])
            print("%4d  %6d  %8.3f  %6.3f  %.2f" % (mode, rounds, statistics.median(natives),
                                                    statistics.median(wines), statistics.median(ratios)))
    finally:
        subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        server.wait()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
