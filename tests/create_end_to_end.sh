#!/usr/bin/env bash
# Runs `vantreel c1` with a fixed seed on one thread in fresh folders: checks
# the console frame, the file, that the same seed gives the same file, that
# the s and d commands read every puzzle back, and that each level is the
# one its d statistics earn. Also the two refusals: a bad seed and a folder
# that cannot take the file.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")

# Makes one seeded batch in folder $1; stdout, stderr and status beside it.
create_in() {
  mkdir -p "$1"
  (cd "$1" && VANTREEL_SEED=12345 OMP_NUM_THREADS=1 "$binary" c1 >../"$(basename "$1")".out \
    2>../"$(basename "$1")".err; echo $? >../"$(basename "$1")".status)
}

create_in "$work/a"
check "seeded run exits 0" "$([[ $(cat "$work/a.status") == 0 ]]; echo $?)"

expected_frame=$'creating problems...\n+----------------------------+\noooooooooooooooooooooooooooooo\nfinished.'
frame=$(head -n 4 "$work/a.out")
check "console frame with 30 marks" "$([[ "$frame" == "$expected_frame" ]]; echo $?)" "$frame"
check "time line last" "$(tail -n 1 "$work/a.out" | grep -qE '^time=[0-9]+$'; echo $?)"
check "nothing else printed" "$([[ $(wc -l <"$work/a.out") -eq 5 ]]; echo $?)"

mapfile -t files < <(cd "$work/a" && ls -A)
check "one file" "$([[ ${#files[@]} -eq 1 ]]; echo $?)" "${files[*]}"
file=${files[0]:-missing}
check "dated name" "$([[ "$file" =~ ^[0-9]{8}_01\(size1\)\.dat$ ]]; echo $?)" "$file"
check "30 lines" "$([[ $(wc -l <"$work/a/$file") -eq 30 ]]; echo $?)"
check "12 x 12 boards" "$([[ $(grep -cE '^[1-5]/11/11/' "$work/a/$file") -eq 30 ]]; echo $?)"
check "standard error names the file and the seed" \
  "$([[ $(cat "$work/a.err") == "vantreel: wrote $file (seed 12345)" ]]; echo $?)" "$(cat "$work/a.err")"

create_in "$work/b"
other=$(cd "$work/b" && ls)
check "same seed, same file" "$(cmp -s "$work/a/$file" "$work/b/$other"; echo $?)"

create_in "$work/a"
check "next run takes number 02" "$(ls "$work/a" | grep -qE '_02\(size1\)\.dat$'; echo $?)"

(cd "$work/a" && "$binary" s "$file") >"$work/solve.out"
check "s finishes all 30" "$([[ $(grep -c '^finished\.$' "$work/solve.out") -eq 30 ]]; echo $?)"
check "s fails none" "$(! grep -q '^failed\.$' "$work/solve.out"; echo $?)"

(cd "$work/a" && "$binary" d "$file") | head -n -1 >"$work/stats.out"
check "d prints 30 statistics lines" \
  "$([[ $(grep -cE '^[0-9]+,0,[0-9]+,[0-9]+,[0-9]+,144$' "$work/stats.out") -eq 30 ]]; echo $?)"
# The grade, term by term in double precision, against each line's level.
levels=$(paste -d, "$work/stats.out" <(cut -d/ -f1 "$work/a/$file") | awk -F, '{
  x = $1 * 0.546 - 1885.598; x += $2 * 11.604; x += $3 * 15.72; x += $6 * 1.528
  x += ($1 * 957.54) / $6
  level = x < 300 ? 1 : x < 600 ? 2 : x < 1000 ? 3 : x < 1800 ? 4 : 5
  if (level != $7) print NR ": level " $7 ", statistics give " level }')
check "levels match the statistics" "$([[ -z "$levels" ]]; echo $?)" "$levels"

# 2^31 + 5 would repeat the batch of seed 5, so it is refused like any non-number.
for seed in 12x 2147483648 2147483653; do
  mkdir "$work/bad"
  (cd "$work/bad" && VANTREEL_SEED=$seed "$binary" c1 >../bad.out 2>../bad.err; echo $? >../bad.status)
  check "bad seed $seed exits 2" "$([[ $(cat "$work/bad.status") == 2 ]]; echo $?)"
  check "bad seed $seed message" \
    "$([[ $(cat "$work/bad.err") == 'vantreel: VANTREEL_SEED must be a number from 0 to 2147483647' ]]; echo $?)"
  check "bad seed $seed prints only the time line" "$(grep -qxE 'time=[0-9]+' "$work/bad.out" &&
    [[ $(wc -l <"$work/bad.out") -eq 1 ]]; echo $?)"
  check "bad seed $seed makes no file" "$([[ -z $(ls -A "$work/bad") ]]; echo $?)"
  rm -rf "$work/bad"
done

# The seed a batch reports makes the same batch again; the largest one is accepted.
mkdir "$work/again" "$work/again2"
(cd "$work/again" && OMP_NUM_THREADS=1 "$binary" c1 >/dev/null 2>../again.err)
reported=$(sed -nE 's/^vantreel: wrote .* \(seed ([0-9]+)\)$/\1/p' "$work/again.err")
(cd "$work/again2" && VANTREEL_SEED=$reported OMP_NUM_THREADS=1 "$binary" c1 >/dev/null 2>&1)
check "reported seed $reported repeats the batch" \
  "$(cmp -s "$work/again/$(ls "$work/again")" "$work/again2/$(ls "$work/again2")"; echo $?)"
mkdir "$work/largest"
(cd "$work/largest" && VANTREEL_SEED=2147483647 "$binary" c1 >/dev/null 2>&1)
check "seed 2147483647 makes a batch" "$([[ $(cat "$work/largest"/*.dat | wc -l) -eq 30 ]]; echo $?)"

# A folder removed under the running command cannot take the file.
mkdir "$work/gone"
(cd "$work/gone" && rmdir "$work/gone" && VANTREEL_SEED=1 "$binary" c1 >../gone.out 2>../gone.err;
  echo $? >../gone.status)
check "unopenable file exits 1" "$([[ $(cat "$work/gone.status") == 1 ]]; echo $?)"
check "unopenable file message" \
  "$(head -n 1 "$work/gone.out" | grep -qE '^failed to open: [0-9]{8}_01\(size1\)\.dat$'; echo $?)"
check "unopenable file reason" \
  "$(grep -qE '^vantreel: [0-9]{8}_01\(size1\)\.dat: [A-Z].+$' "$work/gone.err"; echo $?)"

# Golden batches: a seeded one-thread batch must never change, whatever is
# optimised.
data=$(dirname "$(realpath "$0")")/data
for size in 1 2; do
  mkdir "$work/golden$size"
  (cd "$work/golden$size" && VANTREEL_SEED=77 OMP_NUM_THREADS=1 "$binary" c$size >/dev/null 2>&1)
  golden=$(ls "$work/golden$size")
  expected=$data/generated_$([[ $size == 1 ]] && echo 11x11 || echo 15x15).txt
  check "seed 77 gives the golden c$size file" "$(cmp -s "$work/golden$size/$golden" "$expected"; echo $?)"
done

echo "create end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
