#!/usr/bin/env bash
# `vantreel generate`: the same file on one and two threads, slices that add up
# to the whole run, level filters that keep positions, a named output that
# appears whole and never replaces a file; and the help and version words.
set -u
source "$(dirname "$(realpath "$0")")/check_lib.sh"
binary=$(realpath "$1")
data=$(realpath "$2")
cd "$work" || exit 2

generate() { "$binary" generate "$@"; }

generate --count 40 --seed 7 --threads 1 -o one.txt 2>one.err
check "one thread exits 0" "$?"
check "one thread names the file and seed" "$([[ $(cat one.err) == 'vantreel: wrote one.txt (seed 7)' ]]; echo $?)"
check "40 puzzles of 11x11" "$([[ $(grep -cE '^[1-5]/11/11/' one.txt) -eq 40 ]]; echo $?)"
generate --count 40 --seed 7 --threads 2 -o two.txt 2>/dev/null
check "two threads give the same file" "$(cmp -s one.txt two.txt; echo $?)"
generate --size 11x11 --count 40 --seed 7 >stdout.txt
check "standard output and --size 11x11 give the same" "$(cmp -s one.txt stdout.txt; echo $?)"
{ generate --count 15 --seed 7 --threads 2; generate --first 15 --count 25 --seed 7 --threads 1; } >sliced.txt
check "two slices concatenated equal one run" "$(cmp -s one.txt sliced.txt; echo $?)"
generate --count 5 --seed 8 >other.txt
check "another seed, other puzzles" "$(! cmp -s other.txt <(head -n 5 one.txt); echo $?)"

# Rejected levels use up their positions: a filtered run is a subset in order.
for levels in 2 1-2 3-5; do
  generate --count 40 --seed 7 --level "$levels" >level.txt
  grep -E "^[${levels}]/" one.txt >expected.txt
  check "--level $levels keeps exactly those lines" "$(cmp -s level.txt expected.txt; echo $?)"
done

# --rating writes exactly --count puzzles of those ratings, each the one check
# computes, the same on any thread count, and the positions it tried say
# where the next slice starts.
generate --count 4 --seed 7 --rating 3-4 --threads 1 >rated.txt 2>rated.err
check "--rating exits 0" "$?"
check "--rating writes exactly 4" "$([[ $(wc -l <rated.txt) -eq 4 ]]; echo $?)"
check "check agrees with every rating" \
  "$([[ $("$binary" check rated.txt | grep -cE 'unique rating=[34] ') -eq 4 ]]; echo $?)"
generate --count 4 --seed 7 --rating 3-4 --threads 2 >rated2.txt 2>/dev/null
check "--rating: two threads give the same" "$(cmp -s rated.txt rated2.txt; echo $?)"
next=$(sed -nE 's/.*the next slice is --first ([0-9]+)$/\1/p' rated.err)
check "--rating names the next slice" "$([[ -n $next ]]; echo $?)"
{ cat rated.txt; generate --count 2 --seed 7 --rating 3-4 --first "$next" 2>/dev/null; } >rated_sliced.txt
generate --count 6 --seed 7 --rating 3-4 >rated6.txt 2>/dev/null
check "--rating: slices from the named position add up to one run" "$(cmp -s rated6.txt rated_sliced.txt; echo $?)"
check "--rating keeps the rated lines of the plain run, in order" \
  "$(cmp -s rated.txt <(grep -xFf rated.txt <(head -n "$next" one.txt)); echo $?)"
# --rated puts each puzzle's rating on a comment line before it: the puzzle
# lines stay those of the plain run, and each rating is the one check prints.
generate --count 6 --seed 7 --rated >labelled.txt 2>/dev/null
check "--rated keeps the puzzle lines" "$(cmp -s <(grep -v '^#' labelled.txt) <(head -n 6 one.txt); echo $?)"
check "--rated gives check's ratings" "$(cmp -s <(grep '^#' labelled.txt | sed 's/^# rating \([0-9]*\).*/\1/') \
  <("$binary" check labelled.txt | grep -o 'rating=[0-9]*' | cut -d= -f2); echo $?)"
generate --count 2 --seed 7 --rating 3-4 --rated >labelled_rated.txt 2>/dev/null
check "--rated with --rating labels the kept puzzles" \
  "$(cmp -s <(grep -v '^#' labelled_rated.txt) <(head -n 2 rated.txt) && grep -c '^# rating [34] ' labelled_rated.txt | grep -qx 2; echo $?)"
generate --count 2 --seed 7 --rating 10 --max-tries 20 -o short.txt 2>short.err
check "--rating that ends short exits 3" "$([[ $? -eq 3 ]]; echo $?)"
check "and says how many it found" "$(grep -qF 'ended short at --max-tries: 0 of 2 puzzles of rating 10' short.err; echo $?)"
check "and leaves no empty file" "$([[ ! -e short.txt ]]; echo $?)"
for bad in "--rating 0" "--rating 11" "--rating 5-3" "--rating 3 --level 2" "--max-tries 5" "--rating 3 --max-tries 0"; do
  # shellcheck disable=SC2086
  generate --count 2 --seed 1 $bad >bad.out 2>bad.err
  check "generate $bad is refused with exit 2" "$([[ $? -eq 2 && ! -s bad.out && $(wc -l <bad.err) -eq 1 ]]; echo $?)"
done

# The d command reads every puzzle back, each solved without trials.
"$binary" d one.txt | head -n -1 >stats.txt
check "d solves all 40" "$([[ $(grep -cE '^[0-9]+,0,[0-9]+,0,0,144$' stats.txt) -eq 40 ]]; echo $?)"

# A drawn seed is printed and repeats the run.
generate --count 3 >drawn.txt 2>drawn.err
seed=$(sed -nE 's/^vantreel: seed ([0-9]+)$/\1/p' drawn.err)
generate --count 3 --seed "$seed" >again.txt
check "the printed seed $seed repeats the run" "$([[ -n $seed ]] && cmp -s drawn.txt again.txt; echo $?)"

# A named output: never replaced, whole or absent.
echo kept >exists.txt
generate --count 2 --seed 1 -o exists.txt 2>exists.err
check "an existing output exits 1" "$([[ $? -eq 1 ]]; echo $?)"
check "an existing output is kept" "$([[ $(cat exists.txt) == kept ]]; echo $?)"
check "an existing output is named" "$([[ $(cat exists.err) == 'vantreel: exists.txt: File exists' ]]; echo $?)"
mkdir full && (cd full && ulimit -f 1 && generate --count 60 --seed 1 -o out.txt 2>../full.err; echo $? >../full.status)
check "a full disk exits 1" "$([[ $(cat full.status) -eq 1 ]]; echo $?)"
check "a full disk says why" "$([[ $(cat full.err) == 'vantreel: failed to write out.txt: File too large' ]]; echo $?)"
check "a full disk leaves no file" "$([[ -z $(ls -A full) ]]; echo $?)"
mkdir stopped && (cd stopped && timeout -s INT 1 "$binary" generate --size 3 --count 50 -o out.txt 2>/dev/null)
check "Ctrl-C leaves no file" "$([[ -z $(ls -A stopped) ]]; echo $?)"
generate --count 5 --seed 1 -o nowhere/out.txt 2>nowhere.err
check "a missing folder exits 1" "$([[ $? -eq 1 ]]; echo $?)"
check "a missing folder says why" \
  "$([[ $(cat nowhere.err) == 'vantreel: nowhere/out.txt: No such file or directory' ]]; echo $?)"

# The fill method: a drawn size and a user's layout, each puzzle proven unique
# by check, the same bytes on one and two threads and in slices.
generate --size 9x7 --count 6 --seed 3 --threads 1 >fill.txt
check "--size 9x7 exits 0" "$?"
check "six 9x7 puzzles" "$([[ $(grep -cE '^[0-5]/9/7/' fill.txt) -eq 6 ]]; echo $?)"
check "check calls every 9x7 puzzle unique" "$("$binary" check fill.txt >/dev/null; echo $?)"
generate --size 9x7 --count 6 --seed 3 --threads 2 >fill2.txt
check "9x7 on two threads gives the same" "$(cmp -s fill.txt fill2.txt; echo $?)"
{ generate --size 9x7 --count 2 --seed 3; generate --size 9x7 --first 2 --count 4 --seed 3; } >fill3.txt
check "9x7 slices equal one run" "$(cmp -s fill.txt fill3.txt; echo $?)"
generate --size 11x11 --method fill --symmetry mirror --white 75 --count 1 --seed 3 >mirror.txt
check "--method fill on an old size" "$([[ $(grep -cE '^[0-5]/11/11/' mirror.txt) -eq 1 ]]; echo $?)"
"$binary" check mirror.txt >/dev/null
check "check calls the mirror puzzle unique" "$?"
generate --layout "$data/../../examples/layout.txt" --count 4 --seed 3 -o laid.txt 2>/dev/null
check "--layout exits 0" "$?"
check "check calls every laid-out puzzle unique" "$("$binary" check laid.txt >/dev/null; echo $?)"
# The first puzzle's own line as the layout keeps its white cells: the cell
# codes other than sums (white streaks, blocks) stay where they were.
head -n 1 laid.txt >line.txt
generate --layout line.txt --count 1 --seed 4 >again.txt
check "a puzzle line as layout keeps its streaks" \
  "$([[ $(cut -d/ -f4 line.txt | tr -d '0-9a-jA-Z') == $(cut -d/ -f4 again.txt | tr -d '0-9a-jA-Z') ]]; echo $?)"

# The fill method's puzzles are the stored ones: a faster search or drawer
# must change no byte.
{ generate --size 9x7 --count 6 --seed 3; generate --size 14x10 --symmetry none --count 10 --seed 5
  generate --size 12x12 --symmetry quarter --white 70 --count 5 --seed 5
  generate --method fill --size 11x11 --symmetry mirror --count 20 --seed 5
  generate --layout "$data/../../examples/layout.txt" --count 4 --seed 3; } >stored.txt 2>/dev/null
check "the fill method gives the stored puzzles" "$(cmp -s stored.txt "$data/generate_fill.out"; echo $?)"

# Layouts that cannot carry a puzzle: exit 1, the row, column and reason.
printf '#..........\n#..........\n' >long.txt
generate --layout long.txt >bad.out 2>bad.err
check "a line of ten cells exits 1" "$([[ $? -eq 1 && ! -s bad.out ]]; echo $?)"
check "a line of ten cells is named" \
  "$([[ $(cat bad.err) == 'vantreel generate: long.txt: row 1, column 2: a white line of 10 cells across (at most 9)' ]]; echo $?)"
printf '..#..\n..#..\n' >split.txt
generate --layout split.txt 2>bad.err
check "split white cells exit 1" "$([[ $? -eq 1 ]] && grep -q 'row 1, column 4: white cells not connected' bad.err; echo $?)"
printf '..#\n.x.\n' >junk.txt
generate --layout junk.txt 2>bad.err
check "a stray character exits 1" "$([[ $? -eq 1 ]] && grep -q "line 2, column 2: not '#'" bad.err; echo $?)"
generate --layout missing.txt 2>bad.err
check "a missing layout exits 1" "$([[ $? -eq 1 ]] && grep -q 'missing.txt: No such file' bad.err; echo $?)"

# Malformed command lines: exit 2 with a message, no output.
for args in "--size 5" "--size 2x9" "--size 127x3" "--size 12x" "--count 0" "--count x" "--level 6" "--level 4-2" "--seed -1" \
  "--seed 18446744073709551616" "--threads 0" "--first 18446744073709551615" "--bogus" "extra" \
  "--size 9x7 --method rules" "--method other" "--size 9x7 --white 90" "--size 9x7 --white 67" \
  "--size 9x7 --symmetry quarter" "--size 9x7 --symmetry twice" "--white 75" "--size 9x7 --layout x.txt" \
  "--layout x.txt --white 75"; do
  # shellcheck disable=SC2086
  generate $args >bad.out 2>bad.err
  status=$?
  check "'$args' exits 2" "$([[ $status -eq 2 && ! -s bad.out && -s bad.err ]]; echo $?)" "$status"
done

# A lone word keeps the usage text and adds a hint.
"$binary" generate >lone.out 2>lone.err
check "lone generate exits 0" "$?"
check "lone generate prints the usage text" "$(cmp -s <(head -n -1 lone.out) "$data/usage_no_argument.out"; echo $?)"
check "lone generate hints at help" "$(grep -q -- '--help' lone.err; echo $?)"

# Help: the old usage text and time line unchanged, every command on standard error.
for word in --help -h help; do
  "$binary" "$word" >help.out 2>help.err
  check "$word exits 0" "$?"
  check "$word prints the usage text" "$(cmp -s <(head -n -1 help.out) "$data/usage_no_argument.out"; echo $?)"
  check "$word ends with the time line" "$(tail -n 1 help.out | grep -qE '^time=[0-9]+$'; echo $?)"
  for command in 's FILE' 'd FILE' 'c1 | c2 | c3 | c4' generate check link print explain --version; do
    check "$word lists $command" "$(grep -qF -- "vantreel $command" help.err; echo $?)"
  done
done
"$binary" --version >version.out 2>&1
check "--version prints the version" "$(grep -qxE 'vantreel [0-9]+\.[0-9]+\.[0-9]+' version.out; echo $?)"

echo "generate end to end: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
