#!/usr/bin/env bash
# `vantreel link` and link input from the command line: the worked example
# both ways, a malformed line among good ones, standard input, and the whole
# test files through link and back into `d`, which must count the same.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$2
cd "$data" || exit 2

link='https://puzz.link/p?kakuro/4/3/l60.m.07l.4636'

out=$("$binary" link worked_example.txt 2>"$work/err"); status=$?
check "worked example to links" "$([[ $status == 0 && ! -s $work/err && $out == "$link"$'\n''https://puzz.link/p?kakuro/2/2/nghhg' ]]; echo $?)" "$out"

out=$("$binary" link - <worked_example.txt 2>/dev/null)
check "standard input" "$([[ $out == "$link"* ]]; echo $?)"

out=$("$binary" link "$link" 2>&1); status=$?
check "a link argument comes back unchanged" "$([[ $status == 0 && $out == "$link" ]]; echo $?)" "$out"

out=$("$binary" link 'http://pzv.jp/p.html?kakuro/4/3/l60.m.07l.4636' 2>&1)
check "an old-host link comes back canonical" "$([[ $out == "$link" ]]; echo $?)" "$out"

out=$("$binary" d "$link" | head -n -1)
check "d reads a link argument" "$([[ $out == "$(head -n 1 stats_worked_example.out)" ]]; echo $?)" "$out"

"$binary" link links.txt >"$work/canonical"
check "every form of link comes back canonical" \
  "$([[ $(grep -c '^https://puzz\.link/p?kakuro/[0-9]*/[0-9]*/' "$work/canonical") == $(wc -l <links.txt) ]]; echo $?)"
"$binary" link "$work/canonical" | cmp -s - "$work/canonical"
check "a canonical link reads and writes back unchanged" $?

printf '# two good lines around a bad one\n%s\n1/2/2/ngh\n\n%s\r\n' "$link" "1/2/2/nghhg" >"$work/mixed.txt"
"$binary" link "$work/mixed.txt" >"$work/out" 2>"$work/err"; status=$?
check "malformed line: exit 1" "$([[ $status == 1 ]]; echo $?)" "status $status"
check "malformed line: the others written" \
  "$(printf '%s\n%s\n' "$link" 'https://puzz.link/p?kakuro/2/2/nghhg' | cmp -s - "$work/out"; echo $?)"
check "malformed line: number and reason" \
  "$([[ $(cat "$work/err") == 'vantreel link: line 3: line ends inside the clues: no across sum for r1c0' ]]; echo $?)" \
  "$(cat "$work/err")"

"$binary" link no_such_file.txt >"$work/out" 2>"$work/err"; status=$?
check "missing file" "$([[ $status == 1 && ! -s $work/out && -s $work/err ]]; echo $?)"
"$binary" link --no-such-option x >/dev/null 2>&1; status=$?
check "unknown option" "$([[ $status == 2 ]]; echo $?)"

# Links of every puzzle, solved by d: the same counters line for line.
for file in worked_example.txt small_5x5.txt odd_9x7.txt largest_126x126.txt generated_*.txt; do
  "$binary" link "$file" >"$work/links.txt"
  check "$file: one link per line" "$([[ $(wc -l <"$work/links.txt") == $(grep -c . "$file") ]]; echo $?)"
  "$binary" d "$work/links.txt" | head -n -1 >"$work/stats"
  "$binary" d "$file" | head -n -1 | cmp -s - "$work/stats"
  check "$file: d on the links" $?
done

echo "link end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
