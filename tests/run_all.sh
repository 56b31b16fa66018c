#!/usr/bin/env bash
# Builds and runs every test: the release build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and (where clang is
# installed with its fuzzer runtime and OpenMP) the threaded generate and c1
# under ThreadSanitizer and a short run of each fuzzer after its kept inputs.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

echo "== release build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

echo "== sanitizer build, assertions live"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# RelWithDebInfo without its -DNDEBUG: the assertions run in this tree.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREEL_BENCH=OFF -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-sanitize --output-on-failure

# The thread and fuzz stages build with clang: they need clang itself, its
# libFuzzer runtime and its OpenMP. Each is probed by a one-line program.
missing=()
probe=$(mktemp -d)
if ! command -v clang++ >/dev/null 2>&1; then
  missing+=(clang libclang-rt-dev libomp-dev)
else
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/fuzz.cpp"
  clang++ -fsanitize=fuzzer "$probe/fuzz.cpp" -o "$probe/fuzz" >/dev/null 2>&1 || missing+=(libclang-rt-dev)
  printf '#include <omp.h>\nint main() { return omp_get_max_threads() > 0 ? 0 : 1; }\n' >"$probe/omp.cpp"
  clang++ -fopenmp "$probe/omp.cpp" -o "$probe/omp" >/dev/null 2>&1 || missing+=(libomp-dev)
fi
rm -rf "$probe"
if [[ ${#missing[@]} -ne 0 ]]; then
  echo "== thread and fuzz stages skipped: install the Debian packages ${missing[*]}"
  echo "all tests passed"
  exit 0
fi

echo "== ThreadSanitizer: the threaded generate and c1"
CC=clang CXX=clang++ cmake -S . -B build-thread -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREEL_TESTS=OFF \
  -DVANTREEL_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g"
cmake --build build-thread -j"$jobs" --target vantreel vantreel-words
# LLVM's OpenMP tells ThreadSanitizer of its own synchronisation through its
# archer tool; without it every barrier would look like a race.
archer=$(clang++ -print-file-name=libarcher.so)
[[ -f $archer ]] || archer=$(ls /usr/lib/llvm-*/lib/libarcher.so 2>/dev/null | head -n 1)
thread_work=$(mktemp -d)
(
  set -e
  export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ignore_noninstrumented_modules=1" OMP_TOOL_LIBRARIES=$archer
  cd "$thread_work"
  for size in 1 2; do
    count=$((size == 1 ? 60 : 6))
    "$OLDPWD/build-thread/app/vantreel" generate --size $size --count $count --seed 11 --threads 2 >two.txt
    "$OLDPWD/build/app/vantreel" generate --size $size --count $count --seed 11 --threads 1 2>/dev/null >one.txt
    cmp one.txt two.txt
  done
  OMP_NUM_THREADS=2 VANTREEL_SEED=11 "$OLDPWD/build-thread/app/vantreel" c1 >/dev/null
  test "$(cat ./*'(size1).dat' | wc -l)" -eq 30
)
rm -rf "$thread_work"
echo "threaded generate and c1: no race, the same puzzles as one thread"

echo "== fuzzing: the kept inputs, then ${FUZZ_SECONDS:-30} s for each fuzzer"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREEL_FUZZ=ON \
  -DVANTREEL_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
cmake --build build-fuzz -j"$jobs" --target puzzle_line_fuzz search_fuzz generator_fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir -p build-fuzz/crashes
# One seed per line of every test file for the line fuzzer.
mkdir "$corpus/puzzle_line" "$corpus/search" "$corpus/generator"
for file in tests/data/*.txt; do
  [[ -f "$file" ]] && split -l 1 -a 4 "$file" "$corpus/puzzle_line/$(basename "$file")."
done
for target in puzzle_line search generator; do
  regressions=tests/fuzz/regressions/$target
  case $target in
    puzzle_line) max_len=20000 ;;
    search) max_len=300 ;;
    generator) max_len=1000 ;;
  esac
  # Every kept input first: a fault found once stays fixed.
  if compgen -G "$regressions/*" >/dev/null; then
    ./build-fuzz/tests/${target}_fuzz -timeout=60 -rss_limit_mb=2048 "$regressions"/* >build-fuzz/kept.log 2>&1 ||
      { cat build-fuzz/kept.log; exit 1; }
    echo "${target}_fuzz: $(find "$regressions" -type f | wc -l) kept inputs pass"
    cp "$regressions"/* "$corpus/$target/"
  fi
  # A new crash input lands in build-fuzz/crashes/; keep it in $regressions once fixed.
  ./build-fuzz/tests/${target}_fuzz -max_total_time="${FUZZ_SECONDS:-30}" -max_len=$max_len -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix="build-fuzz/crashes/$target-" "$corpus/$target" 2>&1 |
    tail -n 2
done
echo "all tests passed"
