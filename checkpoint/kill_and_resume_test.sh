#!/bin/bash
# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Runs killed with SIGKILL at many points and resumed from their checkpoint
# (standard output appended to, >> file) end with the bytes of an
# uninterrupted run on standard output and standard error.  Also: a
# checkpoint of other arguments, a damaged one and an output file shorter
# than recorded are refused, and nothing is overwritten; a killed run's
# temporaries are removed by the next; SIGINT and SIGTERM record the state
# before the run ends.
# Usage: kill_and_resume_test.sh STABLE_GRAPHS [MPIEXEC STABLE_GRAPHS_MPI RANKS]
# (with MPI, rank 0 is killed and the graphs go to a file by --output).
set -u
tool=$1
mpiexec=${2:-} mpi=${3:-} ranks=${4:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # description, then a command that succeeds when the check holds
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

# Starts the run under test in the background, output appended to $work/out,
# and sets $victim to the process to kill: the tool, or rank 0 of an MPI run
# (the launcher then ends the other ranks).
start() {
  if [ -z "$mpiexec" ]; then
    "$tool" "$@" >> "$work/out" 2> "$work/err" &
    launcher=$! victim=$!
  else
    # The launcher passes rank 0's standard output through a pipe, which
    # cannot be cut back: the graphs go to the file itself.
    "$mpiexec" --allow-run-as-root --oversubscribe -np "$ranks" "$mpi" --output "$work/out" "$@" > /dev/null 2> "$work/err" &
    launcher=$! victim=""
    for _ in $(seq 1 400); do
      for pid in $(pgrep -P "$launcher"); do
        tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx 'OMPI_COMM_WORLD_RANK=0' && victim=$pid
      done
      [ -n "$victim" ] && break
      sleep 0.01
    done
  fi
}

# Waits for the run started by start() and returns its status.  Open MPI's
# mpirun can hang for good when rank 0 dies while it connects at start-up
# (a PMIx "UNREACHABLE" error, every rank already gone); a user would
# interrupt it, and so does this after a minute.
end_of_launcher() {
  if [ -n "$mpiexec" ]; then
    local tick
    for tick in $(seq 1 600); do
      kill -0 "$launcher" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$launcher" 2>/dev/null; then
      echo "note: $mpiexec hung after rank 0 was killed; interrupting it"
      pkill -KILL -P "$launcher" 2>/dev/null
      kill -KILL "$launcher" 2>/dev/null
    fi
  fi
  wait "$launcher" 2>/dev/null
}

# kill_and_resume DELAYS... -- ARGS: kills a checkpointed run after each
# delay in turn (restarting it each time), then lets it finish, and
# compares with an uninterrupted run.
kill_and_resume() {
  local delays=()
  while [ "$1" != "--" ]; do delays+=("$1"); shift; done
  shift
  "$tool" "$@" > "$work/want_out" 2> "$work/want_err"
  rm -f "$work/out" "$work/cp" "$work/cp.new"
  printf 'earlier contents\n' > "$work/out"  # kept: the run appends after them
  local kills=0 status=1
  for delay in "${delays[@]}"; do
    start --checkpoint "$work/cp" --checkpoint-interval 0.01 "$@"
    sleep "$delay"
    if [ -n "$victim" ] && kill -KILL "$victim" 2>/dev/null; then kills=$((kills + 1)); fi
    end_of_launcher
    status=$?
    # A run that finished before its kill is complete: running it again
    # would be a new run, appending a second copy.
    [ "$status" = 0 ] && break
  done
  if [ "$status" != 0 ]; then
    if [ -z "$mpiexec" ]; then
      "$tool" --checkpoint "$work/cp" --checkpoint-interval 0.01 "$@" >> "$work/out" 2> "$work/err"
    else
      timeout 300 "$mpiexec" --allow-run-as-root --oversubscribe -np "$ranks" "$mpi" --checkpoint "$work/cp" \
        --checkpoint-interval 0.01 --output "$work/out" "$@" > /dev/null 2> "$work/err"
    fi
    status=$?
  fi
  { printf 'earlier contents\n'; cat "$work/want_out"; } > "$work/want_appended"
  check "$* after $kills kills: status $status" [ "$status" = 0 ]
  check "$* after $kills kills: standard output" cmp -s "$work/want_appended" "$work/out"
  if [ -z "$mpiexec" ]; then
    check "$* after $kills kills: standard error" cmp -s "$work/want_err" "$work/err"
  else
    check "$* after $kills kills: standard error" cmp -s <(sed "s|^$tool: ||" "$work/want_err") <(sed "s|^$mpi: ||" "$work/err")
  fi
  check "$* after $kills kills: checkpoint records the complete run" grep -q '^pass [0-9]* 0 [01] 1$' "$work/cp"
  # The same command again takes up the complete run: the same report, no
  # more graphs.  Rank 0 runs the tool's own code for it, so it is checked
  # without MPI only.
  if [ -z "$mpiexec" ]; then
    cp "$work/err" "$work/first_err"
    "$tool" --checkpoint "$work/cp" --checkpoint-interval 0.01 "$@" >> "$work/out" 2> "$work/err"
    local again=$?
    check "$* again after completion: status $again" [ "$again" = 0 ]
    check "$* again after completion: no more output" cmp -s "$work/want_appended" "$work/out"
    check "$* again after completion: the same standard error" cmp -s "$work/first_err" "$work/err"
  fi
  check "$* was killed at least once" [ "$kills" -gt 0 ]
  echo "$*: resumed after $kills kills"
}

delays=(0 0.02 0.05 0.1 0.15 0.2 0.3 0.4 0.6 0.8)
# Under MPI the delays count from rank 0's start, before MPI is up; every
# launch costs most of a second, so each case is killed twice: at once,
# which a run too short for a later kill still meets, and once MPI is up.
[ -n "$mpiexec" ] && delays=(0 0.4)
kill_and_resume "${delays[@]}" -- -P N 6 0
kill_and_resume "${delays[@]}" -- -P B 5 1
kill_and_resume "${delays[@]}" -- -P L -S T 5 1
kill_and_resume "${delays[@]}" -- -P T -C 7 3 3
if [ -n "$mpiexec" ]; then
  kill_and_resume "${delays[@]}" -- -P B -S N 0 9
  kill_and_resume "${delays[@]}" -- -P D 4 1
else
  kill_and_resume 0 0.1 0.3 -- -P B -S N 0 9
  kill_and_resume 0 0.05 0.1 0.2 -- -P D 4 1
fi
kill_and_resume "${delays[@]}" -- -P B -L 2 7
kill_and_resume "${delays[@]}" -- -P N -L 4 4
kill_and_resume "${delays[@]}" -- -P N -E -S T 6 0
kill_and_resume "${delays[@]}" -- -P B -M ct 3 9
kill_and_resume "${delays[@]}" -- -P N -E -L -S T -M tl 5 4

# Under MPI the refusals are those of rank 0, which runs the same code.
if [ -n "$mpiexec" ]; then
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
fi

# Refusals: nothing is overwritten, neither the checkpoint nor the output.
refused() {  # description, expected message part, args...
  local what=$1 message=$2
  shift 2
  cp "$work/cp" "$work/cp_before"
  cp "$work/out" "$work/out_before"
  "$tool" --checkpoint "$work/cp" "$@" >> "$work/out" 2> "$work/err"
  local status=$?
  check "$what: status 1 (got $status)" [ "$status" = 1 ]
  check "$what: one line naming it" grep -q "$message" "$work/err"
  check "$what: one line only" [ "$(wc -l < "$work/err")" = 1 ]
  check "$what: checkpoint untouched" cmp -s "$work/cp" "$work/cp_before"
  check "$what: output untouched" cmp -s "$work/out" "$work/out_before"
}
rm -f "$work/out" "$work/cp"
"$tool" -P B 5 1 --checkpoint "$work/cp" --checkpoint-interval 0.01 >> "$work/out" 2>/dev/null &
victim=$!
for _ in $(seq 1 500); do
  grep -q '^pass [3-9]' "$work/cp" 2>/dev/null && break
  sleep 0.01
done
kill -KILL "$victim"; wait "$victim" 2>/dev/null
check "a checkpoint in the middle of the run" grep -q '^pass [3-9]' "$work/cp"
refused "other arguments" "belongs to another run" -P B 5 2
refused "other printer" "belongs to another run" -P T 5 1
refused "other moduli type" "belongs to another run" -P B -M ct 5 1
cp "$work/out" "$work/out_full"
truncate -s 10 "$work/out"
refused "output shorter than recorded" "fewer than the" -P B 5 1
cp "$work/out_full" "$work/out"
cp "$work/cp" "$work/cp_good"
printf 'x' | dd of="$work/cp" bs=1 seek=40 conv=notrunc 2>/dev/null
refused "a damaged checkpoint" "is damaged" -P B 5 1
head -c 50 "$work/cp_good" > "$work/cp"
refused "a checkpoint cut short" "is damaged" -P B 5 1
: > "$work/cp"
refused "an empty checkpoint" "is damaged" -P B 5 1
cp "$work/cp_good" "$work/cp"
"$tool" -P B 5 1 --checkpoint "$work/cp" >> "$work/out" 2>/dev/null
"$tool" -P B 5 1 > "$work/want_out" 2>/dev/null
check "the good checkpoint still resumes" cmp -s "$work/want_out" "$work/out"

# Temporaries that killed runs left beside the checkpoint are removed by
# the next run that takes its lock; other names are left alone.
rm -f "$work/out" "$work/cp"
for name in cp.new-0123456789ab cp.new-fedcba987654 cp.new-short cp.new-0123456789abc other.new-0123456789ab; do
  printf 'left\n' > "$work/$name"
done
"$tool" -P N 3 2 --checkpoint "$work/cp" >> "$work/out" 2>/dev/null
check "stale temporaries: the run ends well" [ $? = 0 ]
check "stale temporaries removed" [ ! -e "$work/cp.new-0123456789ab" ] && [ ! -e "$work/cp.new-fedcba987654" ]
check "other names kept" [ -e "$work/cp.new-short" ] && [ -e "$work/cp.new-0123456789abc" ] && \
  [ -e "$work/other.new-0123456789ab" ]
rm -f "$work"/*.new-*

# Interrupted by SIGINT or SIGTERM, a checkpointed run records where it
# is at the next task boundary, removes its lock and ends by that signal
# (status 130 or 143 in a shell); its output is exactly what the record
# says, and the same command finishes it.  Records are otherwise only at
# the passes' starts here, so a record within a pass is the signal's.
# (Python starts the run: a background job of a script ignores SIGINT.)
"$tool" -P B -S T 6 0 > "$work/want_out" 2> /dev/null
for signal in INT TERM; do
  rm -f "$work/out" "$work/cp"
  python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL)
os.execv(sys.argv[1], sys.argv[1:])' "$tool" -P B -S T 6 0 --checkpoint "$work/cp" --checkpoint-interval 100000 \
    >> "$work/out" 2> "$work/err" &
  run=$!
  for _ in $(seq 1 1000); do
    grep -q '^pass [5-9] 0 ' "$work/cp" 2>/dev/null && break
    sleep 0.005
  done
  seen=$(sed -n 's/^pass \([0-9]*\) .*/\1/p' "$work/cp")
  kill -"$signal" "$run"
  wait "$run"
  status=$?
  want=$((128 + $(kill -l "$signal")))
  check "SIG$signal: status $want (got $status)" [ "$status" = "$want" ]
  check "SIG$signal: no lock file left" [ ! -e "$work/cp.lock" ]
  # Within the pass, or at the start of a later one when the signal came
  # during a pass's last task.
  read -r _ pass tasks _ < <(grep '^pass ' "$work/cp")
  check "SIG$signal: a state after the signal recorded (pass $pass, $tasks tasks; $seen before)" \
    [ "$tasks" -gt 0 -o "$pass" -gt "$seen" ]
  length=$(sed -n 's/^output \([0-9]*\) .*/\1/p' "$work/cp")
  check "SIG$signal: the output is what the checkpoint records" [ "$length" = "$(stat -c %s "$work/out")" ]
  "$tool" -P B -S T 6 0 --checkpoint "$work/cp" >> "$work/out" 2> /dev/null
  check "SIG$signal: resumed, status 0" [ $? = 0 ]
  check "SIG$signal: resumed, the whole output" cmp -s "$work/want_out" "$work/out"
done

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
