#!/usr/bin/env bash
# Runs the README's shell examples: every command of its ```sh blocks and of
# its indented example blocks, and compares the output shown after a "$ "
# command. An example that reads a file must name one the repository has;
# the only exceptions are the files a reader makes (a dated c1 batch, the
# host list of a cluster). Building, installing and the test command itself,
# and the runs that take minutes, are left to CI and named here.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
build=$(realpath "$1")
source_dir=$(realpath "$2")
readme=$source_dir/README.md

# The examples run in a scratch folder that sees the repository's files and
# this build as ./build; plain `vantreel` is the same program.
mkdir -p "$work/run" "$work/bin"
for entry in "$source_dir"/*; do
  [[ $(basename "$entry") == build ]] || ln -s "$entry" "$work/run/$(basename "$entry")"
done
ln -s "$build" "$work/run/build"
ln -s "$build/app/vantreel" "$work/bin/vantreel"
export PATH="$work/bin:$PATH"

# Records: "RUN<TAB>command" or "SHOW<TAB>command<TAB>expected output file".
awk -v out="$work" '
  function flush() { if (command != "") { n++; file = out "/expected." n; printf "%s", shown > file; close(file);
                       print "SHOW\t" command "\t" file } command = ""; shown = "" }
  /^```sh$/ { fenced = 1; next }
  /^```/ { fenced = 0; next }
  fenced { line = line $0; if (line ~ /\\$/) { sub(/\\$/, "", line); next } print "RUN\t" line; line = ""; next }
  /^    \$ / { flush(); command = substr($0, 7); next }
  /^    / && command != "" { shown = shown substr($0, 5) "\n"; next }
  /^    (\.\/build\/app\/vantreel|vantreel|VANTREEL_SEED=)/ { print "RUN\t" substr($0, 5); next }
  { flush() }
  END { flush() }
' "$readme" >"$work/examples"

skipped=()
while IFS=$'\t' read -r kind command expected; do
  words=${command%%#*}
  case $words in
    # The Quick start and installing: what CI itself does.
    tools/install-deps* | cmake* | sudo* | man* | "bash tests/run_all.sh"*) skipped+=("$words"); continue ;;
    # Synopses, not commands.
    *"[--"* | *" FILE"*) continue ;;
    # Minutes of work: the c3 and c4 batches, a thousand 15x15 puzzles.
    *" c3"* | *" c4"* | *"--size 2 --count 1000"* | *"--size 3"*) skipped+=("$words"); continue ;;
  esac
  # Every file the example reads must be in the repository.
  missing=""
  read -ra tokens <<<"${words//[\'\"]/}"
  previous=""
  for token in "${tokens[@]}"; do
    if [[ $token == *.txt || $token == *.dat ]] && [[ $previous != -o && $previous != ">" ]] &&
      [[ ! -e "$work/run/$token" ]]; then
      case $token in
        machines.txt | [0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]_[0-9][0-9]\(size[1-4]\).dat) ;;
        *) missing+=" $token" ;;
      esac
    fi
    previous=$token
  done
  check "example names files that exist: $words" "$([[ -z $missing ]]; echo $?)" "missing:$missing"
  [[ -n $missing ]] && continue
  [[ $words == *machines.txt* ]] && { skipped+=("$words"); continue; }
  (cd "$work/run" && timeout 120 bash -c "$words" >"$work/out" 2>&1 </dev/null)
  status=$?
  if [[ $kind == SHOW ]]; then
    sed -i 's/^time=[0-9]*$/time=N/' "$work/out"
    check "output as shown: $words" "$(cmp -s "$work/out" "$expected"; echo $?)" \
      "$(diff "$work/out" "$expected" | head -n 6)"
  else
    # An example runs to its end: 0, or 3 for the checks that find puzzles not unique.
    check "example runs: $words" "$([[ $status == 0 || $status == 3 ]]; echo $?)" \
      "status $status: $(head -c 400 "$work/out")"
  fi
done <"$work/examples"

for example in "${skipped[@]}"; do echo "not run here: $example"; done
echo "README examples: $passed passed, $failed failed"
[[ $failed -eq 0 && $passed -ge 20 ]]
