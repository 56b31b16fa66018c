#!/usr/bin/env bash
# What the commands say at their edges: counts with their plural, an input
# without a puzzle, a mistyped command word, a newer word alone, --paper
# without a PDF, SVG names that sort, and generate's bar on a shared terminal.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")
cd "$work" || exit 2

printf '1/4/3/l60.m.07l.4636\n' >one.txt
out=$("$binary" check one.txt)
check "one line, singular" "$([[ $out == *'checked 1 line: 1 unique,'* ]]; echo $?)" "$out"

printf '# only a comment\n\n   \n' >comment.txt
for command in check link print explain; do
  for input in "$data/empty_file.txt" comment.txt; do
    "$binary" $command "$input" >out 2>err; status=$?
    check "$command $(basename "$input"): no puzzle" \
      "$([[ $status == 1 && $(tail -n 1 err) == "vantreel $command: no puzzle in $input" ]]; echo $?)" \
      "status $status: $(cat err)"
  done
  "$binary" $command - </dev/null >out 2>err; status=$?
  check "$command of empty standard input" \
    "$([[ $status == 1 && $(tail -n 1 err) == "vantreel $command: no puzzle in standard input" ]]; echo $?)" "$(cat err)"
done
out=$("$binary" check "$data/empty_file.txt" 2>/dev/null)
check "check still prints its summary" "$([[ $out == 'checked 0 lines: '* ]]; echo $?)" "$out"

# Mistyped words: the usage text on standard output as always, a hint after it.
"$binary" >usage.out 2>/dev/null
for pair in chek:check lnik:link prnit:print explian:explain genrate:generate hepl:help; do
  "$binary" "${pair%%:*}" one.txt >out 2>err; status=$?
  check "'${pair%%:*}' suggests ${pair##*:}" \
    "$([[ $status == 0 && $(cat err) == "vantreel: unknown command '${pair%%:*}'; did you mean ${pair##*:}?" ]] &&
      cmp -s <(grep -v '^time=' out) <(grep -v '^time=' usage.out); echo $?)" "$(cat err)"
done
for word in xyz banana checkers x; do
  "$binary" "$word" >/dev/null 2>err
  check "'$word' gets no guess" "$([[ ! -s err ]]; echo $?)" "$(cat err)"
done
"$binary" generate >out 2>err; status=$?
check "generate alone: its own usage line, no file name wanted" \
  "$([[ $status == 0 && $(cat err) == 'vantreel: usage: vantreel generate ['* && $(cat err) != *'file name'* ]]; echo $?)" \
  "$(cat err)"
"$binary" check >/dev/null 2>err
check "check alone: its usage line" "$([[ $(cat err) == 'vantreel: usage: vantreel check '*FILE* ]]; echo $?)" "$(cat err)"

err=$("$binary" print one.txt --paper letter 2>&1); status=$?
check "--paper without -o is refused" "$([[ $status == 2 && $err == *'--paper'*'-o OUT.pdf'* ]]; echo $?)" "$err"
err=$("$binary" print one.txt --paper letter --output x.svg 2>&1); status=$?
check "--paper with SVG names -o as typed" "$([[ $status == 2 && $err == *'--output OUT.pdf'* && ! -e x-01.svg ]]; echo $?)" \
  "$err"

# SVG names padded to the widest number, so that they sort as the puzzles do.
"$binary" generate --count 100 --seed 3 --threads 1 >hundred.txt 2>/dev/null
if "$binary" print one.txt -o probe.svg >names.out 2>/dev/null; then
  check "print -o names its files on standard output" \
    "$([[ $(cat names.out) == 'probe-01.svg'$'\n''probe-01-answer.svg' ]]; echo $?)" "$(cat names.out)"
  "$binary" print hundred.txt -o many.svg >names.out 2>/dev/null
  check "SVG names with three digits from 100 puzzles on" \
    "$([[ $(head -n 1 names.out) == many-001.svg && $(tail -n 1 names.out) == many-100-answer.svg &&
      $(ls many-*.svg | wc -l) == 200 ]]; echo $?)" "$(head -n 2 names.out)"
  check "the names sort as the puzzles" "$(ls many-*.svg | grep -v answer | sort -c 2>&1; echo $?)"
else
  echo "skipped the SVG checks: this build writes no SVG"
fi

# On one terminal for both outputs, each puzzle line starts after the bar is cleared.
if command -v script >/dev/null 2>&1; then
  script -qec "$binary generate --count 6 --seed 1 --threads 1" /dev/null >screen.txt
  # What the terminal shows on each line: the text after its last carriage
  # return (a cleared bar leaves nothing behind).
  shown=$(sed 's/\r$//; s/.*\r//; s/\x1b\[K//g' screen.txt | grep '/11/11/' | grep -c '^[1-5]/11/11/[^[]*$')
  check "puzzle lines never share the bar's line" "$([[ $shown == 6 ]]; echo $?)" "$(od -c screen.txt | head -n 8)"
  check "the bar is still drawn" "$(grep -q '\[#*-*\] 6/6' screen.txt; echo $?)"
else
  echo "skipped the terminal checks: no script(1)"
fi

echo "messages end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
