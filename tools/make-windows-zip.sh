#!/usr/bin/env bash
# Writes the Windows download: OUTPUT_DIR/kr6csv-VERSION-windows-x64.zip with one folder of
# the same name holding kr6csv.exe, the window kr6csv-gui.exe, the example list and README.txt, whose lines end in a
# carriage return and a line feed as Windows editors expect. The version and the exit
# status in README.txt are those that KR6CSV, the same program built for this machine,
# shows.
# usage: tools/make-windows-zip.sh KR6CSV.EXE KR6CSV-GUI.EXE KR6CSV OUTPUT_DIR
set -euo pipefail

exe=$1 gui=$2 program=$3
version=$("$program" --version | awk '{ print $2 }')
status=$("$program" --help | sed -n '/^Exit status:/,/^$/p' | tr '\n' ' ' | sed 's/ *$//' |
    fold -s -w 84 | sed 's/ *$//')
mkdir -p "$4"
output=$(cd "$4" && pwd)
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
name="kr6csv-$version-windows-x64"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/$name"
cp "$exe" "$work/$name/kr6csv.exe"
cp "$gui" "$work/$name/kr6csv-gui.exe"
cp "$source_dir/examples/demo-kr6.zip" "$work/$name/demo-kr6.zip"
awk -v version="$version" -v status="$status" '
    $0 == "@EXIT_STATUS@" { print status; next }
    { gsub(/@VERSION@/, version); print }' "$source_dir/packaging/windows-README.txt" |
    sed 's/$/\r/' >"$work/$name/README.txt"
rm -f "$output/$name.zip"
(cd "$work" && zip -q -X -r "$output/$name.zip" "$name")
echo "$output/$name.zip"
