#!/usr/bin/env bash
# Packs the programs of a built tree as tools/make-deb.sh packs the release build, and checks
# the package as a user would get it.
# usage: tests/install/deb-test.sh BUILD_DIR
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
# Packing the sanitized binaries with xz would take minutes; what is checked does not
# depend on the compression.
package=$(KR6_DEB_COMPRESSION=none "$here/../../tools/package-deb.sh" "$1" "$output")
"$here/check-deb.sh" "$package" "$1/cli/kr6csv"
