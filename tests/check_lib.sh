# Sourced by the end-to-end scripts: a scratch folder $work removed on exit,
# and `check NAME CONDITION-STATUS [DETAIL]`, which counts passes and failures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

check() {
  if [[ $2 -eq 0 ]]; then
    passed=$((passed + 1))
  else
    echo "FAIL $1${3:+: $3}"
    failed=$((failed + 1))
  fi
}
