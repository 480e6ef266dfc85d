#!/usr/bin/python3
"""Times co447gen on synthetic sheets and prints the benchmark table.

    bench.py --binary BUILD/co447gen --work DIR [--runs N] [--sizes 1000,10000,100000]
             [--reference-runs N] [--callgrind MODE]

Writes the sheets with tools/make_sheet.py (kept in DIR/sheets while the
generator script is unchanged), runs every mode on every size from .xlsx
and from .csv --runs times, and prints median wall time and peak memory
(/usr/bin/time -v) per run, the scaling ratio time(largest)/time(second
largest) per mode, and the reference: python3-openpyxl loading the largest
.xlsx read-only and iterating its cells (timed inside the interpreter, so
start-up and import do not count against it). Runs go round the modes, and
the reference runs in the same rounds as the largest .xlsx, so that a
machine whose speed drifts affects both sides of the speed-up alike.
"""
import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import time

TOOLS = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"  # Debian's interpreter, which has python3-openpyxl

TARGET_SECONDS = 1.0
TARGET_SCALING = 11.0
TARGET_PEAK_MB = 300.0
TARGET_SPEEDUP = 20.0

REFERENCE = r"""
import sys, time
import openpyxl
start = time.perf_counter()
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
cells = 0
for row in book["Signals"].iter_rows(values_only=True):
    for value in row:
        cells += 1
book.close()
print("%.6f %d" % (time.perf_counter() - start, cells))
"""


def mode_arguments(mode, sheet, out_dir):
    common = ["-xls", sheet, "-nme", "BenchDevice", "-tme", "Tester"]
    if mode == 1:
        return ["-m", "1", "-id", "5", "-idt", "16", "-sdb", os.path.join(out_dir, "node1.dbc"), "-deldb",
                "-out", os.path.join(out_dir, "tester.can"), "-vd_taxm", "-vd_tard"] + common
    if mode == 2:
        return ["-m", "2", "-out", os.path.join(out_dir, "macros.h"), "-mex", "ULL"] + common
    return ["-m", "3", "-sdb", os.path.join(out_dir, "node3.dbc"), "-deldb",
            "-out", os.path.join(out_dir, "node.cin")] + common


def timed_run(command):
    """Wall seconds, peak resident memory in MB, exit code."""
    start = time.perf_counter()
    result = subprocess.run(["/usr/bin/time", "-v"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    wall = time.perf_counter() - start
    match = re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr)
    peak = int(match.group(1)) / 1024.0 if match else float("nan")
    status = re.search(r"Exit status: (\d+)", result.stderr)
    return wall, peak, int(status.group(1)) if status else result.returncode


def make_sheets(sizes, sheet_dir):
    os.makedirs(sheet_dir, exist_ok=True)
    stamp = os.path.getmtime(os.path.join(TOOLS, "make_sheet.py"))
    stems = {}
    for size in sizes:
        stem = os.path.join(sheet_dir, "signals-%d" % size)
        stems[size] = stem
        complete = all(os.path.exists(stem + ext) and os.path.getmtime(stem + ext) >= stamp
                       for ext in (".xlsx", ".csv", ".ini"))
        if not complete:
            print("writing %s.{xlsx,csv,ini}" % stem, flush=True)
            subprocess.run([PYTHON, os.path.join(TOOLS, "make_sheet.py"), str(size), stem, "--xlsx"], check=True)
    return stems


def machine_line():
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = ""
    try:
        with open("/proc/meminfo") as info:
            kb = int(info.readline().split()[1])
            memory = ", %.0f GB memory" % (kb / 1024 / 1024)
    except (OSError, ValueError, IndexError):
        pass
    return "%s, %d cores%s, %s %s" % (model, os.cpu_count() or 0, memory, platform.system(), platform.release())


def callgrind(binary, mode, stem, work):
    out_dir = os.path.join(work, "callgrind")
    os.makedirs(out_dir, exist_ok=True)
    sheet = os.path.join(out_dir, os.path.basename(stem) + ".xlsx")
    shutil.copy(stem + ".xlsx", sheet)
    shutil.copy(stem + ".ini", os.path.join(out_dir, os.path.basename(stem) + ".ini"))
    profile = os.path.join(out_dir, "callgrind.out.mode%d" % mode)
    subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + profile, binary]
                   + mode_arguments(mode, sheet, out_dir), stdout=subprocess.DEVNULL, check=False)
    print("profile: %s" % profile)
    subprocess.run(["callgrind_annotate", "--inclusive=yes", profile], check=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--reference-runs", type=int, default=5)
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--callgrind", type=int, choices=(1, 2, 3))
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    work = os.path.abspath(args.work)
    sizes = sorted(int(size) for size in args.sizes.split(","))
    stems = make_sheets(sizes, os.path.join(work, "sheets"))

    if args.callgrind:
        callgrind(binary, args.callgrind, stems[sizes[-1]], work)
        return 0

    run_dir = os.path.join(work, "run")
    largest, second = sizes[-1], sizes[-2] if len(sizes) > 1 else sizes[-1]
    results = {}  # (format, size, mode) -> (median wall, max peak)
    failures = []
    reference_times, process_times = [], []
    cells = 0

    def run_reference():
        nonlocal cells
        start = time.perf_counter()
        output = subprocess.run([PYTHON, "-c", REFERENCE, stems[largest] + ".xlsx"], check=True,
                                stdout=subprocess.PIPE, text=True).stdout.split()
        process_times.append(time.perf_counter() - start)
        reference_times.append(float(output[0]))
        cells = int(output[1])

    for fmt in ("xlsx", "csv"):
        for size in sizes:
            # The run writes its log and relations file beside the sheet, so
            # every sheet is read from its own copy in the run directory.
            shutil.rmtree(run_dir, ignore_errors=True)
            os.makedirs(run_dir)
            base = os.path.basename(stems[size])
            sheet = os.path.join(run_dir, base + "." + fmt)
            shutil.copy(stems[size] + "." + fmt, sheet)
            shutil.copy(stems[size] + ".ini", os.path.join(run_dir, base + ".ini"))
            # Runs go round the modes, so that a machine whose speed drifts
            # slows every mode alike. The reference is timed in the same
            # rounds on the largest .xlsx: the speed-up compares runs made
            # under the same conditions.
            with_reference = fmt == "xlsx" and size == largest
            walls = {mode: [] for mode in (1, 2, 3)}
            peaks = {mode: [] for mode in (1, 2, 3)}
            for round_number in range(max(args.runs, args.reference_runs if with_reference else 0)):
                if round_number < args.runs:
                    # Each round starts with another mode: the first run
                    # after the reference meets the memory it just gave back.
                    for mode in [(round_number + k) % 3 + 1 for k in range(3)]:
                        wall, peak, status = timed_run([binary] + mode_arguments(mode, sheet, run_dir))
                        if status != 0:
                            failures.append("%s %d mode %d: exit %d" % (fmt, size, mode, status))
                        walls[mode].append(wall)
                        peaks[mode].append(peak)
                if with_reference and round_number < args.reference_runs:
                    run_reference()
            for mode in (1, 2, 3):
                results[(fmt, size, mode)] = (statistics.median(walls[mode]), max(peaks[mode]))
                print("  %-4s %7d signals mode %d: %.3f s (runs %.3f to %.3f)  %.1f MB"
                      % (fmt, size, mode, results[(fmt, size, mode)][0], min(walls[mode]), max(walls[mode]),
                         results[(fmt, size, mode)][1]), flush=True)
    reference = statistics.median(reference_times)
    print("  reference: %s s" % ", ".join("%.3f" % t for t in reference_times), flush=True)

    print()
    print("co447gen benchmark: %s" % " ".join([os.path.relpath(binary)] + sys.argv[1:]))
    print("machine: %s" % machine_line())
    print("runs per cell: %d (median wall time, highest peak resident memory)" % args.runs)
    print()
    header = "| format | signals | mode | median wall s | peak MB |"
    print(header)
    print("|--------|--------:|-----:|--------------:|--------:|")
    for (fmt, size, mode), (wall, peak) in sorted(results.items()):
        print("| %s | %d | %d | %.3f | %.1f |" % (fmt, size, mode, wall, peak))
    print()
    print("| format | mode | time(%d)/time(%d) | reference/co447gen (%d, .xlsx) |" % (largest, second, largest))
    print("|--------|-----:|------------------:|-------------------------------:|")
    misses = []
    for fmt in ("xlsx", "csv"):
        for mode in (1, 2, 3):
            ratio = results[(fmt, largest, mode)][0] / results[(fmt, second, mode)][0]
            speedup = reference / results[("xlsx", largest, mode)][0]
            print("| %s | %d | %.2f | %s |" % (fmt, mode, ratio, "%.1f" % speedup if fmt == "xlsx" else ""))
            if ratio > TARGET_SCALING:
                misses.append("scaling %s mode %d: %.2f > %.0f" % (fmt, mode, ratio, TARGET_SCALING))
    print()
    print("reference: python3-openpyxl %s, read-only load + iterate %d cells of the %d-signal .xlsx: "
          "median %.3f s of %d runs (whole interpreter process: %.3f s; the ratios use the former)"
          % (openpyxl_version(), cells, largest, reference, len(reference_times), statistics.median(process_times)))

    for mode in (1, 2, 3):
        wall = results[("xlsx", largest, mode)][0]
        if wall >= TARGET_SECONDS:
            misses.append("time xlsx mode %d: %.3f s >= %.1f s" % (mode, wall, TARGET_SECONDS))
        if reference / wall < TARGET_SPEEDUP:
            misses.append("speed-up mode %d: %.1f < %.0f" % (mode, reference / wall, TARGET_SPEEDUP))
    for key, (_, peak) in sorted(results.items()):
        if peak >= TARGET_PEAK_MB:
            misses.append("peak memory %s %d mode %d: %.1f MB" % (key[0], key[1], key[2], peak))
    print("targets (%d signals from .xlsx under %.0f s, scaling <= %.0f, peak < %.0f MB, >= %.0fx the reference): %s"
          % (largest, TARGET_SECONDS, TARGET_SCALING, TARGET_PEAK_MB, TARGET_SPEEDUP,
             "all met" if not misses and not failures else "MISSED"))
    for line in failures + misses:
        print("  " + line)
    return 1 if failures or misses else 0


def openpyxl_version():
    return subprocess.run([PYTHON, "-c", "import openpyxl; print(openpyxl.__version__)"], stdout=subprocess.PIPE,
                          text=True).stdout.strip()


if __name__ == "__main__":
    sys.exit(main())
