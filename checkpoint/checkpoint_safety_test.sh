#!/bin/bash
# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# A checkpoint never costs the user data, whatever is done with it: a
# second run on the same checkpoint or output, a resume onto another or an
# edited output file, a complete run taken up again after the file grew,
# names that collide with the checkpoint's own files, a checkpoint that is
# a directory, a device, a FIFO, too long or of the first version, and
# checkpoints forged value by value with their checksum made again are
# all refused with one line and status 1, leaving every file as it was.
# File names are quoted with their control characters shown as '?'.
# Usage: checkpoint_safety_test.sh STABLE_GRAPHS STABLE_GRAPHS_CONVERT
set -u
tool=$(realpath "$1") convert=$(realpath "$2")
work=$(mktemp -d)
stopped=""
trap '[ -n "$stopped" ] && kill -KILL "$stopped" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
passed=0 failed=0
check() {  # description, then a command that succeeds when the check holds
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

files() {  # every name in the work directory, and the contents of its regular files
  find . ! -name err | sort
  find . -type f ! -name err ! -name huge -print0 | sort -z | xargs -0 md5sum
}

# refused DESCRIPTION MESSAGE-PART COMMAND...: the command (its standard
# error in err) ends with status 1 and one line naming the problem, and
# changes no file in the work directory.
refused() {
  local what=$1 message=$2
  shift 2
  local before after
  before=$(files)
  timeout 60 "$@" 2> err
  local status=$?
  after=$(files)
  check "$what: status 1 (got $status)" [ "$status" = 1 ]
  check "$what: one line naming it" grep -q -- "$message" err
  check "$what: one line only" [ "$(wc -l < err)" = 1 ]
  check "$what: no file changed" [ "$before" = "$after" ]
}

# Writes the checkpoint text on standard input with its checksum line.
with_checksum() {
  python3 -c '
import sys
text = sys.stdin.read()
h = 1469598103934665603
for c in text.encode():
    h = ((h ^ c) * 1099511628211) % 2**64
print(text + "sum %016x" % h)'
}

# A checkpoint taken in the middle of a pass (some of its tasks done) of a
# run with ARGS appending to out: the run records at every task and is
# stopped once it has recorded such a state, then killed.
middle_of_a_pass() {
  "$tool" --checkpoint cp --checkpoint-interval 0 "$@" >> out 2> /dev/null &
  local run=$!
  for _ in $(seq 1 2000); do
    grep -q '^pass [3-9] [1-9][0-9]* 1 0$' cp 2> /dev/null && break
    sleep 0.005
  done
  kill -KILL "$run" 2> /dev/null
  wait "$run" 2> /dev/null
  grep -q '^pass [3-9] [1-9][0-9]* 1 0$' cp
}

# 1. Two runs at once: the second is refused, and the first, let go on,
# writes exactly an uninterrupted run's output.
"$tool" -P T 3 3 > want 2> /dev/null
rm -f out cp cp.lock
"$tool" -P T 3 3 --checkpoint cp --checkpoint-interval 0.01 >> out 2> /dev/null &
first=$!
for _ in $(seq 1 2000); do [ -s cp ] && break; sleep 0.005; done
kill -STOP "$first"
stopped=$first
refused "a second run on the same checkpoint" "is in use by another run" \
  sh -c '"$0" -P T 3 3 --checkpoint cp >> out' "$tool"
refused "a second run on the same output" "output file of another checkpointed run" \
  sh -c '"$0" -P T 3 3 --checkpoint other.cp >> out' "$tool"
kill -CONT "$first"
wait "$first"
check "the first run ends well" [ $? = 0 ]
stopped=""
check "the first run's output is whole" cmp -s want out

# 2. Resuming onto another file, or onto an edited one, is refused; the
# right file resumes to the bytes of an uninterrupted run.
"$tool" -P T 4 1 > want 2> /dev/null
rm -f out cp cp.lock
printf 'earlier contents\n' > out
check "a checkpoint in the middle of a pass" middle_of_a_pass -P T 4 1
cp out copy
refused "a copy of the output" "recorded another output file" sh -c '"$0" -P T 4 1 --checkpoint cp >> copy' "$tool"
refused "the copy by --output" "recorded another output file" "$tool" -P T 4 1 --checkpoint cp --output copy
length=$(sed -n 's/^output \([0-9]*\) .*/\1/p' cp)
at=$((length / 2))
cp out good
printf 'X' | dd of=out bs=1 seek="$at" conv=notrunc 2> /dev/null
refused "an output edited inside what was recorded" "their checksum differs" \
  sh -c '"$0" -P T 4 1 --checkpoint cp >> out' "$tool"
cp good out
truncate -s $((length - 1)) out
refused "an output cut short" "fewer than the" sh -c '"$0" -P T 4 1 --checkpoint cp >> out' "$tool"
cp good out
"$tool" -P T 4 1 --checkpoint cp >> out 2> /dev/null
check "the right output resumes" [ $? = 0 ]
{ printf 'earlier contents\n'; cat want; } > want_appended
check "the resumed output is whole" cmp -s want_appended out

# 3. A complete run taken up again cuts nothing that was appended since,
# and is refused for another output.
printf 'appended later\n' >> out
cp out grown
"$tool" -P T 4 1 --checkpoint cp >> out 2> /dev/null
check "a complete run again: status 0" [ $? = 0 ]
check "a complete run again: nothing cut, nothing added" cmp -s grown out
refused "a complete run again, another output" "recorded another output file" \
  "$tool" -P T 4 1 --checkpoint cp --output copy
check "a complete run leaves no lock file" [ ! -e cp.lock ]
rm -f copy

# 5. Names that are the checkpoint's own: no file is followed or clobbered.
"$tool" -P T 2 2 > want 2> /dev/null
rm -f out cp cp.lock cp.new-*
printf 'precious\n' > victim
ln -s victim cp.new
"$tool" -P T 2 2 --checkpoint cp --checkpoint-interval 0 >> out 2> /dev/null
check "a link at the old temporary name: the run ends well" [ $? = 0 ]
check "a link at the old temporary name: its target untouched" [ "$(cat victim)" = precious ]
check "a link at the old temporary name: still a link" [ -L cp.new ]
check "no temporary left behind" [ -z "$(find . -name 'cp.new-*')" ]
rm -f cp.new cp cp.lock out
"$tool" -P T 2 2 --checkpoint cp --output cp.new 2> /dev/null
check "--output at the old temporary name: the output whole" cmp -s want cp.new
rm -f cp cp.lock cp.new
check "a checkpoint in the middle of a pass" middle_of_a_pass -P T 3 2
refused "--output the checkpoint" "is the output file itself" "$tool" -P T 3 2 --checkpoint cp --output cp
ln cp hard
refused "--output a hard link of the checkpoint" "is the output file itself" \
  "$tool" -P T 3 2 --checkpoint cp --output hard
rm hard
refused "--output the lock file" "lock file of checkpoint" "$tool" -P T 3 2 --checkpoint cp --output cp.lock
rm -f cp cp.lock out
# A new output file is made only once every check has passed: a refused
# run leaves none behind, and the corrected command is not then refused
# for the empty file it would have found.
refused "--output the checkpoint of a fresh run" "is checkpoint fresh.cp itself" \
  "$tool" -P T 3 2 --checkpoint fresh.cp --output fresh.cp
refused "--output the checkpoint by another path" "is checkpoint ./fresh.cp itself" \
  "$tool" -P T 3 2 --checkpoint ./fresh.cp --output "$work/fresh.cp"
refused "--output the lock file of a fresh run" "is the lock file of checkpoint fresh.cp" \
  "$tool" -P T 3 2 --checkpoint fresh.cp --output fresh.cp.lock
"$tool" -P T 3 2 > want 2> /dev/null
"$tool" -P T 3 2 --checkpoint fresh.cp --output fresh.out 2> /dev/null
check "the corrected command runs" [ $? = 0 ]
check "the corrected command's output whole" cmp -s want fresh.out
mkdir other
refused "a new output with a checkpoint of other arguments" "belongs to another run" \
  "$tool" -P T 3 3 --checkpoint fresh.cp --output other/new.out
refused "a new output of a type beyond the capacity" "beyond the capacity" \
  "$tool" -P T 12 0 --checkpoint other/cp --output other/new.out
refused "a new output in a directory that does not exist" "No such file or directory" \
  "$tool" -P T 3 2 --output no/such/new.out
# (A checkpoint of a run into a pipe, which records no output file.)
"$tool" -P T 3 2 --checkpoint other/piped.cp 2> /dev/null | cat > /dev/null
sed -e 's/^found \([0-9]*\) \([0-9]*\) \([0-9]*\)/found \1 \2 7/' -e '/^sum /d' other/piped.cp |
  with_checksum > other/forged.cp
refused "a new output with a checkpoint of a forged state" "holds a state that no run" \
  "$tool" -P T 3 2 --checkpoint other/forged.cp --output other/new.out
check "no output made by the refused runs" [ ! -e other/new.out ]
rm -rf fresh.cp fresh.out other

# 10. A closed standard stream is never taken by a file the run opens:
# with standard error closed the lock file used to become descriptor 2,
# and the report went into it and was removed with it, status 0.
"$tool" --checkpoint cp -P B 3 0 > b.bin 2>&-
check "standard error closed: status 2 (got $?)" [ $? = 2 ]
check "standard error closed: no lock file left" [ ! -e cp.lock ]
"$tool" --checkpoint cp2 -P B 3 0 >&- 2> err
check "standard output closed: status 2 (got $?)" [ $? = 2 ]
check "standard output closed: no lock file left" [ ! -e cp2.lock ]
check "standard output closed: said so" grep -q "standard output" err
"$tool" -P B 3 0 > want 2> /dev/null
rm -f b.bin cp cp2
"$tool" --checkpoint cp -P B 3 0 > b.bin 2> /dev/null <&-
check "standard input closed: status 0" [ $? = 0 ]
check "standard input closed: the output whole" cmp -s want b.bin
"$tool" --checkpoint cp3 --output o.bin -P B 3 0 >&- 2> /dev/null
check "standard output closed, --output: status 0" [ $? = 0 ]
check "standard output closed, --output: the output whole" cmp -s want o.bin
"$tool" -P B 3 0 > b2.bin 2>&-
check "standard error closed without a checkpoint: status 2" [ $? = 2 ]
rm -f b.bin b2.bin o.bin cp cp2 cp3 cp.lock cp2.lock cp3.lock want err

# 6. Only a regular file is a checkpoint, and only one of sane length.
mkdir directory
refused "a directory" "is a directory" "$tool" -P N 3 2 --checkpoint directory
refused "/dev/zero" "is a device" "$tool" -P N 3 2 --checkpoint /dev/zero
refused "/dev/urandom" "is a device" "$tool" -P N 3 2 --checkpoint /dev/urandom
refused "/dev/null" "is a device" "$tool" -P N 3 2 --checkpoint /dev/null
mkfifo fifo
refused "a FIFO" "is a FIFO" "$tool" -P N 3 2 --checkpoint fifo
ln -s somewhere link
refused "a symbolic link" "is a symbolic link" "$tool" -P N 3 2 --checkpoint link
truncate -s 300M huge
refused "a file longer than any checkpoint" "longer than any checkpoint" "$tool" -P N 3 2 --checkpoint huge
rm -rf directory fifo link huge

# The first version's checkpoints, which recorded only the output's length.
printf '%s\n' "stable-graphs checkpoint 1" "arguments 4 2d50 4e 33 32" "output -1" "pass 2 0 0 0" \
  "tried 7 0 4 0 0 0 0 0" "unconnected 7 0 0 0 0 0 0 0" "duplicated 7 0 0 0 0 0 0 0" \
  "found 7 0 4 0 0 0 0 0" "codimensions 9 1 1 1 1 0 0 0 0 0" "labelled 0" "labelled-codimensions 0" \
  "printer -" | with_checksum > old.cp
refused "a checkpoint of the first version" "earlier version of stable-graphs" "$tool" -P N 3 2 --checkpoint old.cp
rm -f old.cp old.cp.lock

# The second version's checkpoints, whose tasks were not split: a complete
# checkpoint of today's, marked as version 2 with its checksum made anew.
"$tool" -P N 3 2 --checkpoint new.cp 2> /dev/null
sed -e '1s/^stable-graphs checkpoint 3$/stable-graphs checkpoint 2/' -e '/^sum /d' new.cp | with_checksum > old.cp
refused "a checkpoint of the second version" "divided a pass into other tasks" "$tool" -P N 3 2 --checkpoint old.cp
rm -f old.cp old.cp.lock new.cp new.cp.lock

# Checkpoints of the versions before the graphs' Ids: -P D recorded its
# numbering along codimension sections, "codimension number", and -P J
# recorded nothing.  Taken in the middle of a pass, the graphs written
# carry the other numbering, or no Id: they are refused.
for args in "-P D 3 2" "-P J 3 2"; do
  read -r -a argv <<< "$args"
  rm -f out cp cp.lock
  if ! middle_of_a_pass "${argv[@]}"; then
    check "$args: a checkpoint in the middle of a pass" false
    continue
  fi
  old_state=$(python3 -c '
import sys
state = bytes.fromhex(sys.argv[1]).decode()
components, codimension, number = state.split(" ")
print((codimension + " " + number).encode().hex() if sys.argv[2] == "D" else "-")' \
    "$(sed -n 's/^printer //p' cp)" "${argv[1]}")
  sed -e "s/^printer .*/printer $old_state/" -e '/^sum /d' cp | with_checksum > old.cp
  rm -f cp cp.lock
  if [ "${argv[1]}" = D ]; then message="numbered along codimension sections"; else message="have no Id"; fi
  refused "$args: a checkpoint of the numbering before the Ids" "$message" \
    sh -c '"$0" "$@" --checkpoint old.cp >> out' "$tool" "${argv[@]}"
  rm -f old.cp old.cp.lock
done

# 11. A checkpoint in a directory that does not exist: open(2)'s reason.
refused "a checkpoint in a missing directory" "cannot open the lock file nodir/c.cp.lock of checkpoint nodir/c.cp: No such file or directory" \
  "$tool" -P N 3 2 --checkpoint nodir/c.cp

# 9. Names with control characters are quoted on one line.
name=$(printf 'bad\nname\033[31m')
mkdir "$name"
refused "a checkpoint name with a newline and ESC" 'checkpoint bad?name?\[31m is a directory' \
  "$tool" -P N 3 2 --checkpoint "$name"
rmdir "$name"
"$tool" -P N 3 2 --output "no/such/$name" 2> err
check "an output name with a newline: status 1" [ $? = 1 ]
check "an output name with a newline: one line" [ "$(wc -l < err)" = 1 ]
check "an output name with a newline: shown with ?" grep -q 'no/such/bad?name?\[31m' err
"$convert" "no/such/$name" 2> err
check "a stream name with a newline: refused" [ $? != 0 ]
check "a stream name with a newline: shown with ?" grep -q 'no/such/bad?name?\[31m' err
check "a stream name with a newline: on one line" [ "$(grep -c 'name' err)" = 1 ]

# 7. Forged checkpoints: one value changed, the checksum made again.  Each
# is refused, with nothing cut or written; the real checkpoint still
# resumes to an uninterrupted run's output.
forge() {  # forges $work/base into forged/NNN, one description per line in forged/list
  python3 - base forged << 'EOF'
import os, sys
base, out = sys.argv[1], sys.argv[2]
lines = open(base).read().split("\n")[:-2]  # without the sum line
os.makedirs(out, exist_ok=True)
forgeries = []

def emit(description, changed):
    text = "\n".join(changed) + "\n"
    h = 1469598103934665603
    for c in text.encode("latin-1"):
        h = ((h ^ c) * 1099511628211) % 2**64
    forgeries.append((description, text + "sum %016x\n" % h))

def with_line(index, words):
    changed = list(lines)
    changed[index] = " ".join(words)
    return changed

def index_of(keyword):
    return [i for i, line in enumerate(lines) if line.split(" ")[0] == keyword][0]

# The output's identity, length, start and checksum.
i = index_of("output")
words = lines[i].split(" ")
for w in range(1, 5):
    changed = list(words); changed[w] = str(int(words[w]) + 1)
    emit("output field %d +1" % w, with_line(i, changed))
changed = list(words); changed[5] = "%016x" % (int(words[5], 16) ^ 1)
emit("output checksum", with_line(i, changed))
# The pass: moved back (when its tasks done found something: some tasks
# try no candidate), beyond its tasks, its flags flipped.
i = index_of("pass")
words = lines[i].split(" ")
changes = [(2, int(words[2]) + 1000000), (3, 1 - int(words[3])), (4, 1 - int(words[4]))]
if lines[index_of("tried")].split(" ")[2 + int(words[1])] != "0":
    changes.append((1, int(words[1]) - 1))
for w, value in changes:
    changed = list(words); changed[w] = str(value)
    emit("pass field %d" % w, with_line(i, changed))
# Every counter, one up and one down.
for keyword in ("tried", "unconnected", "duplicated", "found", "codimensions", "labelled",
                "labelled-codimensions"):
    i = index_of(keyword)
    words = lines[i].split(" ")
    for w in range(2, len(words)):
        for change in (1, -1):
            if int(words[w]) + change < 0:
                continue
            changed = list(words); changed[w] = str(int(words[w]) + change)
            emit("%s %d %+d" % (keyword, w - 2, change), with_line(i, changed))
# Counters forged far beyond any run, kept consistent with each other:
# every one of them is bounded, not only found.
most = 2**63 - 1
p = int(lines[index_of("pass")].split(" ")[1])
i_tried, i_unconnected, i_duplicated, i_found = (index_of(k) for k in ("tried", "unconnected", "duplicated", "found"))
for K in sorted({2, p}):
    tried, unconnected, duplicated, found = (lines[j].split(" ") for j in (i_tried, i_unconnected, i_duplicated, i_found))
    if 2 + K >= len(tried):
        continue
    u, f = int(unconnected[2 + K]), int(found[2 + K])
    for top in (most, 2**62 + 1):
        changed = list(lines)
        t = list(tried); t[2 + K] = str(top)
        d = list(duplicated); d[2 + K] = str(top - u - f)
        changed[i_tried] = " ".join(t)
        changed[i_duplicated] = " ".join(d)
        emit("tried and duplicated of pass %d at %d" % (K, top), changed)
# The printer's state: the table position or the last Id, and the Euler
# sums when -E.
i = index_of("printer")
encoded = lines[i].split(" ")[1]
state = "" if encoded == "-" else bytes.fromhex(encoded).decode("latin-1")
def emit_state(description, text):
    emit(description, with_line(i, ["printer", text.encode("latin-1").hex()]))
table, _, euler = state.partition("\0")
rest = state[len(table):]
if table and len(table.split(" ")) == 2:  # the LaTeX table's section and cell
    section, number = table.split(" ")
    emit_state("table number", section + " " + str(int(number) + 100000) + rest)
    emit_state("table section", "99 " + number + rest)
elif table:  # the last Id of -P D and -P J
    components, codimension, number = table.split(" ")
    emit_state("Id number", " ".join([components, codimension, str(int(number) + 100000)]) + rest)
    emit_state("Id components", " ".join([str(int(components) + 1), codimension, "1"]) + rest)
    emit_state("Id codimension", " ".join([components, "99", number]) + rest)
    emit_state("Id at the start", rest)
if euler:
    words = euler.split(" ")
    head = table + "\0"
    emit_state("Euler graphs", head + " ".join([str(int(words[0]) + 1)] + words[1:]))
    emit_state("Euler entries", head + " ".join([words[0], str(int(words[1]) + 1)] + words[2:]))
    for e in range(2, len(words), 3):  # every third key
        key, count = words[e].split(":")
        def emit_entry(description, entry):
            emit_state("Euler entry %d %s" % (e - 2, description), head + " ".join(words[:e] + [entry] + words[e + 1:]))
        emit_entry("count", key + ":" + str(int(count) + 1))
        K = int(key[2:4], 16)
        for byte in range(2 + 2 * K):
            value = int(key[2 * byte:2 * byte + 2], 16) + 1
            if value < 256:
                emit_entry("byte %d" % byte, key[:2 * byte] + "%02x" % value + key[2 * byte + 2:] + ":" + count)
        at = 2 * (2 + 2 * K)
        if key[at:at + 2] == "00":
            emit_entry("order 0", key[:at + 2] + "0" * 16 + ":" + count)
        emit_entry("cut short", key[:-2] + ":" + count)
for n, (description, text) in enumerate(forgeries):
    open(os.path.join(out, "%04d" % n), "w", encoding="latin-1").write(text)
open(os.path.join(out, "list"), "w").write("".join(d + "\n" for d, _ in forgeries))
EOF
}
forgeries=0
for args in "-P T -E 4 1" "-P B -L 2 4" "-P L -E -L 2 3" "-P N -E -L 3 2" "-P D -E 3 2"; do
  read -r -a argv <<< "$args"
  rm -rf out cp cp.lock forged
  "$tool" "${argv[@]}" > want 2> /dev/null
  if ! middle_of_a_pass "${argv[@]}"; then
    check "$args: a checkpoint in the middle of a pass" false
    continue
  fi
  cp cp base
  descriptions=()
  if ! forge || ! mapfile -t descriptions < forged/list; then
    check "$args: forgeries made" false
    continue
  fi
  for ((k = 0; k < ${#descriptions[@]}; ++k)); do
    cp "forged/$(printf '%04d' "$k")" cp
    cp cp forged_cp
    cp out out_before
    timeout 60 "$tool" "${argv[@]}" --checkpoint cp >> out 2> err
    status=$?
    forgeries=$((forgeries + 1))
    if [ "$status" != 1 ] || [ "$(wc -l < err)" != 1 ] || ! cmp -s out out_before || ! cmp -s cp forged_cp; then
      check "$args, ${descriptions[$k]}: refused (status $status: $(head -c 300 err))" false
    fi
  done
  cp base cp
  "$tool" "${argv[@]}" --checkpoint cp >> out 2> /dev/null
  check "$args: the real checkpoint resumes" [ $? = 0 ]
  check "$args: to the whole output" cmp -s want out
done
check "many forgeries ($forgeries)" [ "$forgeries" -gt 400 ]
echo "$forgeries forged checkpoints refused"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
