#!/usr/bin/env bash
# The README's GNU parallel example, run for real on local job slots (-S :)
# with fewer and smaller slices: its output must equal one run of the same
# positions.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
source_dir=$(realpath "$2")
cd "$work" || exit 2
mkdir bin && ln -s "$binary" bin/vantreel
export PATH="$work/bin:$PATH"

example=$(sed -n '/^### Spreading a run over machines/,/^```$/p' "$source_dir/README.md" |
  sed -n '/^```sh$/,/^```$/p' | sed '1d;$d' | sed -z 's/\\\n *//g')
check "the README has the parallel example" "$([[ $example == *parallel* ]]; echo $?)" "$example"
# Four slices of five 11x11 puzzles on this machine instead of a hundred of a
# hundred 19x15 puzzles on the hosts of machines.txt.
local_run=$(sed -e 's/--sshloginfile machines.txt/-S :/' -e 's/seq 0 99/seq 0 3/' -e 's/{} \* 100/{} * 5/' \
  -e 's/--count 100/--count 5/' -e 's/--size 3/--size 1/' <<<"$example")
check "the example was adapted" "$([[ $local_run == *'-S :'* && $local_run == *'--count 5'* ]]; echo $?)" "$local_run"
bash -c "$local_run" 2>/dev/null
check "the example exits 0" "$?"
vantreel generate --size 1 --seed 7 --count 20 >whole.txt
check "the slices equal one run" "$(cmp -s puzzles.txt whole.txt; echo $?)"
check "twenty puzzles" "$([[ $(wc -l <puzzles.txt) -eq 20 ]]; echo $?)"

echo "parallel end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
