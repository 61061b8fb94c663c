#!/usr/bin/env bash
# Unpacks a kr6csv package into a temporary root (dpkg -x) and checks what a user gets: the
# installed kr6csv evaluates the installed example list to the same bytes as the build's
# kr6csv evaluates the repository's; the package's version is the program's; the
# dependencies came from the binaries; the programs' files are there and the library's not.
# usage: tests/install/check-deb.sh PACKAGE.deb BUILT_KR6CSV
set -euo pipefail

package=$1 built=$2
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "check-deb: $*" >&2
    exit 1
}

dpkg -x "$package" "$root"
installed="$root/usr/bin/kr6csv"
"$installed" evaluate "$root/usr/share/doc/kr6csv/examples/demo-kr6.zip" >"$root/installed.rows" \
    2>/dev/null
"$built" evaluate -q "$source_dir/examples/demo-kr6.zip" >"$root/built.rows"
[[ -s "$root/built.rows" ]] || fail "the built kr6csv gave no rows"
cmp "$root/built.rows" "$root/installed.rows" ||
    fail "the installed kr6csv evaluates the installed example differently"

version=$("$built" --version | awk '{ print $2 }')
[[ $(dpkg-deb -f "$package" Version) == "$version" ]] ||
    fail "package version $(dpkg-deb -f "$package" Version), program version $version"
[[ $("$installed" --version) == "kr6csv $version" ]] || fail "installed kr6csv --version"
depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6 libzip4; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

for file in usr/share/man/man1/kr6csv.1.gz usr/share/bash-completion/completions/kr6csv \
    usr/share/doc/kr6csv/copyright usr/share/doc/kr6csv/changelog.gz \
    usr/share/doc/kr6csv/README.md.gz usr/share/doc/kr6csv/findings.md.gz; do
    [[ -f "$root/$file" ]] || fail "$file is missing"
done
if [[ -e "$root/usr/bin/kr6csv-gui" ]]; then
    [[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt: $depends"
    for file in usr/share/man/man1/kr6csv-gui.1.gz usr/share/applications/kr6csv-gui.desktop \
        usr/share/icons/hicolor/scalable/apps/kr6csv-gui.svg \
        usr/share/icons/hicolor/48x48/apps/kr6csv-gui.png; do
        [[ -f "$root/$file" ]] || fail "$file is missing"
    done
fi
[[ ! -e "$root/usr/include" && ! -e "$root/usr/lib" ]] || fail "the library is in the package"
echo "check-deb: $(basename "$package") gives the build's rows"
