#!/usr/bin/env bash
# The vantreel program stays quick to start: it contains neither the option
# parser of the newer commands nor the standard streams, whose set-up would
# run before main on every start. Those commands run in vantreel-words
# beside it (vantreel-print for the ones that draw), and a missing helper is
# reported, not silently skipped.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$2
command -v nm >/dev/null || { echo "nm not found: install binutils"; exit 77; }

symbols=$(nm -C "$binary")
check "vantreel holds no option parser" "$(grep -q 'CLI::' <<<"$symbols"; [[ $? == 1 ]]; echo $?)"
check "vantreel sets up no standard streams" "$(grep -q 'ios_base::Init' <<<"$symbols"; [[ $? == 1 ]]; echo $?)"

cp "$binary" "$work/vantreel"
for word in check:words link:words generate:words explain:print print:print; do
  helper=vantreel-${word#*:} word=${word%:*}
  out=$("$work/vantreel" "$word" "$data/worked_example.txt" 2>"$work/err"); status=$?
  check "$word without $helper: exit 1" "$([[ $status == 1 && -z $out ]]; echo $?)" "status $status"
  check "$word without $helper: says so" \
    "$([[ $(cat "$work/err") == "vantreel $word: cannot run $work/$helper: No such file or directory" ]]; echo $?)" \
    "$(cat "$work/err")"
done

echo "start-up end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
