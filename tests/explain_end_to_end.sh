#!/usr/bin/env bash
# Runs `vantreel explain` on every case in explain_cases.txt and compares
# standard output, standard error and exit status with the golden files
# NAME.out, NAME.err (when present) and NAME.status (default 0).
# With --update the golden files are rewritten instead.
set -u
binary=$1
data=$2
update=${3:-}
cd "$data" || exit 2
failed=0 passed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

while IFS='|' read -r name args input; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  # shellcheck disable=SC2086
  if [[ -n "$input" ]]; then
    "$binary" explain $args <"$input" >"$work/out" 2>"$work/err"
  else
    "$binary" explain $args </dev/null >"$work/out" 2>"$work/err"
  fi
  status=$?
  if [[ "$update" == "--update" ]]; then
    cp "$work/out" "$name.out"
    if [[ -s "$work/err" ]]; then cp "$work/err" "$name.err"; else rm -f "$name.err"; fi
    if [[ $status -ne 0 ]]; then echo "$status" >"$name.status"; else rm -f "$name.status"; fi
    continue
  fi
  expected_status=0
  [[ -f "$name.status" ]] && expected_status=$(cat "$name.status")
  problems=""
  cmp -s "$work/out" "$name.out" || problems+=" stdout"
  if [[ -f "$name.err" ]]; then
    cmp -s "$work/err" "$name.err" || problems+=" stderr"
  elif [[ -s "$work/err" ]]; then
    problems+=" stderr"
  fi
  [[ "$status" == "$expected_status" ]] || problems+=" status($status, want $expected_status)"
  if [[ -n "$problems" ]]; then
    echo "FAIL $name:$problems"
    diff <(head -c 2000 "$work/out") <(head -c 2000 "$name.out") | head -n 10
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done <explain_cases.txt

echo "explain end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
