#!/usr/bin/env bash
# explain -o end to end: the step sheet holds every step's sentence in order
# and shades each step's cells; it is the same on every run; it is written
# whole or not at all. Exit 77 (skipped) without cairo or poppler-utils.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")
cd "$work" || exit 2

is() { [[ "$1" == "$2" ]]; echo $?; }
# Refused option combinations need no cairo.
"$binary" explain "$data/explain_levels.txt" -o steps.png >/dev/null 2>png.err
check "unknown output kind exits 2" "$(is $? 2)" "$(cat png.err)"
"$binary" explain "$data/explain_levels.txt" --paper letter >/dev/null 2>paper.err
check "--paper without a sheet exits 2" "$(is $? 2)" "$(cat paper.err)"
"$binary" explain "$data/explain_levels.txt" --grid -o steps.pdf >/dev/null 2>grid.err
check "--grid with a sheet exits 2" "$(is $? 2)" "$(cat grid.err)"
check "refusals write nothing" "$(is "$(ls -A)" "$(ls -A | grep -e '\.err$')")" "$(ls -A)"

"$binary" explain "$data/explain_levels.txt" --line 1 -o probe.pdf >/dev/null 2>probe.err
if grep -q "install libcairo2-dev" probe.err || ! command -v pdftotext >/dev/null || ! command -v pdfinfo >/dev/null; then
  echo "explain sheet end to end: $passed passed, $failed failed; sheets skipped (cairo or poppler-utils missing)"
  [[ $failed -eq 0 ]] && exit 77 || exit 1
fi

# Every sentence of the text form, in order, in the PDF's text (spacing
# aside; a sentence too long for its band is cut, so its start is looked for).
in_order() {  # SENTENCES FLAT_TEXT: 0 when each line of the first starts after the one before
  awk 'NR == FNR { text = text $0; next } { s = substr($0, 1, 60); at = index(substr(text, from + 1), s)
       if (at == 0) { print "missing: " s; bad = 1; exit } from += at + length(s) - 1 } END { exit bad }' "$2" "$1"
}
"$binary" explain "$data/explain_levels.txt" -o sheet.pdf >sheet.names 2>sheet.err
check "PDF exits 0" "$(is $? 0)" "$(cat sheet.err)"
check "PDF names its file" "$(is "$(cat sheet.names)" sheet.pdf)"
"$binary" explain "$data/explain_levels.txt" | grep -e '^Step ' | tr -d ' ' >sentences
pdftotext -raw sheet.pdf - | tr -d ' \n\f' >sheet.flat
check "every step's sentence, in order" "$(in_order sentences sheet.flat >order.out; echo $?)" "$(cat order.out)"
check "a title on every page" "$(is "$(grep -o 'Puzzleonline' sheet.flat | wc -l)" \
  "$(pdfinfo sheet.pdf | awk '/^Pages:/ { print $2 }')")"
"$binary" explain "$data/explain_levels.txt" -o again.pdf >/dev/null
check "PDF is the same on every run" "$(cmp -s sheet.pdf again.pdf; echo $?)"

"$binary" explain "$data/explain_levels.txt" --line 2 --raw --hint -o hint.pdf >/dev/null
"$binary" explain "$data/explain_levels.txt" --line 2 --raw --hint | grep -e '^STEP ' | tr -d ' ' >hint.sentences
pdftotext -raw hint.pdf - | tr -d ' \n\f' >hint.flat
check "--hint --raw draws the hint's lines" "$(in_order hint.sentences hint.flat >hint.out; echo $?)" "$(cat hint.out)"
check "--hint draws only them" "$(is "$(grep -o 'STEP' hint.flat | wc -l)" "$(wc -l <hint.sentences)")"

# An SVG holds one puzzle; its steps' cells are shaded.
"$binary" explain "$data/explain_levels.txt" --line 1 -o one.svg >/dev/null 2>one.err
check "SVG of one puzzle exits 0" "$(is $? 0)" "$(cat one.err)"
steps=$("$binary" explain "$data/explain_levels.txt" --line 1 | grep -c '^Step ')
check "each step shades its cells" "$([[ $(grep -c 'fill:rgb(100%,87%,45%)' one.svg) -ge $steps ]]; echo $?)"
"$binary" explain "$data/explain_levels.txt" -o all.svg >/dev/null 2>all.err
check "SVG of several puzzles exits 2" "$(is $? 2)"
check "SVG of several puzzles is not written" "$([[ ! -e all.svg ]]; echo $?)" "$(cat all.err)"

# Whole or not at all.
cp sheet.pdf before.pdf
"$binary" explain "$data/worked_example.txt" -o sheet.pdf >/dev/null 2>exists.err
check "an existing file is kept" "$(cmp -s sheet.pdf before.pdf; echo $?)" "$(cat exists.err)"
"$binary" explain "$data/worked_example.txt" -o sheet.pdf --force --paper letter >/dev/null
check "--force replaces it, on letter paper" "$(pdfinfo sheet.pdf | grep -c 'letter' | grep -qx 1; echo $?)"
"$binary" explain "$data/malformed_line.txt" -o bad.pdf >/dev/null 2>bad.err
check "a malformed line exits 1" "$(is $? 1)"
check "and writes nothing" "$([[ ! -e bad.pdf ]]; echo $?)" "$(cat bad.err)"
"$binary" explain "$data/print_mixed.txt" -o mixed.pdf >/dev/null 2>mixed.err
check "puzzles without one solution exit 3" "$(is $? 3)" "$(cat mixed.err)"
check "the others are drawn" "$(is "$(pdftotext mixed.pdf - | grep -c 'Puzzle on line')" 3)"
"$binary" explain "$data/largest_126x126.txt" -o large.pdf >/dev/null 2>large.err
check "a sheet too large to draw exits 1" "$(is $? 1)"
check "and says why" "$(grep -q 'too many to draw' large.err; echo $?)" "$(cat large.err)"
check "no temporary file is left" "$(is "$(ls -A | grep -c '^\.')" 0)"

echo "explain sheet end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
