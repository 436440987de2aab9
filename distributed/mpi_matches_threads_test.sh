#!/bin/bash
# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# stable-graphs-mpi writes the same bytes on standard output and standard
# error, and ends with the same status, as stable-graphs, for every printer,
# statistics mode and edge filter, with and without -E and -L, for every
# moduli type (-M), and --homology, whose search leaves out the graphs with
# parallel edges (the program's name in its messages aside): every case on
# 2 ranks, where the workers do the tasks, and a few on 1 rank (rank 0
# alone) and 3 ranks.
# Usage: mpi_matches_threads_test.sh STABLE_GRAPHS STABLE_GRAPHS_MPI MPIEXEC
set -u
tool=$1 mpi=$2 mpiexec=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0 passed=0
cases=(
  "-P B 4 0" "-P T 3 2" "-P L 2 3" "-P N 5 0" "-P N -S T 0 9" "-P B -S N 1 5"
  "-P L -C 3 4 1" "-P T -C 0 11 0" "-P B -C 2 9 0" "-P N -S T -C 5 3 3" "-P B 0 3" "-P T 1 0"
  "-P J 3 1" "-P S -C 3 2 2" "-P D 2 2" "-P T -L 2 2" "-P N -L -S T 3 2" "-P B -L -C 4 1 4"
  "-P N -E 3 2" "-P B -E -S N 2 3" "-P T -E -C 2 2 2" "-P N -E -L 2 3" "-P J -E -L -S T 1 4"
  "-P B -M ct 3 4" "-P T -M rt 1 6" "-P N -E -M tl 4 1" "-P B -L -M ct 2 4" "-P N -S T -M sm 3 2"
  "-P T -C 2 -M tl 3 2" "-P N -S N --homology -L 2 4" "-P N -S T --homology 5 0"
)
few=("-P B 4 0" "-P N -S T 0 9" "-P T -C 0 11 0" "-P B -L -C 4 1 4" "-P N -E -L 2 3" "-P B 0 3")
for ranks in 1 2 3; do
  chosen=("${cases[@]}")
  [ "$ranks" != 2 ] && chosen=("${few[@]}")
  for args in "${chosen[@]}"; do
    # shellcheck disable=SC2086
    "$tool" $args > "$work/out" 2> "$work/err"
    want=$?
    # shellcheck disable=SC2086
    "$mpiexec" --allow-run-as-root --oversubscribe -np "$ranks" "$mpi" $args > "$work/mpi_out" 2> "$work/mpi_err"
    got=$?
    # Messages name the program as started; the rest must match.
    sed -i "s|^$mpi: |$tool: |" "$work/mpi_err"
    if [ "$want" = "$got" ] && cmp -s "$work/out" "$work/mpi_out" && cmp -s "$work/err" "$work/mpi_err"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FAIL: -np $ranks $args (status $got, stable-graphs $want)"
      diff <(head -c 2000 "$work/err") <(head -c 2000 "$work/mpi_err") | head -20
    fi
  done
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
