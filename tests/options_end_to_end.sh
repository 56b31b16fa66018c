#!/usr/bin/env bash
# Numeric options read one way by every command, output names that are
# folders refused, --force replacing a file only with a complete one, and a
# failed write to standard output named once with the system's reason.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")
cd "$work" || exit 2
puzzles=$data/worked_example.txt

# COMMAND ARGUMENTS... -- OPTION VALUE RANGE: exit 2 and one line naming them.
refused() {
  local args=() option value range
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  option=$2 value=$3 range=$4
  err=$("$binary" "${args[@]}" "$option" "$value" 2>&1 >/dev/null); status=$?
  check "${args[0]} $option '$value' refused" \
    "$([[ $status == 2 && $err == "vantreel ${args[0]}: $option $value: must be a decimal number from $range" ]]; echo $?)" \
    "status $status: $err"
}
for value in 0 abc -1 0x2 +2 2.0 1e3 99999999999999999999; do
  refused explain "$puzzles" -- --line "$value" "1 to 9223372036854775807"
done
for value in 1 x 0x10 -5 2147483648; do refused check "$puzzles" -- --count "$value" "2 to 2147483647"; done
refused generate -- --count 0 "1 to 18446744073709551615"
refused generate -- --count 18446744073709551616 "1 to 18446744073709551615"
refused generate -- --seed -1 "0 to 18446744073709551615"
refused generate -- --seed 0x7 "0 to 18446744073709551615"
refused generate -- --threads 0 "1 to 4096"
refused generate -- --threads 4097 "1 to 4096"
refused generate --count 10 -- --first 18446744073709551607 "0 to 18446744073709551605"
err=$("$binary" explain "$puzzles" --line '' 2>&1)
check "an empty value is shown quoted" "$([[ $err == *"--line '': must be"* ]]; echo $?)" "$err"
out=$("$binary" explain "$puzzles" --line 2 2>&1); status=$?
check "a good value is taken" "$([[ $status == 0 && $out == 'PUZZLE line 2'* ]]; echo $?)" "$out"
out=$("$binary" check --count=3 "$puzzles" 2>&1); status=$?
check "--count=N is the same option" "$([[ $status == 0 && $out == '1: unique'* ]]; echo $?)" "$out"
out=$("$binary" generate --count 2 --seed 1 --threads 1 2>&1); status=$?
check "generate takes its numbers" "$([[ $status == 0 && $(grep -c '^[1-5]/11/11/' <<<"$out") == 2 ]]; echo $?)" "$out"

# Output names that are folders, with or without --force; nothing replaces them.
mkdir d.pdf d.txt d-01.svg
for force in "" --force; do
  err=$("$binary" print "$puzzles" -o d.pdf $force 2>&1); status=$?
  check "print -o folder $force" "$([[ $status == 1 && $err == *'d.pdf: Is a directory'* && -d d.pdf ]]; echo $?)" "$err"
  err=$("$binary" print "$puzzles" -o d.svg $force 2>&1); status=$?
  check "print -o svg folder $force" "$([[ $status == 1 && $err == *'d-01.svg: Is a directory'* && ! -e d-02.svg ]]; echo $?)" \
    "$err"
done
err=$("$binary" generate --count 1 --seed 1 -o d.txt 2>&1); status=$?
check "generate -o folder" "$([[ $status == 1 && $err == 'vantreel: d.txt: Is a directory' && -d d.txt ]]; echo $?)" "$err"

# --force: the old file stays whole until the new one is complete.
if "$binary" print "$puzzles" -o first.pdf >/dev/null 2>&1; then
  echo old >old.pdf
  (ulimit -f 1 && "$binary" print "$data/generated_23x17.txt" -o old.pdf --force >/dev/null 2>"$work/err"); status=$?
  check "--force: a failed write keeps the old file" "$([[ $status != 0 && $(cat old.pdf) == old ]]; echo $?)" \
    "status $status, $(cat "$work/err")"
  check "--force: no temporary file left" "$([[ -z $(ls -A | grep '^\.vantreel') ]]; echo $?)" "$(ls -A)"
  "$binary" print "$puzzles" -o old.pdf --force >/dev/null 2>&1; status=$?
  check "--force replaces a file" "$([[ $status == 0 && $(head -c 5 old.pdf) == '%PDF-' ]]; echo $?)"
else
  echo "skipped the PDF checks: this build writes no PDF"
fi

# A full disk: every command names the system's reason, once.
for args in "s $puzzles" "d $puzzles" "check $puzzles" "link $puzzles" "explain $puzzles" "print $puzzles" \
  "generate --count 3 --seed 1"; do
  # shellcheck disable=SC2086
  "$binary" $args >/dev/full 2>"$work/err"; status=$?
  check "$args > /dev/full" \
    "$([[ $status == 1 && $(cat "$work/err") == 'vantreel: standard output: No space left on device' ]]; echo $?)" \
    "status $status: $(cat "$work/err")"
done

echo "options end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
