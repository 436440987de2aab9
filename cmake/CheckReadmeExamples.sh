#!/usr/bin/env bash
# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Runs the examples of README.md as a new user meets them after its first
# set-up command: in a directory holding only the build (build/) and the
# sources' Python module (python/), with no stable-graphs installed (a
# tool of that name on PATH, or a Python module, fails loudly), every
# command of the ```sh blocks after the two set-up commands, in order, and
# the ```python blocks with a stand-in for admcycles that checks what it is
# given.  Also checks that the first set-up command installs what the
# examples call.
#
# A run of genus 8 or more takes minutes: it is run at type (3, n) instead,
# with the same options.  A command that needs latexmk, dot, mpirun (with
# build/stable-graphs-mpi) or python3 is skipped when that is missing,
# unless --all is given or, for LaTeX and Graphviz,
# STABLE_GRAPHS_REQUIRE_LATEX or STABLE_GRAPHS_REQUIRE_GRAPHVIZ is set.
#
#   cmake/CheckReadmeExamples.sh [--all] SOURCE_DIR BUILD_DIR SCRATCH_DIR
set -euo pipefail

all=0
if [ "${1:-}" = --all ]; then all=1; shift; fi
root=$(realpath "$1") build=$(realpath "$2") scratch=$3
fail() { echo "README.md: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/blocks" "$scratch/work" "$scratch/shadow" "$scratch/python-path"
scratch=$(realpath "$scratch")
work=$scratch/work
ln -s "$build" "$work/build"
ln -s "$root/python" "$work/python"

# The fenced blocks of README.md, one file each: N.sh, N.python.
awk -v dir="$scratch/blocks" '
  inside && $0 == "```" { inside = 0; if (file != "") close(file); file = ""; next }
  inside { if (file != "") print > file; next }
  /^```/ { inside = 1; n++; language = substr($0, 4)
           file = (language == "sh" || language == "python") ? dir "/" n "." language : "" }
' "$root/README.md"

setup=() examples=() pythons=()
for block in $(ls "$scratch/blocks" | sort -n); do
  case "$block" in
    *.sh) if head -n 1 "$scratch/blocks/$block" | grep -q '^apt-get update'; then setup+=("$block"); else examples+=("$block"); fi ;;
    *.python) pythons+=("$block") ;;
  esac
done
[ ${#setup[@]} = 2 ] || fail "${#setup[@]} set-up commands (starting 'apt-get update'), not 2"
[ ${#examples[@]} -gt 0 ] && [ ${#pythons[@]} -gt 0 ] || fail "no ```sh or no ```python examples found"

# What the examples call, the first set-up command must install (that it
# installs what the build needs, CI sees on a fresh machine).
first=$(cat "$scratch/blocks/${setup[0]}")
needed=()
all_examples=$(cd "$scratch/blocks" && cat "${examples[@]}")
if grep -q 'latexmk' <<<"$all_examples"; then
  # The document's packages: tikz is in texlive-pictures, booktabs in
  # texlive-latex-recommended.
  needed+=(texlive-latex-base texlive-latex-recommended texlive-pictures latexmk)
fi
if grep -Eq '(^|\| )dot ' <<<"$all_examples"; then needed+=(graphviz); fi
if grep -q 'mpirun' <<<"$all_examples"; then needed+=(libopenmpi-dev openmpi-bin); fi
needed+=(python3)
installed=" $(sed -n 's/.*apt-get install -y \([^&]*\)&&.*/\1/p' <<<"$first") "
for package in "${needed[@]}"; do
  [[ "$installed" == *" $package "* ]] || fail "the first set-up command does not install $package, which the examples need"
done

# Any stable-graphs found on PATH or as a Python module is not the build's.
for tool in stable-graphs stable-graphs-convert stable-graphs-mpi; do
  printf '#!/bin/sh\necho "%s: the README examples must run build/%s, not one on PATH" >&2\nexit 127\n' \
    "$tool" "$tool" > "$scratch/shadow/$tool"
  chmod +x "$scratch/shadow/$tool"
done
echo 'raise ImportError("the README examples must import the module of the sources (python/), not an installed one")' \
  > "$scratch/python-path/stable_graphs.py"
# A stand-in for admcycles: StableGraph(genera, legs, edges) must describe
# a stable graph, each leg numbered once, each edge two legs of its own.
cat > "$scratch/python-path/admcycles.py" <<'EOF'
made = []


class StableGraph:
    def __init__(self, genera, legs, edges):
        assert len(genera) == len(legs) > 0, (genera, legs)
        numbers = sorted(leg for vertex in legs for leg in vertex)
        assert numbers == list(range(1, len(numbers) + 1)), legs
        halves = [half for edge in edges for half in edge]
        assert all(len(edge) == 2 for edge in edges) and len(set(halves)) == len(halves), edges
        assert set(halves) <= set(numbers), (legs, edges)
        for genus, vertex in zip(genera, legs):
            assert 2 * genus - 2 + len(vertex) > 0, (genera, legs)
        g = sum(genera) + len(edges) - len(genera) + 1
        made.append((g, len(numbers) - len(halves)))
EOF

have() { command -v "$1" >/dev/null; }
export OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 OMPI_MCA_rmaps_base_oversubscribe=1
# Why a command cannot run here, or nothing.
missing() {
  local command=$1
  if [[ "$command" == *latexmk* ]] && ! have latexmk; then
    [ $all = 1 ] || [ -n "${STABLE_GRAPHS_REQUIRE_LATEX:-}" ] && fail "latexmk is not installed: $command"
    echo "no latexmk"
  elif grep -Eq '(^|\| )dot ' <<<"$command" && ! have dot; then
    [ $all = 1 ] || [ -n "${STABLE_GRAPHS_REQUIRE_GRAPHVIZ:-}" ] && fail "dot is not installed: $command"
    echo "no dot"
  elif [[ "$command" == *mpirun* ]] && { ! have mpirun || [ ! -x "$build/stable-graphs-mpi" ]; }; then
    [ $all = 1 ] && fail "mpirun or build/stable-graphs-mpi is missing: $command"
    echo "no mpirun or stable-graphs-mpi"
  fi
}

run=0 smaller=0 skipped=0
for block in "${examples[@]}"; do
  command=""
  while IFS= read -r line || [ -n "$line" ]; do
    command+=$line
    if [[ "$command" == *\\ ]]; then command=${command%\\}; continue; fi
    if [ -z "$command" ] || [[ "$command" == \#* ]]; then command=""; continue; fi
    reason=$(missing "$command") || exit 1
    if [ -n "$reason" ]; then
      echo "skipped ($reason): $command"
      skipped=$((skipped + 1))
      command=""
      continue
    fi
    ran=$(sed -E 's/ (8|9|1[0-9]) ([0-9]+)( |$)/ 3 \2\3/' <<<"$command")
    if ! (cd "$work" && PATH="$scratch/shadow:$PATH" PYTHONPATH="$scratch/python-path" \
          bash -o pipefail -c "$ran" < /dev/null > "$scratch/output" 2>&1); then
      tail -n 20 "$scratch/output" >&2
      fail "this example fails: $command"
    fi
    if [ "$ran" = "$command" ]; then echo "ran: $command"; else echo "ran at genus 3: $ran"; smaller=$((smaller + 1)); fi
    run=$((run + 1))
    command=""
  done < "$scratch/blocks/$block"
done

for block in "${pythons[@]}"; do
  if ! have python3; then
    [ $all = 1 ] && fail "python3 is not installed"
    echo "skipped (no python3): the Python example"
    continue
  fi
  cp "$scratch/blocks/$block" "$work/example.py"
  # The strata of M̄_{1,3}: 1, 5, 10 and 7 of codimension 0 to 3, each of
  # type (1, 3).
  made=$(cd "$work" && PATH="$scratch/shadow:$PATH" PYTHONPATH="$scratch/python-path" python3 -c '
import runpy, admcycles
runpy.run_path("example.py")
print(len(admcycles.made), sorted(set(admcycles.made)))' 2>&1) || { echo "$made" >&2; fail "the Python example fails"; }
  [ "$made" = "23 [(1, 3)]" ] || fail "the Python example made '$made', not the 23 strata of M̄_{1,3}"
  echo "ran: the Python example, 23 strata of type (1, 3)"
done

[ $run -ge 10 ] || fail "only $run commands ran"
echo "README.md: $run commands ran ($smaller at a smaller type), $skipped skipped, and ${#pythons[@]} Python example"
