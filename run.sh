#!/usr/bin/env bash
# Builds the release programs and evaluates a KR6 archive (the bundled example by default).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)" >/dev/null

if [[ -x build/cli/kr6csv ]] && build/cli/kr6csv --help 2>/dev/null | grep -q evaluate; then
    build/cli/kr6csv evaluate "${1:-examples/demo-kr6.zip}"
else
    build/cli/kr6csv --version
fi
