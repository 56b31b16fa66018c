#!/usr/bin/env bash
# Runs `vantreel check` on the files in data/ and compares its standard output
# and exit status with what each answer must look like.
set -u
binary=$(realpath "$1")
cd "$2" || exit 2
failed=0 passed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# expect NAME STATUS EXPECTED_STDOUT -- ARGS...; stdin comes from $input when set.
expect() {
  local name=$1 status=$2 expected=$3
  shift 4
  "$binary" check "$@" <"${input:-/dev/null}" >"$work/out" 2>"$work/err"
  local actual=$?
  if [[ "$actual" != "$status" ]] || ! diff <(printf '%s' "$expected") "$work/out" >"$work/diff"; then
    echo "FAIL $name: status $actual (want $status)"
    head -n 10 "$work/diff"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
}

answers='3: unique rating=1 (easy) effort=1
4: multiple differ=r1c1,r1c2,r2c1,r2c2
5: none: r1c0 across: no 3 different digits sum to 4
6: none: r1c1: no digit fits
7: none: r1c0 across: its cells leave no 2 different digits that sum to 3
8: none: search
10: unique rating=1 (easy) effort=1
checked 7 lines: 2 unique, 1 multiple, 4 none, 0 unknown, 0 malformed
'
expect every_answer 3 "$answers" -- check_answers.txt
input=check_answers.txt expect standard_input 3 "$answers" -- -

expect solutions_and_counts 3 '3: unique rating=1 (easy) effort=1 solution=1231234
4: multiple solutions=2 differ=r1c1,r1c2,r2c1,r2c2 solution=1221
5: none: r1c0 across: no 3 different digits sum to 4
6: none: r1c1: no digit fits
7: none: r1c0 across: its cells leave no 2 different digits that sum to 3
8: none: search
10: unique rating=1 (easy) effort=1 solution=9879
checked 7 lines: 2 unique, 1 multiple, 4 none, 0 unknown, 0 malformed
' -- --count 5 --solution check_answers.txt
expect count_stops_at_its_bound 3 '1: multiple solutions=3+ differ=r1c118,r1c119,r2c118,r2c119
checked 1 line: 0 unique, 1 multiple, 0 none, 0 unknown, 0 malformed
' -- hostile_many_solutions.txt --count 3

expect all_unique 0 '1: unique rating=1 (easy) effort=1
2: unique rating=1 (easy) effort=1
checked 2 lines: 2 unique, 0 multiple, 0 none, 0 unknown, 0 malformed
' -- worked_example.txt
# Row sums that add up to one more than the column sums: only a walk over
# every filling could show there is none.
expect search_budget 3 '1: unknown: search budget
checked 1 line: 0 unique, 0 multiple, 0 none, 1 unknown, 0 malformed
' -- check_budget_7x7.txt
expect former_budget_board 3 '1: none: search
checked 1 line: 0 unique, 0 multiple, 1 none, 0 unknown, 0 malformed
' -- check_budget.txt
# No solution, and only a walk over the whole tree shows it: restarts alone
# answered this one "unknown" at the budget.
expect restarts_cannot_prove 3 '1: none: search
checked 1 line: 0 unique, 0 multiple, 1 none, 0 unknown, 0 malformed
' -- check_restarts_cannot_prove.txt
# Drafts: random fillings of hand-made-looking layouts with their sums.
expect loose_drafts 3 "$(cat check_loose_200.out)
" -- loose_200.txt

# The reader's words are its own; here only the answer kind and the status count.
"$binary" check check_malformed.txt >"$work/out" 2>/dev/null
status=$?
if [[ $status -eq 1 && "$(sed -n 2p "$work/out")" == "2: malformed: "* &&
      "$(sed -n 3p "$work/out")" == "3: multiple differ=r1c1,r1c2,r2c1,r2c2" ]]; then
  passed=$((passed + 1))
else
  echo "FAIL malformed_line_does_not_stop_reading: status $status"
  failed=$((failed + 1))
fi

expect missing_file 1 '' -- no_such_file.txt
expect unknown_option 2 '' -- --no-such-option check_answers.txt
expect count_below_two 2 '' -- --count 1 check_answers.txt

echo "check end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
