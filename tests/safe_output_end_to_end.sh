#!/usr/bin/env bash
# Nothing lost, nothing silent: standard output that cannot be written, batch
# files under a full disk, Ctrl-C, SIGTERM and a closed pipe, reading standard
# input, endless lines and the reasons files fail.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")

# True when folder $1 holds nothing at all, hidden temporary files included.
empty() { [[ -z $(ls -A "$1") ]]; }

cd "$data" || exit 2

# Standard output on a full disk or closed: the reason, exit 1, for every mode.
for args in "s worked_example.txt" "d worked_example.txt" "" "x"; do
  # shellcheck disable=SC2086
  "$binary" $args >/dev/full 2>"$work/err"
  status=$?
  check "'$args' to a full disk exits 1" "$([[ $status -eq 1 ]]; echo $?)" "$status"
  check "'$args' to a full disk says why" \
    "$([[ $(cat "$work/err") == 'vantreel: standard output: No space left on device' ]]; echo $?)" "$(cat "$work/err")"
done
"$binary" d worked_example.txt >&- 2>"$work/err"
check "closed standard output exits 1" "$([[ $? -eq 1 ]]; echo $?)"
check "closed standard output says why" \
  "$([[ $(cat "$work/err") == 'vantreel: standard output: Bad file descriptor' ]]; echo $?)" "$(cat "$work/err")"
# A long run stops at the first failed write instead of solving on.
yes "$(head -n 1 worked_example.txt)" | head -n 200000 >"$work/many.txt"
start=$(date +%s%N)
"$binary" d "$work/many.txt" >/dev/full 2>/dev/null
check "a failed write ends a long run early" "$([[ $((($(date +%s%N) - start) / 1000000)) -lt 1000 ]]; echo $?)"

# Reading: "-" is standard input, from a file or a pipe.
"$binary" d worked_example.txt | head -n -1 >"$work/named"
"$binary" d - <worked_example.txt | head -n -1 >"$work/redirected"
cat worked_example.txt | "$binary" d - | head -n -1 >"$work/piped"
check "d - reads redirected standard input" "$(cmp -s "$work/named" "$work/redirected"; echo $?)"
check "d - reads a pipe" "$(cmp -s "$work/named" "$work/piped"; echo $?)"
check "standard input holds puzzles" "$([[ -s $work/named ]]; echo $?)"

# A line past the longest puzzle line ends reading at once, even without an end.
timeout 10 "$binary" d /dev/zero >"$work/out" 2>"$work/err"
status=$?
check "d /dev/zero ends with exit 1" "$([[ $status -eq 1 ]]; echo $?)" "$status"
check "d /dev/zero names the line" \
  "$([[ $(cat "$work/err") == 'vantreel: line 1: not a puzzle line; the rest of the file was not read' ]]; echo $?)"
# Blanks past the limit are still read through: a blank line is no error.
{ head -n 1 worked_example.txt; head -c 100000 /dev/zero | tr '\0' ' '; echo; } >"$work/blank_long.txt"
"$binary" d "$work/blank_long.txt" >/dev/null 2>"$work/err"
check "a long blank line at the end is fine" "$([[ $? -eq 0 && ! -s $work/err ]]; echo $?)"

# Files that cannot be read: the old line on standard output, the reason beside it.
touch "$work/locked.txt" && chmod 000 "$work/locked.txt"
if ! cat "$work/locked.txt" 2>/dev/null; then  # root reads anything
  "$binary" s "$work/locked.txt" >"$work/out" 2>"$work/err"
  check "unreadable file exits 1" "$([[ $? -eq 1 ]]; echo $?)"
  check "unreadable file keeps its line" "$([[ $(head -n 1 "$work/out") == "failed to open: $work/locked.txt" ]]; echo $?)"
  check "unreadable file says why" \
    "$([[ $(cat "$work/err") == "vantreel: $work/locked.txt: Permission denied" ]]; echo $?)"
fi

# Batches: the file appears whole or not at all.
cd "$work" || exit 2
mkdir full && (cd full && ulimit -f 1 && VANTREEL_SEED=3 "$binary" c1 >../full.out 2>../full.err; echo $? >../full.status)
check "full disk during a batch exits 1" "$([[ $(cat full.status) -eq 1 ]]; echo $?)" "$(cat full.status)"
check "full disk during a batch says why" \
  "$(grep -qxE 'vantreel: failed to write [0-9]{8}_01\(size1\)\.dat: File too large' full.err; echo $?)" "$(cat full.err)"
check "full disk during a batch does not say finished" "$(! grep -q finished full.out; echo $?)"
check "full disk during a batch leaves no file" "$(empty full; echo $?)" "$(ls -A full)"

mkdir closed && (cd closed && VANTREEL_SEED=3 "$binary" c1 >&- 2>/dev/null; echo $? >../closed.status)
check "batch with closed standard output exits 1" "$([[ $(cat closed.status) -eq 1 ]]; echo $?)"
check "batch with closed standard output leaves no file" "$(empty closed; echo $?)"

for signal in INT TERM; do
  mkdir "stopped$signal"
  (cd "stopped$signal" && timeout -s "$signal" 1 "$binary" c3 >/dev/null 2>&1)
  check "SIG$signal during a batch leaves no file" "$(empty "stopped$signal"; echo $?)" "$(ls -A "stopped$signal")"
done

# The reader of the progress goes away: the batch goes on and writes its file.
mkdir gone && (cd gone && VANTREEL_SEED=3 "$binary" c2 2>../gone.err | head -n 1 >../gone.out;
  echo "${PIPESTATUS[0]}" >../gone.status)
check "closed pipe keeps the first line" "$([[ $(cat gone.out) == 'creating problems...' ]]; echo $?)"
check "closed pipe still makes the batch" "$([[ $(cat gone/*.dat 2>/dev/null | wc -l) -eq 30 ]]; echo $?)"
check "closed pipe names the file" "$(grep -qE '^vantreel: wrote [0-9]{8}_01\(size2\)\.dat \(seed 3\)$' gone.err; echo $?)"
check "closed pipe reports the lost output" \
  "$([[ $(cat gone.status) -eq 1 ]] && grep -qx 'vantreel: standard output: Broken pipe' gone.err; echo $?)"

echo "safe output end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
