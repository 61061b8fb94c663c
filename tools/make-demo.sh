#!/usr/bin/env bash
# Rebuilds make-demo-kr6 and regenerates the example archive examples/demo-kr6.zip with the
# default sizes. The archive has the same bytes on every run; commit it when it changes.
# Arguments are passed on to make-demo-kr6 (for example --seed 2).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh

build="${KR6_DEMO_BUILD_DIR:-build-demo}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKR6_BUILD_TESTS=OFF -DKR6_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target make-demo-kr6 --parallel 2 >/dev/null
mkdir -p examples
"$build/tools/make-demo-kr6" examples/demo-kr6.zip "$@"
