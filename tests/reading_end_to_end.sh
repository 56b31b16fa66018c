#!/usr/bin/env bash
# One reading rule for every command: a byte-order mark before the first line
# is skipped, blanks after the last clue are fine, anything else after it is
# refused with its reason on standard error. s and d keep their standard
# output as it always was and only add the reason.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$2
cd "$data" || exit 2

line='1/4/3/l60.m.07l.4636'
link='https://puzz.link/p?kakuro/4/3/l60.m.07l.4636'
printf '\xEF\xBB\xBF%s\n' "$line" >"$work/mark.txt"
printf '%s \t\n%s  \r\n' "$line" "$link" >"$work/blanks.txt"
printf '%s\n' "$line" >"$work/plain.txt"

# Every newer command reads the marked and the blank-ended files as the plain one.
for command in check link print explain; do
  "$binary" $command "$work/plain.txt" >"$work/plain.out" 2>&1
  "$binary" $command "$work/mark.txt" >"$work/mark.out" 2>&1; status=$?
  check "$command: byte-order mark skipped" "$([[ $status == 0 ]] && cmp -s "$work/plain.out" "$work/mark.out"; echo $?)" \
    "$(head -c 300 "$work/mark.out")"
  "$binary" $command "$work/blanks.txt" >"$work/blanks.out" 2>&1; status=$?
  check "$command: blanks after the last clue" "$([[ $status == 0 ]] && ! grep -q ': malformed' "$work/blanks.out"; echo $?)" \
    "$(head -c 300 "$work/blanks.out")"
done
out=$("$binary" check "$work/mark.txt")
check "check: the level behind the mark" "$([[ $out == '1: unique rating=1 (easy) effort=1'* ]]; echo $?)" "$out"

# A mark is skipped at the start of the input only.
printf '%s\n\xEF\xBB\xBF%s\n' "$line" "$line" >"$work/late.txt"
out=$("$binary" check "$work/late.txt" 2>&1)
check "a mark on line 2 is content" "$([[ $out == *'2: malformed: bad header: level is not a number'* ]]; echo $?)" "$out"

# s and d: the same standard output as for the plain line, the mark skipped
# before the level instead of read as a level of 0.
for mode in s d; do
  "$binary" $mode "$work/plain.txt" | head -n -1 >"$work/plain.out"
  "$binary" $mode "$work/mark.txt" 2>"$work/err" | head -n -1 >"$work/mark.out"
  check "$mode: byte-order mark" "$(cmp -s "$work/plain.out" "$work/mark.out" && [[ ! -s $work/err ]]; echo $?)"
  "$binary" $mode "$work/blanks.txt" 2>"$work/err" | head -n -1 >"$work/blanks.out"
  check "$mode: blanks after the last clue, quietly" \
    "$([[ $(grep -c . "$work/blanks.out") -ge 2 && ! -s $work/err ]]; echo $?)"
done

# Junk after the last clue: refused by every newer command with one reason;
# d solves it as it always did and names the same reason on standard error.
junk="${link}junk"
reason="'j' at column 46 follows the last clue"
out=$("$binary" check "$junk" 2>/dev/null); status=$?
check "check refuses junk" "$([[ $status == 1 && $out == "1: malformed: $reason"* ]]; echo $?)" "$out"
for command in link print explain; do
  err=$("$binary" $command "$junk" 2>&1 >/dev/null); status=$?
  check "$command refuses junk" "$([[ $status == 1 && $err == *"line 1: "*"$reason"* ]]; echo $?)" "$err"
done
out=$("$binary" d "$junk" 2>"$work/err"); status=$?
check "d: standard output as before" "$([[ $status == 0 && $out == '25,0,0,0,0,20'$'\n''time='* ]]; echo $?)" "$out"
check "d: the reason on standard error" \
  "$([[ $(cat "$work/err") == "vantreel: line 1: $reason (read as s and d always have; the other commands refuse this line)" ]]; echo $?)" \
  "$(cat "$work/err")"
printf '%s#comment\n%s\n' "$line" "$line" >"$work/stored.txt"
"$binary" s "$work/stored.txt" >"$work/out" 2>"$work/err"; status=$?
check "s: a stored file with junk is still read whole" \
  "$([[ $status == 0 && $(grep -c '^finished\.$' "$work/out") == 2 && $(wc -l <"$work/err") == 1 ]]; echo $?)" \
  "$(cat "$work/err")"

echo "reading end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
