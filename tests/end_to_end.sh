#!/usr/bin/env bash
# Runs the vantreel binary on every case of a cases file (default cases.txt)
# and compares standard output, standard error and exit status with the
# golden files NAME.out, NAME.err (when present) and NAME.status (default 0).
# A case is NAME|ARGUMENTS|FILE FOR STANDARD INPUT (optional). The original
# modes must end with the time line, which is left out of the comparison;
# the newer command words print none.
# With --update the golden files are rewritten instead.
set -u
binary=$1
data=$2
cases=cases.txt
update=""
for argument in "${@:3}"; do
  if [[ "$argument" == "--update" ]]; then update=$argument; else cases=$argument; fi
done
cd "$data" || exit 2
failed=0 passed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

while IFS='|' read -r name args input; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  # shellcheck disable=SC2086
  "$binary" $args <"${input:-/dev/null}" >"$work/out" 2>"$work/err"
  status=$?
  case ${args%% *} in
    check | link | print | generate | explain) cp "$work/out" "$work/body" ;;
    *)
      last=$(tail -n 1 "$work/out")
      if [[ ! "$last" =~ ^time=[0-9]+$ ]]; then
        echo "FAIL $name: last line is not the time line: $last"
        failed=$((failed + 1))
        continue
      fi
      head -n -1 "$work/out" >"$work/body"
      ;;
  esac
  if [[ "$update" == "--update" ]]; then
    cp "$work/body" "$name.out"
    if [[ -s "$work/err" ]]; then cp "$work/err" "$name.err"; else rm -f "$name.err"; fi
    if [[ $status -ne 0 ]]; then echo "$status" >"$name.status"; else rm -f "$name.status"; fi
    continue
  fi
  expected_status=0
  [[ -f "$name.status" ]] && expected_status=$(cat "$name.status")
  problems=""
  cmp -s "$work/body" "$name.out" || problems+=" stdout"
  if [[ -f "$name.err" ]]; then
    cmp -s "$work/err" "$name.err" || problems+=" stderr"
  elif [[ -s "$work/err" ]]; then
    problems+=" stderr"
  fi
  [[ "$status" == "$expected_status" ]] || problems+=" status($status, want $expected_status)"
  if [[ -n "$problems" ]]; then
    echo "FAIL $name:$problems"
    diff <(head -c 2000 "$work/body") <(head -c 2000 "$name.out") | head -n 10
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done <"$cases"

echo "end to end ($cases): $passed passed, $failed failed"
[[ $failed -eq 0 ]]
