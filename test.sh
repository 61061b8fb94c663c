#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DKR6_SANITIZE=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
ctest --test-dir build-test --output-on-failure --parallel "$(nproc)"
