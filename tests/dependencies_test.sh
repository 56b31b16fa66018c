#!/usr/bin/env bash
# One list of Debian packages: tools/install-deps reads tools/debian-packages,
# .ci/run installs through that script and nothing else, the README's Quick
# start starts with it and names the same packages, and every package that
# tests/run_all.sh asks for when a stage is skipped is on the list.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
source_dir=$(realpath "$1")
cd "$source_dir" || exit 2

listed=$(tools/install-deps --list | sort)
check "the list is not empty" "$([[ $(wc -l <<<"$listed") -ge 10 ]]; echo $?)" "$listed"
check "the list names each package once" "$([[ -z $(uniq -d <<<"$listed") ]]; echo $?)" "$(uniq -d <<<"$listed")"

check ".ci/run installs through tools/install-deps" "$(grep -q '^ *tools/install-deps$' .ci/run; echo $?)"
check ".ci/run has no package list of its own" "$(! grep -q 'apt-get install' .ci/run; echo $?)" "$(grep 'apt-get install' .ci/run)"

quick=$(sed -n '/^## Quick start/,/^## /p' README.md)
first=$(awk '/^```sh$/ { getline; print; exit }' <<<"$quick")
check "the Quick start begins with the install script" "$([[ $first == 'tools/install-deps && '* ]]; echo $?)" "$first"
named=$(grep '^The packages:' -A3 <<<"$quick" | sed 's/\. Elsewhere.*//' | grep -o '`[^`]*`' | tr -d '`' | sort)
check "the README names the same packages" "$([[ $named == "$listed" ]]; echo $?)" \
  "$(diff <(echo "$named") <(echo "$listed"))"

asked=$(grep -o 'missing+=([^)]*)' tests/run_all.sh | sed 's/missing+=(//; s/)//' | tr ' ' '\n' | sort -u)
for package in $asked; do
  check "run_all.sh asks for a listed package: $package" "$(grep -qx "$package" <<<"$listed"; echo $?)"
done

echo "dependencies: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
