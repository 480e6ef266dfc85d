#!/usr/bin/env bash
# Two users extend one group-writable database at the same time: a run as
# root (mode 1) and a run as "nobody" (mode 3), each with a sheet of its
# own of SIGNALS signals, TRIALS times. Counts the variables the database
# lost (those a run's relations file names that the database lacks) and
# the lock files left behind. Run as root (setpriv switches the user).
# usage: tools/measure_two_users.sh BINARY [TRIALS] [SIGNALS]
set -u
bin=$(realpath "$1"); trials=${2:-10}; signals=${3:-10000}
[ "$(id -u)" = 0 ] || { echo "needs root (one run goes as nobody)" >&2; exit 2; }
umask 022
ini=$(realpath "$(dirname "$0")/../tests/data/app/basic.ini")
lossy=0; lost_total=0; left_total=0; failed=0
for t in $(seq 1 "$trials"); do
  d=$(mktemp -d); chmod 0777 "$d"
  for k in 0 1; do
    mkdir "$d/run$k"; chmod 0777 "$d/run$k"
    cp "$ini" "$d/run$k/signals.ini"
    awk -v k=$k -v n="$signals" 'BEGIN {
      print "h,h,h,h,h,h,h,h,h,h,h,h,h,h,h"
      for (i = 0; i < n; i++)
        printf "%x,Obj,%x,32,Run%d sig %d,S%d,%d,8,,x,%s,,x,,\n", 8192 + k * 4096 + int(i / 16), int(i / 4) % 4, k, i, i, (i % 4) * 8, (i % 5 == 0) ? "x" : ""
    }' > "$d/run$k/signals.csv"
  done
  printf 'VERSION ""\r\n\r\nBU_: Tester\r\n' > "$d/node.dbc"; chmod 0666 "$d/node.dbc"
  (cd "$d"
   "$bin" -m 1 -id 5 -idt 16 -sdb ./node.dbc -xls ./run0/signals.csv -out ./run0/node.can -nme Taxi -tme Tester > run0/console.txt 2>&1 &
   setpriv --reuid=65534 --regid=65534 --clear-groups "$bin" -m 3 -sdb ./node.dbc -xls ./run1/signals.csv -out ./run1/node.cin -nme Taxi -tme Tester > run1/console.txt 2>&1 &
   wait)
  grep -o '^EV_ [A-Za-z0-9_]*' "$d/node.dbc" | cut -c5- | sort -u > "$d/in-database"
  lost=0
  for k in 0 1; do
    grep -q "ERROR GENERATING" "$d/run$k/console.txt" && failed=$((failed+1))
    grep -P '^0x' "$d/run$k/object_signal_relations.txt" | tr -d '\r' | awk -F'\t' '{print $2; print $4}' |
      sort -u > "$d/run$k/entered"
    lost=$((lost + $(comm -23 "$d/run$k/entered" "$d/in-database" | wc -l)))
  done
  left=$(ls -A "$d" | grep -c co447gen-)
  rm -f "$d/in-database"
  [ "$lost" -gt 0 ] && lossy=$((lossy+1))
  lost_total=$((lost_total+lost)); left_total=$((left_total+left))
  rm -rf "$d"
done
echo "trials=$trials signals=$signals trials_with_loss=$lossy variables_lost=$lost_total failed_runs=$failed leftovers=$left_total"
