#!/usr/bin/env bash
# Writes the manual page of a program from its own --help and --version with help2man, so
# that the page says what the program does: the options of the program, then for a
# program with commands (kr6csv) a section of each command made from its help, the exit
# status from the help's closing "Exit status:" paragraph, and the sections of EXTRA
# (help2man's include format: examples, files, see also).
# usage: tools/make-manpage.sh PROGRAM EXTRA.h2m "SHORT DESCRIPTION" OUTPUT.1
set -euo pipefail

program=$1 extra=$2 summary=$3 output=$4
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" --help >"$work/help"
# The commands and the exit status get sections of their own.
awk '/^(Sub)?[Cc]ommands:$/ { skip = 1; next }
     /^Exit status:/ { skip = 1; next }
     /^$/ { skip = 0 }
     !skip' "$work/help" >"$work/options"
commands=$(awk '/^(Sub)?[Cc]ommands:$/ { inside = 1; next }
                /^$/ { inside = 0 }
                inside && /^  [^ ]/ { print $1 }' "$work/help")
status=$(awk '/^Exit status:/ { inside = 1 }
              /^$/ { inside = 0 }
              inside' "$work/help" | sed 's/^Exit status: *//')

{
    if [[ -n "$commands" ]]; then
        echo "[COMMANDS]"
        for command in $commands; do
            "$program" "$command" --help | awk -f "$here/help-to-roff.awk"
        done
    fi
    if [[ -n "$status" ]]; then
        echo "[EXIT STATUS]"
        printf '%s\n' "$status" | sed -e 's/\\/\\e/g' -e 's/-/\\-/g'
    fi
    cat "$extra"
} >"$work/include.h2m"

# help2man reads the program's name from --version and everything else from --help: a
# stand-in of the same name shows it the help without the parts above.
mkdir "$work/bin"
cat >"$work/bin/$name" <<STANDIN
#!/bin/sh
if [ "\$1" = --help ]; then cat "$work/options"; else exec "$program" "\$@"; fi
STANDIN
chmod +x "$work/bin/$name"

# The page's date is that of the last commit, so that the same sources give the same page.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]] && date=$(git -C "$here" log -1 --format=%ct 2>/dev/null); then
    export SOURCE_DATE_EPOCH=$date
fi
help2man --no-info --no-discard-stderr --section 1 --name "$summary" \
    --include "$work/include.h2m" --output "$work/page.1" "$work/bin/$name"
mv "$work/page.1" "$output"
