#!/usr/bin/env bash
# Makes the Windows download from a stand-in kr6csv.exe, as tools/windows-build.sh makes it
# from the cross-built one, and checks what a Windows user unpacks: one folder with the
# program, the example list unchanged and a README.txt whose every line ends in CR LF,
# naming the version and the exit status of the program and showing both cmd.exe and
# PowerShell.
# usage: tests/install/windows-zip-test.sh KR6CSV (the program built for this machine)
set -euo pipefail

program=$1
version=$("$program" --version | awk '{ print $2 }')
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "windows-zip-test: $*" >&2
    exit 1
}

printf 'MZ stand-in' >"$work/kr6csv.exe"
printf 'MZ window stand-in' >"$work/kr6csv-gui.exe"
download=$("$source_dir/tools/make-windows-zip.sh" "$work/kr6csv.exe" "$work/kr6csv-gui.exe" \
    "$program" "$work/out")
folder="kr6csv-$version-windows-x64"
[[ $(basename "$download") == "$folder.zip" ]] || fail "named $(basename "$download")"
expected=$(printf '%s\n' "$folder/" "$folder/README.txt" "$folder/demo-kr6.zip" \
    "$folder/kr6csv.exe" "$folder/kr6csv-gui.exe" | sort)
[[ $(unzip -Z1 "$download" | sort) == "$expected" ]] || fail "holds $(unzip -Z1 "$download")"
unzip -q "$download" -d "$work/unpacked"
cmp "$work/kr6csv.exe" "$work/unpacked/$folder/kr6csv.exe"
cmp "$work/kr6csv-gui.exe" "$work/unpacked/$folder/kr6csv-gui.exe"
cmp "$source_dir/examples/demo-kr6.zip" "$work/unpacked/$folder/demo-kr6.zip"

readme="$work/unpacked/$folder/README.txt"
lines=$(wc -l <"$readme")
[[ $(grep -c $'\r$' "$readme") == "$lines" && $(tail -c 2 "$readme" | od -An -c | tr -d ' ') == '\r\n' ]] ||
    fail "README.txt has lines without CR LF"
LC_ALL=C grep -q $'[\x80-\xff]' "$readme" && fail "README.txt holds bytes outside ASCII"
head -1 "$readme" | grep -q "kr6csv $version " || fail "README.txt does not name version $version"
status=$("$program" --help | grep '^Exit status:')
[[ $(tr -d '\r' <"$readme" | tr '\n' ' ' | tr -s ' ') == *"$status"* ]] ||
    fail "README.txt does not give the exit status '$status'"
# shellcheck disable=SC1003,SC2016 # the texts are Windows commands
for text in 'kr6csv evaluate "C:\Price lists\' ".\\kr6csv evaluate 'C:\\Price lists\\" \
    '%ERRORLEVEL%' '$LASTEXITCODE' '-o FILE' 'kr6csv-gui.exe'; do
    grep -qF -- "$text" "$readme" || fail "README.txt does not show $text"
done
echo "windows-zip-test: $(basename "$download") as a Windows user unpacks it"
