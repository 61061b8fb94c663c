#!/usr/bin/env bash
# Builds the release programs into build-bench/, generates the benchmark list (wide: many
# lenses with few coatings each), its double, the deep list (few lenses with dozens of
# coatings of each kind), a list of one lens whose rows fill a gigabyte, the large list of
# 50 million glass prices and two hostile archives, and measures
# in one run: both evaluation engines on the wide and the deep list, on one thread and on
# all cores, as many one-thread evaluations of the deep list side by side as there are
# cores (what the machine gives with all cores busy: a shared machine may give far less
# than one core's speed times their number, so the threads are judged against this, and
# 0.9 of it is 1.8x one thread on two cores that run at full speed together), the import
# at both sizes, `kr6csv evaluate` end to end, the peak memory of `kr6csv evaluate` against
# `kr6csv info` on every list, and the time and peak memory of `kr6csv diff` of the list
# against a later season of it against those of one evaluate; the memory per glass price,
# the import against decompressing its input alone, and how fast and with how little
# memory the hostile archives are refused.
# Repetitions of different benchmarks are interleaved, so that a slow minute of the machine
# does not fall on one benchmark alone, and their median counts. Prints the figures with
# PASS or FAIL against the targets; exits 1 when a target fails.
#
#   KR6_BENCH_BUILD_DIR        build directory (default build-bench)
#   KR6_BENCH_LITERAL_LENSES   lenses in the literal engine's sample (default 30)
#   KR6_BENCH_DEEP_LITERAL_LENSES  deep lenses in the literal engine's sample (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh

build="${KR6_BENCH_BUILD_DIR:-build-bench}"
cores="$(nproc)"
literal_lenses="${KR6_BENCH_LITERAL_LENSES:-30}"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKR6_SANITIZE=OFF -DKR6_BUILD_TESTS=OFF \
    -DKR6_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --parallel "$cores" --target kr6csv make-demo-kr6 kr6-bench peak-rss \
    >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

lenses=3000 coatings=400 rules=20000 price_lines=500000
echo "Generating the benchmark list and its double ..." >&2
"$build/tools/make-demo-kr6" "$work/bench.zip" --lenses $lenses --coatings $coatings \
    --rules $rules --price-lines $price_lines --seed 1 2>/dev/null
"$build/tools/make-demo-kr6" "$work/bench-2x.zip" --lenses $((2 * lenses)) \
    --coatings $((2 * coatings)) --rules $((2 * rules)) --price-lines $((2 * price_lines)) \
    --seed 1 2>/dev/null
"$build/tools/make-demo-kr6" "$work/bench-changed.zip" --lenses $lenses --coatings $coatings \
    --rules $rules --price-lines $price_lines --seed 1 --changes 1 2>/dev/null
"$build/tools/make-demo-kr6" "$work/deep.zip" --shape deep 2>/dev/null
"$build/tools/make-demo-kr6" "$work/one-lens.zip" --shape one-lens 2>/dev/null
echo "Generating the large list and two hostile archives ..." >&2
"$build/tools/make-demo-kr6" "$work/large.zip" --shape large 2>/dev/null
cp examples/demo-kr6.zip "$work/example.zip"
# A deflate bomb: 3 GiB of zeros in some 3 MB, read from a pipe so that no file holds them.
mkdir "$work/bomb"
mkfifo "$work/bomb/LensType.Dat"
head -c $((3 << 30)) /dev/zero >"$work/bomb/LensType.Dat" &
(cd "$work/bomb" && zip -q -1 -FI ../bomb.zip LensType.Dat)
wait
# 200000 empty lens lines, which would each make a lens.
mkdir "$work/empty"
awk 'BEGIN { for (i = 0; i < 200000; i++) printf "\r\n" }' >"$work/empty/LensType.Dat"
(cd "$work/empty" && zip -q ../empty-lines.zip LensType.Dat)

load_before="$(cut -d' ' -f1 /proc/loadavg)"
echo "Running the benchmarks ..." >&2
KR6_BENCH_ARCHIVE="$work/bench.zip" KR6_BENCH_ARCHIVE_2X="$work/bench-2x.zip" \
    KR6_BENCH_ARCHIVE_DEEP="$work/deep.zip" KR6_BENCH_ARCHIVE_LARGE="$work/large.zip" \
    KR6_BENCH_THREADS="$cores" KR6_BENCH_LITERAL_LENSES="$literal_lenses" \
    "$build/bench/kr6-bench" --benchmark_enable_random_interleaving=true \
    --benchmark_out="$work/bench.csv" --benchmark_out_format=csv >&2

# Seconds since the epoch, to the nanosecond.
now() {
    date +%s.%N
}

echo "Measuring peak memory and the time of evaluate and diff ..." >&2
start=$(now)
"$build/bench/peak-rss" -o "$work/evaluate.rss" \
    "$build/cli/kr6csv" evaluate -q -o /dev/null "$work/bench.zip"
evaluate_seconds=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')
start=$(now)
diff_status=0
"$build/bench/peak-rss" -o "$work/diff.rss" \
    "$build/cli/kr6csv" diff -q -o /dev/null "$work/bench.zip" "$work/bench-changed.zip" ||
    diff_status=$?
diff_seconds=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')
if [[ $diff_status -ne 3 ]]; then
    echo "kr6csv diff ended with status $diff_status instead of 3 (rows differ)" >&2
    exit 1
fi
"$build/bench/peak-rss" -o "$work/info.rss" "$build/cli/kr6csv" info "$work/bench.zip" >/dev/null
for shape in deep one-lens; do
    "$build/bench/peak-rss" -o "$work/$shape-evaluate.rss" \
        "$build/cli/kr6csv" evaluate -q -o /dev/null "$work/$shape.zip"
    "$build/bench/peak-rss" -o "$work/$shape-info.rss" \
        "$build/cli/kr6csv" info "$work/$shape.zip" >/dev/null
done
one_lens_bytes=$("$build/cli/kr6csv" evaluate -q "$work/one-lens.zip" | wc -c)
"$build/bench/peak-rss" -o "$work/example-info.rss" "$build/cli/kr6csv" info "$work/example.zip" \
    >/dev/null
"$build/bench/peak-rss" -o "$work/large-info.rss" "$build/cli/kr6csv" info "$work/large.zip" \
    >"$work/large-info.txt"
"$build/cli/kr6csv" info "$work/bench.zip" >"$work/bench-info.txt"
"$build/bench/peak-rss" -o "$work/large-evaluate.rss" \
    "$build/cli/kr6csv" evaluate -q --threads 1 -o "$work/large-1.tsv" "$work/large.zip"
"$build/cli/kr6csv" evaluate -q --threads 2 -o "$work/large-2.tsv" "$work/large.zip"
large_same=0
cmp -s "$work/large-1.tsv" "$work/large-2.tsv" && large_same=1
# Seconds and peak KiB of a hostile archive, which must be refused.
hostile() {
    local start status=0
    start=$(now)
    "$build/bench/peak-rss" -o "$work/$1.rss" "$build/cli/kr6csv" info "$work/$1.zip" \
        >/dev/null 2>"$work/$1.err" || status=$?
    if [[ $status -ne 1 ]]; then
        echo "kr6csv info of $1.zip ended with status $status instead of 1" >&2
        exit 1
    fi
    awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }' >"$work/$1.seconds"
}
hostile bomb
hostile empty-lines
load_after="$(cut -d' ' -f1 /proc/loadavg)"

# Column Column of the benchmark whose name starts with Prefix, the median of its
# repetitions if it has any; times in seconds.
figure() {
    awk -F, -v prefix="$1" -v column="$2" '
        /^name,/ {
            for (i = 1; i <= NF; i++) { key = $i; gsub(/"/, "", key); index_of[key] = i }
            next
        }
        index_of["name"] {
            name = $1; gsub(/"/, "", name)
            if (index(name, prefix) != 1 || name ~ /_(mean|stddev|cv)$/) next
            value = $(index_of[column])
            if (column ~ /_time$/) {
                unit = $(index_of["time_unit"])
                value /= (unit == "ns" ? 1e9 : unit == "us" ? 1e6 : unit == "ms" ? 1e3 : 1)
            }
            print value; exit
        }' "$work/bench.csv"
}

literal=$(figure "BM_LiteralEngineSample/" items_per_second)
fast_sample=$(figure "BM_FastEngineSample/" items_per_second)
fast_one=$(figure "BM_FastEngine/threads:1/" items_per_second)
fast_all=$(figure "BM_FastEngine/threads:$cores/" items_per_second)
wide_seconds=$(figure "BM_FastEngine/threads:1/" real_time)
deep_one=$(figure "BM_DeepEvaluation/threads:1/" items_per_second)
deep_all=$(figure "BM_DeepEvaluation/threads:$cores/" items_per_second)
# What the machine gives with all its cores busy, each on an evaluation of its own: the
# most any number of threads can reach.
deep_side_by_side=$(figure "BM_DeepEvaluationSideBySide/evaluations:$cores/" items_per_second)
deep_literal=$(figure "BM_DeepLiteralSample" items_per_second)
deep_fast_sample=$(figure "BM_DeepFastSample" items_per_second)
import_one=$(figure "BM_LoadKr6File/1/" real_time)
import_two=$(figure "BM_LoadKr6File/2/" real_time)
import_observed=$(figure "BM_LoadKr6FileObserved/1/" real_time)
import_user_one=$(figure "BM_LoadKr6FileUserTime/1/" real_time)
import_user_two=$(figure "BM_LoadKr6FileUserTime/2/" real_time)
destroy_one=$(figure "BM_DestroyModel/100000/" real_time)
destroy_two=$(figure "BM_DestroyModel/200000/" real_time)
clear_one=$(figure "BM_ClearAll/100000/" real_time)
clear_two=$(figure "BM_ClearAll/200000/" real_time)
rss_evaluate=$(cat "$work/evaluate.rss")
rss_info=$(cat "$work/info.rss")
rss_diff=$(cat "$work/diff.rss")
rss_deep_evaluate=$(cat "$work/deep-evaluate.rss")
rss_deep_info=$(cat "$work/deep-info.rss")
rss_one_evaluate=$(cat "$work/one-lens-evaluate.rss")
rss_one_info=$(cat "$work/one-lens-info.rss")
rss_example_info=$(cat "$work/example-info.rss")
rss_large_info=$(cat "$work/large-info.rss")
rss_large_evaluate=$(cat "$work/large-evaluate.rss")
bench_prices=$(awk '/^Glass prices:/ { print $3 }' "$work/bench-info.txt")
large_prices=$(awk '/^Glass prices:/ { print $3 }' "$work/large-info.txt")
import_large=$(figure "BM_LoadKr6File/3/" real_time)
import_user_large=$(figure "BM_LoadKr6FileUserTime/3/" real_time)
inflate_one=$(figure "BM_DecompressMembers/1/" real_time)
inflate_large=$(figure "BM_DecompressMembers/3/" real_time)
inflate_user_one=$(figure "BM_DecompressMembersUserTime/1/" real_time)
inflate_user_large=$(figure "BM_DecompressMembersUserTime/3/" real_time)
# Bytes of memory per glass price beyond what the example list takes.
per_price() {
    awk -v rss="$1" -v base="$rss_example_info" -v prices="$2" \
        'BEGIN { print (prices > 0) ? (rss - base) * 1024 / prices : 0 }'
}

failed=0
# Label, value, comparison (">=", "<" or "<="), target, format of the value.
row() {
    local verdict
    verdict=$(awk -v v="$2" -v op="$3" -v t="$4" \
        'BEGIN { ok = op == ">=" ? v >= t : op == "<" ? v < t : v <= t; print ok ? "PASS" : "FAIL" }')
    [[ "$verdict" == FAIL ]] && failed=1
    printf "%-50s %14s   %-10s %s\n" "$1" "$(printf "$5" "$2")" "$3 $4" "$verdict"
}
info() {
    printf "%-50s %14s\n" "$1" "$2"
}
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { print (b > 0) ? a / b : 0 }'
}

echo
echo "Benchmark list (wide): $lenses lenses, $coatings coatings, $rules rules, $price_lines price lines"
echo "Deep list: make-demo-kr6 --shape deep; one-lens list: --shape one-lens, $one_lens_bytes bytes of rows"
echo "Large list: make-demo-kr6 --shape large, $large_prices glass prices"
echo "Machine: $cores cores; load average $load_before before, $load_after after the run"
echo "Literal engine: a sample of $literal_lenses lenses spread evenly over the list (it takes"
echo "minutes on the whole list); keys per second is the comparable figure."
echo
printf "%-50s %14s   %-10s %s\n" "figure" "value" "target" "result"
info "literal engine, keys/s (sample)" "$(printf '%.0f' "$literal")"
info "fast engine, keys/s (same sample, 1 thread)" "$(printf '%.0f' "$fast_sample")"
info "fast engine, keys/s (whole list, 1 thread)" "$(printf '%.0f' "$fast_one")"
info "fast engine, keys/s (whole list, $cores threads)" "$(printf '%.0f' "$fast_all")"
row "wide: evaluation on 1 thread, s" "$wide_seconds" "<=" 0.1 "%.3f"
row "fast 1 thread / literal" "$(ratio "$fast_one" "$literal")" ">=" 50 "%.1fx"
info "fast / literal on the same sample" "$(printf '%.1fx' "$(ratio "$fast_sample" "$literal")")"
info "wide: fast $cores threads / fast 1 thread" "$(printf '%.2fx' "$(ratio "$fast_all" "$fast_one")")"
row "deep: keys/s on 1 thread, rows written" "$deep_one" ">=" 10000000 "%.0f"
info "deep: keys/s on $cores threads, rows written" "$(printf '%.0f' "$deep_all")"
info "deep: $cores threads / 1 thread" "$(printf '%.2fx' "$(ratio "$deep_all" "$deep_one")")"
info "deep: keys/s of $cores one-thread evaluations side by side" \
    "$(printf '%.0f' "$deep_side_by_side")"
info "deep: those side by side / 1 thread alone (the machine)" \
    "$(printf '%.2fx' "$(ratio "$deep_side_by_side" "$deep_one")")"
row "deep: $cores threads / $cores evaluations side by side" \
    "$(ratio "$deep_all" "$deep_side_by_side")" ">=" 0.9 "%.2fx"
info "deep: literal engine, keys/s (smallest deep lenses)" "$(printf '%.0f' "$deep_literal")"
row "deep: fast / literal on the same lenses" "$(ratio "$deep_fast_sample" "$deep_literal")" \
    ">=" 500 "%.0fx"
row "import of the benchmark list, s" "$import_one" "<=" 0.6 "%.2f"
info "import with an observer of its findings, s" "$(printf '%.2f' "$import_observed")"
row "import with findings observed / without" "$(ratio "$import_observed" "$import_one")" "<=" 1.5 \
    "%.2fx"
info "import of the list at twice its size, s" "$(printf '%.2f' "$import_two")"
info "import 2x / 1x, wall time" "$(printf '%.2fx' "$(ratio "$import_two" "$import_one")")"
row "import 2x / 1x, user CPU time" "$(ratio "$import_user_two" "$import_user_one")" "<=" 2.3 \
    "%.2fx"
info "freeing 10^5 / 2*10^5 glasses (root destroyed), s" \
    "$(printf '%.3f / %.3f' "$destroy_one" "$destroy_two")"
info "emptying 10^5 / 2*10^5 glasses (ClearAll), s" "$(printf '%.3f / %.3f' "$clear_one" "$clear_two")"
info "peak RSS of kr6csv evaluate, MiB" "$(printf '%.0f' "$(ratio "$rss_evaluate" 1024)")"
info "peak RSS of kr6csv info, MiB" "$(printf '%.0f' "$(ratio "$rss_info" 1024)")"
row "peak RSS evaluate / info" "$(ratio "$rss_evaluate" "$rss_info")" "<=" 1.5 "%.2fx"
row "deep: peak RSS evaluate / info" "$(ratio "$rss_deep_evaluate" "$rss_deep_info")" "<=" 1.5 \
    "%.2fx"
row "one lens: peak RSS of evaluate, MiB" "$(ratio "$rss_one_evaluate" 1024)" "<=" 256 "%.0f"
row "one lens: peak RSS evaluate / info" "$(ratio "$rss_one_evaluate" "$rss_one_info")" "<=" 1.5 \
    "%.2fx"
row "kr6csv evaluate of the benchmark list, end to end, s" "$evaluate_seconds" "<=" 1 "%.2f"
row "memory per glass price, benchmark list, bytes" "$(per_price "$rss_info" "$bench_prices")" \
    "<=" 40 "%.1f"
row "memory per glass price, large list, bytes" "$(per_price "$rss_large_info" "$large_prices")" \
    "<=" 40 "%.1f"
info "peak RSS of kr6csv info of the large list, MiB" \
    "$(printf '%.0f' "$(ratio "$rss_large_info" 1024)")"
row "large: peak RSS evaluate / info" "$(ratio "$rss_large_evaluate" "$rss_large_info")" "<=" 1.5 \
    "%.2fx"
row "large: evaluate on 1 and on 2 threads, same bytes" "$large_same" ">=" 1 "%d"
info "decompressing the members alone, benchmark / large list, s" \
    "$(printf '%.3f / %.2f' "$inflate_one" "$inflate_large")"
info "import of the large list, s" "$(printf '%.2f' "$import_large")"
row "import / decompression, user CPU, benchmark list" \
    "$(ratio "$import_user_one" "$inflate_user_one")" "<=" 1.6 "%.2fx"
row "import / decompression, user CPU, large list" \
    "$(ratio "$import_user_large" "$inflate_user_large")" "<=" 1.6 "%.2fx"
row "import / decompression, wall time, benchmark list" "$(ratio "$import_one" "$inflate_one")" \
    "<=" 1.2 "%.2fx"
row "import / decompression, wall time, large list" "$(ratio "$import_large" "$inflate_large")" \
    "<=" 1.2 "%.2fx"
row "import large / benchmark list, user CPU" "$(ratio "$import_user_large" "$import_user_one")" \
    "<=" 22 "%.1fx"
for case in bomb empty-lines; do
    label="deflate bomb (3 GiB of zeros)"
    [[ $case == empty-lines ]] && label="200000 empty LensType lines"
    row "$label refused, s" "$(cat "$work/$case.seconds")" "<=" 2 "%.2f"
    row "$label refused, peak MiB" "$(ratio "$(cat "$work/$case.rss")" 1024)" "<=" 256 "%.0f"
done
info "kr6csv diff against a later season, s" "$(printf '%.2f' "$diff_seconds")"
info "peak RSS of kr6csv diff, MiB" "$(printf '%.0f' "$(ratio "$rss_diff" 1024)")"
row "peak RSS diff / evaluate" "$(ratio "$rss_diff" "$rss_evaluate")" "<" 2 "%.2fx"
row "time diff / evaluate" "$(ratio "$diff_seconds" "$evaluate_seconds")" "<" 2.5 "%.2fx"
exit "$failed"
