#!/usr/bin/env bash
# Runs RUNS generations (modes 1 and 3 alternating, a sheet of their own
# each) on one database at the same time, TRIALS times, and counts the
# variables the database lost.
# usage: tools/measure_concurrency.sh BINARY [TRIALS] [RUNS]
bin=$1; trials=${2:-20}; runs=${3:-8}
lossy=0; lost_total=0
for t in $(seq 1 $trials); do
  d=$(mktemp -d)
  for k in $(seq 0 $((runs-1))); do
    mkdir $d/run$k
    cp $(dirname "$0")/../tests/data/app/basic.ini $d/run$k/signals.ini
    { echo "h,h,h,h,h,h,h,h,h,h,h,h,h,h,h"
      for i in $(seq 0 11); do printf '%x,Obj,%x,32,Run%d sig %d,S%d,%d,2,,x,%s,,x,,\n' $((0x6000+k)) $((i%3)) $k $i $i $(( (i/3)*2 )) $([ $((i%2)) = 0 ] && echo x); done; } > $d/run$k/signals.csv
  done
  (cd $d; for k in $(seq 0 $((runs-1))); do m=$([ $((k%2)) = 0 ] && echo 1 || echo 3); $bin -m $m -id 5 -idt 16 -sdb ./node.dbc -xls ./run$k/signals.csv -out ./run$k/node.out -nme Taximeter -tme Tester >/dev/null 2>&1 & done; wait)
  lost=0
  for k in $(seq 0 $((runs-1))); do
    for v in $(grep -P '^0x' $d/run$k/object_signal_relations.txt | tr -d '\r' | awk -F'\t' '{print $2; print $4}'); do
      grep -q "^EV_ $v:" $d/node.dbc || lost=$((lost+1))
    done
  done
  left=$(ls -A $d | grep -c co447gen-)
  [ $lost -gt 0 ] && lossy=$((lossy+1))
  lost_total=$((lost_total+lost))
  rm -rf $d
done
echo "trials=$trials runs=$runs trials_with_loss=$lossy variables_lost=$lost_total leftovers_last=$left"
