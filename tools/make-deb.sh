#!/usr/bin/env bash
# Builds the release programs into build/ with Debian's hardening flags and packs them into
# build/kr6csv_VERSION_ARCH.deb; then lintian checks the package (errors fail) and the
# package's kr6csv, unpacked into a temporary root, must give the build's rows.
#   apt-get install ./build/kr6csv_0.2.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh

# The flags Debian builds its packages with, less the debugging information that the
# package strips anyway.
flags() { dpkg-buildflags --get "$1" | sed -E 's/(^| )-g( |$)/ /'; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKR6_BUILD_TESTS=OFF -DKR6_BUILD_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build --parallel "$(nproc)" >/dev/null

package=$(tools/package-deb.sh build build)
lintian --fail-on error "$package"
tests/install/check-deb.sh "$package" build/cli/kr6csv
echo "$package"
