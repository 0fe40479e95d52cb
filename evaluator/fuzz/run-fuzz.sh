#!/usr/bin/env bash
# Builds the evaluator with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer and fuzzes it for a bounded time.
#   run-fuzz.sh <work dir> [seconds]
# Seeds come from the test corpus; crashes are left as crash-* files in the
# work dir (turn each into a table test).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mkdir -p "${1:?work dir}" && cd "$1" && pwd)
seconds=${2:-60}
mkdir -p "$work/seeds" "$work/corpus"

sources=()
for unit in CheckedArithmetic FpuEnvironment FunctionLibrary MathFunctions NumberText Parser SafeCalc; do
  sources+=("$here/$unit.cpp")
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined,float-cast-overflow
       -fno-sanitize-recover=all -I"$here")
binary="$work/evaluator_fuzz"
newest_source=$(ls -t "$here"/*.cpp "$here"/*.h "$here"/fuzz/*.cpp | head -1)
if [ ! -x "$binary" ] || [ "$newest_source" -nt "$binary" ]; then
  clang++ "${flags[@]}" -o "$binary" "$here/fuzz/FuzzEvaluate.cpp" "${sources[@]}"
fi

n=0
while IFS= read -r line; do
  printf '\002%s' "$line" > "$work/seeds/line$n"
  n=$((n + 1))
done < "$here/tests/corpus.txt"

cd "$work"
exec "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -dict="$here/fuzz/evaluator.dict" corpus seeds
