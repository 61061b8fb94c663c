#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS
# (default 60), one after the other, then prints one summary line per target.
# Seeds: the example archive, the test archives and tests/data/regressions/<target>/.
# Findings land in build-fuzz/artifacts/<target>/<time of the run>/; keep any that reproduce in
# tests/data/regressions/<target>/ once fixed, so that the test suite replays them.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh

seconds="${1:-60}"
build=build-fuzz
targets=(Archive Records Import ElementReader)

missing=()
for pkg in clang-14 libclang-rt-14-dev unzip; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}" >&2
    env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKR6_FUZZ=ON -DKR6_BUILD_TESTS=OFF -DKR6_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target kr6-fuzzers kr6csv --parallel 2 >/dev/null

# Seeds, made fresh on every run.
seeds="$build/seeds"
rm -rf "$seeds"
for target in "${targets[@]}"; do
    mkdir -p "$seeds/$target" "$build/corpus/$target"
    if [[ -d "tests/data/regressions/$target" ]]; then
        cp tests/data/regressions/"$target"/* "$seeds/$target/" 2>/dev/null || true
    fi
done
cp examples/demo-kr6.zip tests/data/zip/*.zip "$seeds/Archive/"
members=(Head.dat LensType.Dat LensGeo.Dat LensPrice.Dat Options.Dat OptionsColor.Dat
    OptionsPrice.Dat Combination.Dat LensRange.Dat Information.Dat OrderOptions.Dat
    Productgroup.Dat CodeSubstitution.Dat OeCodes.Dat)
for member in "${members[@]}"; do
    # A few lines of each record file, one seed per line.
    unzip -p examples/demo-kr6.zip "$member" 2>/dev/null | head -n 5 | tr -d '\r' |
        split -l 1 - "$seeds/Records/$member-" || true
done
# The whole demo as member texts split by zero bytes, and a small cut of it.
for lines in 1000000 4; do
    for member in "${members[@]}"; do
        unzip -p examples/demo-kr6.zip "$member" 2>/dev/null | head -n "$lines" || true
        printf '\0'
    done >"$seeds/Import/demo-$lines"
done
"$build/cli/kr6csv" xml examples/demo-kr6.zip -o "$seeds/ElementReader/demo.xml"
head -c 4000 "$seeds/ElementReader/demo.xml" >"$seeds/ElementReader/demo-start.xml"

stamp=$(date +%Y%m%d-%H%M%S)
summary=()
for target in "${targets[@]}"; do
    log="$build/fuzz-$target.log"
    artifacts="$build/artifacts/$target/$stamp"
    mkdir -p "$artifacts"
    echo "Fuzzing $target for ${seconds}s ..." >&2
    status=0
    "$build/fuzz/fuzz-$target" "$build/corpus/$target" "$seeds/$target" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 ||
        status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo "?")
    corpus=$(find "$build/corpus/$target" -type f | wc -l)
    findings=$(find "$artifacts" -type f | wc -l)
    result=ok
    [[ $status -ne 0 ]] && result="FAILED (exit $status, see $log)"
    summary+=("$(printf '%-14s %-8s runs %-10s coverage %-6s corpus %-6s findings %s' \
        "$target" "${seconds}s" "$runs" "$cov" "$corpus" "$findings") $result")
done

echo
printf '%s\n' "${summary[@]}"
