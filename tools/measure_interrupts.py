#!/usr/bin/env python3
# Interrupts runs on a 20 000-signal sheet at random moments (SIGINT,
# SIGTERM, SIGKILL) and counts half outputs, changed databases and
# temporary files left behind.
# usage: tools/measure_interrupts.py BINARY TRIALS_PER_SIGNAL
import os, re, shutil, signal, subprocess, sys, tempfile, time, random
binary, trials = sys.argv[1], int(sys.argv[2])
random.seed(7)
work = tempfile.mkdtemp()
def sheet(n):
    rows = ["h,h,h,h,h,h,h,h,h,h,h,h,h,h,h"]
    for i in range(n):
        rows.append("%x,Object,%x,32,Signal %d,S%d,%d,4,,x,%s,x,x,," % (0x6000 + i // 64, (i // 8) % 8, i, i, (i % 8) * 4, "x" if i % 3 == 0 else ""))
    return "\n".join(rows) + "\n"
open(work + "/signals.csv", "w").write(sheet(20000))
shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "app", "basic.ini"), work + "/signals.ini")
env = dict(os.environ, SOURCE_DATE_EPOCH="1765000000")
mask = lambda b: re.sub(rb"generation (date|time): [^\r]*", b"", b)
modes = {"mode2": (["-m", "2", "-xls", "./signals.csv", "-out", "./out.h", "-nme", "A", "-tme", "B"], "out.h"),
         "mode1": (["-m", "1", "-id", "5", "-idt", "6", "-sdb", "./db.dbc", "-deldb", "-xls", "./signals.csv", "-out", "./out.can", "-nme", "A", "-tme", "B"], "out.can")}
for name, (args, out) in modes.items():
    ref = tempfile.mkdtemp(dir=work); shutil.copy(work + "/signals.csv", ref); shutil.copy(work + "/signals.ini", ref)
    t = time.time(); subprocess.run([binary] + args, cwd=ref, env=env, stdout=subprocess.DEVNULL); dur = time.time() - t
    complete = mask(open(ref + "/" + out, "rb").read())
    db = open(ref + "/db.dbc", "rb").read() if os.path.exists(ref + "/db.dbc") else None
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGKILL):
        stats = dict(trials=0, interrupted=0, half_output=0, half_db=0, temp_left=0, temp_left_after_next=0, codes=set())
        for _ in range(trials):
            d = tempfile.mkdtemp(dir=work); shutil.copy(work + "/signals.csv", d); shutil.copy(work + "/signals.ini", d)
            if db is not None: open(d + "/db.dbc", "wb").write(db)
            open(d + "/" + out, "wb").write(open(ref + "/" + out, "rb").read())
            p = subprocess.Popen([binary] + args, cwd=d, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0, dur)); p.send_signal(sig); code = p.wait()
            stats["trials"] += 1
            if code != 0: stats["interrupted"] += 1; stats["codes"].add(code)
            if os.path.exists(d + "/" + out) and mask(open(d + "/" + out, "rb").read()) != complete: stats["half_output"] += 1
            if db is not None and (not os.path.exists(d + "/db.dbc") or open(d + "/db.dbc", "rb").read() != db): stats["half_db"] += 1
            left = [f for f in os.listdir(d) if "co447gen-" in f or f.endswith(".tmp")]
            if left: stats["temp_left"] += 1
            if sig == signal.SIGKILL and left:
                subprocess.run([binary] + args, cwd=d, env=env, stdout=subprocess.DEVNULL)
                if [f for f in os.listdir(d) if "co447gen-" in f or f.endswith(".tmp")]: stats["temp_left_after_next"] += 1
            shutil.rmtree(d)
        print(name, signal.Signals(sig).name, "run %.2fs" % dur, stats)
shutil.rmtree(work)
