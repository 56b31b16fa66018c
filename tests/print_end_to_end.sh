#!/usr/bin/env bash
# The print command end to end: the text drawing against its golden file, the
# refusals (puzzles without exactly one solution, malformed lines, existing
# files), and, where the build has cairo and poppler-utils is installed, the
# PDF's pages and text and the SVG of a known puzzle against its golden file.
# Exit 77 (skipped) when the PDF part could not run.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")
cd "$work" || exit 2

same() { cmp -s "$1" "$2"; echo $?; }
is() { [[ "$1" == "$2" ]]; echo $?; }

# Text drawing: puzzles and answers of the worked examples, from a file and from standard input.
"$binary" print "$data/worked_example.txt" >text.out 2>text.err
check "text exits 0" "$(is $? 0)"
check "text matches golden" "$(same text.out "$data/print_worked_example.out")" "$(diff text.out "$data/print_worked_example.out" | head -5)"
check "text writes no diagnostics" "$(is "$(cat text.err)" "")"
"$binary" print - <"$data/worked_example.txt" >stdin.out 2>/dev/null
check "standard input reads the same" "$(same stdin.out text.out)"

# Refusals: puzzles without exactly one solution are named and left out; the others print.
"$binary" print "$data/print_mixed.txt" >mixed.out 2>mixed.err
check "non-unique puzzles exit 3" "$(is $? 3)"
expected_err="vantreel print: line 4: puzzle 2 not printed: it has no solution
vantreel print: line 5: puzzle 3 not printed: it has several solutions"
check "refusals name line and reason" "$(is "$(cat mixed.err)" "$expected_err")" "$(cat mixed.err)"
check "unique puzzles still print" "$(is "$(grep -c '^Puzzle' mixed.out)" 3)"
check "captions keep the number in the file" "$(is "$(grep '^Puzzle' mixed.out | cut -d' ' -f2 | tr '\n' ' ')" "1 4 5 ")"
check "a link prints with its rating, as any line" "$(is "$(grep '^Puzzle 5' mixed.out)" "Puzzle 5 · 4×3 · rating 1 (easy) · unique")"
# The header's level is the maker's word, unchecked: the caption shows the rating worked out instead.
printf -- '-5/4/3/l60.m.07l.4636\n' | "$binary" print - >negative.out 2>&1
check "a header level of -5 is not shown" "$(is "$(grep '^Puzzle' negative.out)" "Puzzle 1 · 4×3 · rating 1 (easy) · unique")" \
  "$(head -n 3 negative.out)"

"$binary" print "$data/malformed_line.txt" >/dev/null 2>malformed.err
check "malformed line exits 1" "$(is $? 1)"
check "malformed line is named" "$(is "$(grep -c '^vantreel print: line 2: ' malformed.err)" 1)"
"$binary" print missing.txt >/dev/null 2>&1
check "missing file exits 1" "$(is $? 1)"
"$binary" print "$data/worked_example.txt" -o sheet.png >/dev/null 2>&1
check "unknown output kind exits 2" "$(is $? 2)"
"$binary" print "$data/worked_example.txt" --paper a5 >/dev/null 2>&1
check "unknown paper exits 2" "$(is $? 2)"

# Everything below needs cairo in the build and poppler-utils.
"$binary" print "$data/worked_example.txt" -o probe.pdf >/dev/null 2>probe.err
if grep -q "install libcairo2-dev" probe.err; then
  echo "print end to end: $passed passed, $failed failed; PDF and SVG skipped: cairo was not built"
  [[ $failed -eq 0 ]] && exit 77 || exit 1
fi
if ! command -v pdfinfo >/dev/null || ! command -v pdftotext >/dev/null; then
  echo "print end to end: $passed passed, $failed failed; PDF and SVG skipped: install poppler-utils"
  [[ $failed -eq 0 ]] && exit 77 || exit 1
fi

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
# Clue numbers of each puzzle, one per line, from the text drawing: puzzle N's go to clues.N.
"$binary" print "$data/generated_11x11.txt" >batch.out
awk '/^Puzzle / { n = $2; inside = 1; next } /^Answer / { inside = 0 }
     inside { while (match($0, /[0-9]*\\[0-9]*/)) { cell = substr($0, RSTART, RLENGTH)
       split(cell, sums, "\\"); for (i = 1; i <= 2; ++i) if (sums[i] != "") print sums[i] > ("clues." n)
       $0 = substr($0, RSTART + RLENGTH) } }' batch.out

"$binary" print "$data/generated_11x11.txt" -o batch.pdf >batch.names 2>batch.err
check "PDF exits 0" "$(is $? 0)"
# (grep, not an empty file: a sanitizer build adds its own report there)
check "11x11 cells need no note" "$(! grep -q 'too small' batch.err; echo $?)"
check "PDF names its file" "$(is "$(cat batch.names)" batch.pdf)"
# 30 puzzles, four to an A4 page, then 12 answers a page.
check "PDF page count" "$(is "$(pages batch.pdf)" 11)" "$(pages batch.pdf)"
# One pdftotext run; its pages end in form feeds.
pdftotext -l 8 batch.pdf - | awk 'BEGIN { RS = "\f" } { print > ("page." NR) }'
for page in 1 2 3 4 5 6 7 8; do
  tr -c '0-9\n' '\n' <page.$page | grep . | sort >page.numbers
  for puzzle in $((4 * page - 3)) $((4 * page - 2)) $((4 * page - 1)) $((4 * page)); do
    [[ -f clues.$puzzle ]] || continue
    missing=$(comm -23 <(sort clues.$puzzle) page.numbers | tr '\n' ' ')
    check "page $page holds the clues of puzzle $puzzle" "$(is "$missing" "")" "missing $missing"
  done
done
check "answers follow on their own pages" \
  "$(pdftotext -f 9 -l 9 batch.pdf - | grep -c 'Answer to puzzle 1$' | grep -qx 1; echo $?)"
"$binary" print "$data/generated_11x11.txt" -o again.pdf >/dev/null
check "PDF is the same on every run" "$(same batch.pdf again.pdf)"

# The largest board prints, and standard error says its cells are too small to write in.
"$binary" print "$data/largest_126x126.txt" -o largest.pdf >/dev/null 2>largest.err
check "a 126x126 board prints" "$(is $? 0)"
check "and is said to be too small" "$(grep -c '^vantreel print: puzzle 1, 126x126, gets 1\.[0-9] mm cells on one A4 page, too small to write in' largest.err | grep -qx 1; echo $?)" "$(cat largest.err)"
# A wide 45x30 board gets its puzzle page turned, with cells large enough to write in.
"$binary" print "$data/wide_45x30.txt" -o wide.pdf >/dev/null 2>wide.err
check "a 45x30 puzzle page is landscape A4" \
  "$(pdfinfo -f 1 -l 1 wide.pdf | grep -Eq 'Page +1 size: +841.89 x 595.276 pts'; echo $?)" "$(pdfinfo -f 1 -l 1 wide.pdf | grep size)"
check "and is not said to be too small" "$(is "$(grep -c 'too small' wide.err)" 0)" "$(cat wide.err)"

cp batch.pdf before.pdf
"$binary" print "$data/generated_15x15.txt" -o batch.pdf >/dev/null 2>exists.err
check "existing file exits 1" "$(is $? 1)"
check "existing file is kept" "$(same batch.pdf before.pdf)"
check "existing file is named" "$(grep -c 'batch.pdf exists' exists.err | grep -qx 1; echo $?)"
"$binary" print "$data/generated_15x15.txt" -o batch.pdf --force --paper letter >/dev/null
check "--force replaces" "$(is $? 0)"
# Two 15x15 puzzles to a page, six answers a page.
check "15x15 page count" "$(is "$(pages batch.pdf)" 20)" "$(pages batch.pdf)"
check "letter paper" "$(pdfinfo batch.pdf | grep -c 'letter' | grep -qx 1; echo $?)"

"$binary" print "$data/print_mixed.txt" -o mixed.pdf >/dev/null 2>&1
check "PDF without non-unique puzzles exits 3" "$(is $? 3)"
check "PDF holds the unique puzzles" "$(is "$(pages mixed.pdf)" 2)"
"$binary" print "$data/contradiction.txt" -o none.pdf >/dev/null 2>&1
check "nothing printable exits 3" "$(is $? 3)"
"$binary" print "$data/malformed_line.txt" -o bad.pdf >/dev/null 2>&1
check "malformed input exits 1" "$(is $? 1)"
"$binary" print "$data/worked_example.txt" -o no/such/folder.pdf >/dev/null 2>&1
check "unwritable folder exits 1" "$(is $? 1)"
check "no file on refusal, no temporary file left" "$(is "$(ls -A | grep -c -e none.pdf -e bad.pdf -e '^\.')" 0)"

# SVG: one file per puzzle and answer; the first matches its golden file.
mkdir svg && "$binary" print "$data/worked_example.txt" -o svg/p.svg >svg.names
check "SVG exits 0" "$(is $? 0)"
check "SVG names" "$(is "$(tr '\n' ' ' <svg.names)" "svg/p-01.svg svg/p-01-answer.svg svg/p-02.svg svg/p-02-answer.svg ")"
check "SVG puzzle matches golden" "$(same svg/p-01.svg "$data/print_worked_example-01.svg")"
check "SVG answer matches golden" "$(same svg/p-01-answer.svg "$data/print_worked_example-01-answer.svg")"
"$binary" print "$data/worked_example.txt" -o svg/p.svg >/dev/null 2>&1
check "SVG refuses to replace" "$(is $? 1)"
check "SVG refusal writes nothing" "$(is "$(ls -A svg | wc -l)" 4)"

# Forty puzzles make eighty files: they must not need a descriptor each at once.
for i in $(seq 40); do head -n 1 "$data/worked_example.txt"; done >forty.txt
mkdir many && (ulimit -n 32 && "$binary" print forty.txt -o many/p.svg >/dev/null 2>many.err)
check "many SVG files with few descriptors" "$(is $? 0)" "$(cat many.err)"
check "many SVG files all written" "$(is "$(ls many | wc -l)" 80)"

echo "print end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
