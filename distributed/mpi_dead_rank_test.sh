#!/bin/bash
# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# A worker rank killed in the middle of a run ends the run with a non-zero
# status and a message, and without the report of a finished run.
# Usage: mpi_dead_rank_test.sh STABLE_GRAPHS_MPI MPIEXEC
set -u
mpi=$1 mpiexec=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$mpiexec" --allow-run-as-root --oversubscribe -np 2 "$mpi" -P N 7 0 > "$work/out" 2> "$work/err" &
launcher=$!
# The worker is the rank whose environment names it rank 1.
worker=""
for _ in $(seq 1 200); do
  for pid in $(pgrep -P "$launcher"); do
    if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx 'OMPI_COMM_WORLD_RANK=1'; then worker=$pid; fi
  done
  # Kill it once the run is under way: the first pass is done.
  if [ -n "$worker" ] && grep -q 'K =  2' "$work/err"; then break; fi
  sleep 0.05
done
if [ -z "$worker" ]; then
  echo "FAIL: no worker rank found"; kill "$launcher"; echo "0 passed, 1 failed"; exit 1
fi
kill -KILL "$worker"
wait "$launcher"
status=$?
failed=0
if [ "$status" = 0 ]; then echo "FAIL: status 0 after a rank died"; failed=1; fi
if grep -q '^Found ' "$work/err"; then echo "FAIL: the report of a finished run"; failed=1; fi
if ! grep -qi 'signal\|killed\|exited\|abort' "$work/err"; then echo "FAIL: no message"; cat "$work/err"; failed=1; fi
echo "status $status; message: $(grep -i -m1 'signal\|killed\|exited\|abort' "$work/err")"

# A checkpoint needs --output under MPI: the launcher pipes rank 0's
# standard output, which a resumed run could not cut back.
"$mpiexec" --allow-run-as-root --oversubscribe -np 2 "$mpi" --checkpoint "$work/cp" -P B 3 0 \
  > "$work/out" 2> "$work/err"
status=$?
if [ "$status" != 1 ]; then echo "FAIL: --checkpoint without --output: status $status"; failed=1; fi
if ! grep -q -- '--checkpoint needs --output FILE under MPI' "$work/err"; then
  echo "FAIL: --checkpoint without --output: no reason"; cat "$work/err"; failed=1
fi
if [ -s "$work/out" ] || [ -e "$work/cp" ]; then echo "FAIL: --checkpoint without --output wrote something"; failed=1; fi
echo "$((2 - 2 * failed)) passed, $failed failed"
exit $failed
