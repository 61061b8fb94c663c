#!/usr/bin/env bash
# Builds the release programs and evaluates a KR6 archive (the bundled example by default).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKR6_BUILD_TESTS=OFF -DKR6_BUILD_BENCH=OFF >/dev/null
cmake --build build --parallel "$(nproc)" >/dev/null

exec build/cli/kr6csv evaluate "${1:-examples/demo-kr6.zip}"
