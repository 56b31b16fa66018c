#!/usr/bin/env bash
# `cmake --install` puts the program and its manual page in place, the manual
# names every command, and the program configures without the test and
# benchmark libraries when those are off.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
build=$(realpath "$1")
source=$(realpath "$2")

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check "installs the program" "$("$work/prefix/bin/vantreel" | grep -q '^time='; echo $?)"
check "installs the newer commands' helper programs" \
  "$("$work/prefix/bin/vantreel" link "$source/tests/data/worked_example.txt" | grep -q '^https://puzz'; echo $?)"
check "bin/ holds only vantreel" "$([[ $(ls "$work/prefix/bin") == vantreel ]]; echo $?)" "$(ls "$work/prefix/bin")"
check "the helpers go where helper programs go" \
  "$([[ -x $work/prefix/libexec/vantreel/vantreel-words && -x $work/prefix/libexec/vantreel/vantreel-print ]]; echo $?)"
page=$work/prefix/share/man/man1/vantreel.1
check "installs the manual page" "$([[ -f $page ]]; echo $?)"
if command -v groff >/dev/null; then
  check "the manual page has no markup warnings" "$([[ -z $(groff -man -ww -z "$page" 2>&1) ]]; echo $?)"
fi
for word in 's ' 'd ' c1 c4 generate check link print explain '\\-\\-help' '\\-\\-version' VANTREEL_SEED 'EXIT STATUS'; do
  check "the manual page covers $word" "$(grep -q -- "$word" "$page"; echo $?)"
done

# Configuring only: nothing outside the tests and benchmarks may need their libraries.
cmake -S "$source" -B "$work/lean" -DVANTREEL_TESTS=OFF -DVANTREEL_BENCH=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/lean.log" 2>&1
check "configures without GoogleTest and Google Benchmark" "$?" "$(tail -n 3 "$work/lean.log")"

echo "install end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
