#!/usr/bin/env bash
# Installs a built tree into a temporary prefix with `cmake --install` and uses it as its
# users would: the programs and their versions, the manual pages and their examples, the
# bash completion, the menu entry, and the library through its CMake package, with the
# example program built against it giving the rows kr6csv gives.
# usage: tests/install/install-test.sh BUILD_DIR CXX_COMPILER "CXX_FLAGS"
set -euo pipefail

build=$(cd "$1" && pwd) compiler=$2 flags=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
doc="$prefix/share/doc/kr6csv"
failures=0
fail() {
    echo "install-test: $*" >&2
    failures=$((failures + 1))
}
expect() {
    local what=$1 expected=$2 actual=$3
    [[ "$actual" == "$expected" ]] || fail "$what: expected '$expected', got '$actual'"
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kr6csv share/man/man1/kr6csv.1 share/bash-completion/completions/kr6csv \
    share/doc/kr6csv/README.md share/doc/kr6csv/findings.md share/doc/kr6csv/examples/demo-kr6.zip \
    lib/libkr6core.a lib/cmake/kr6core/kr6coreConfig.cmake \
    lib/cmake/kr6core/kr6coreConfigVersion.cmake include/kr6/import/Kr6Import.h; do
    [[ -f "$prefix/$file" ]] || fail "$file is not installed"
done
gui=$([[ -x "$build/app/kr6csv-gui" ]] && echo yes || echo no)
if [[ $gui == yes ]]; then
    for file in bin/kr6csv-gui share/man/man1/kr6csv-gui.1 share/applications/kr6csv-gui.desktop \
        share/icons/hicolor/scalable/apps/kr6csv-gui.svg share/icons/hicolor/48x48/apps/kr6csv-gui.png
    do
        [[ -f "$prefix/$file" ]] || fail "$file is not installed"
    done
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/kr6csv-gui.desktop" ||
            fail "the desktop entry is not valid"
    fi
    grep -qx 'MimeType=application/zip;' "$prefix/share/applications/kr6csv-gui.desktop" ||
        fail "the desktop entry does not offer to open ZIP archives"
fi
[[ $failures -eq 0 ]] || exit 1

# One version everywhere.
kr6csv="$prefix/bin/kr6csv"
version=$("$kr6csv" --version | awk '{ print $2 }')
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "kr6csv --version: '$version'"
expect "manual page kr6csv(1)" "kr6csv $version" \
    "$(sed -n 's/^\.TH [^ ]* "1" "[^"]*" "\([^"]*\)".*/\1/p' "$prefix/share/man/man1/kr6csv.1")"
expect "CMake package version" "$version" \
    "$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$prefix/lib/cmake/kr6core/kr6coreConfigVersion.cmake")"
if [[ $gui == yes ]]; then
    # Without a display: --version and --help are answered before the window is needed.
    expect "kr6csv-gui --version" "kr6csv-gui $version" \
        "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/kr6csv-gui" --version)"
    expect "manual page kr6csv-gui(1)" "kr6csv-gui $version" \
        "$(sed -n 's/^\.TH [^ ]* "1" "[^"]*" "\([^"]*\)".*/\1/p' "$prefix/share/man/man1/kr6csv-gui.1")"
fi

# The manual pages render without complaint, and every example in kr6csv(1) runs on the
# installed example list.
for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
done
mkdir "$work/examples"
for list in LIST OLD NEW; do
    cp "$doc/examples/demo-kr6.zip" "$work/examples/$list.zip"
done
examples=0
while read -r line; do
    examples=$((examples + 1))
    read -ra words <<<"${line/#kr6csv /}"
    status=0
    (cd "$work/examples" && "$kr6csv" "${words[@]}" >/dev/null 2>"$work/examples/err") || status=$?
    [[ $status == 0 || $status == 3 ]] || fail "example '$line' ends with $status: $(cat "$work/examples/err")"
done < <(sed -n '/^\.SH EXAMPLES/,/^\.SH/{/^\.nf/,/^\.fi/p}' "$prefix/share/man/man1/kr6csv.1" |
    grep '^kr6csv ' | sed -e 's/\\-/-/g' -e "s|[^ ]*/demo-kr6\.zip|$doc/examples/demo-kr6.zip|")
[[ $examples -ge 5 ]] || fail "kr6csv(1) shows only $examples examples"
for command in evaluate diff check; do
    grep -q "^\.SS \"kr6csv $command " "$prefix/share/man/man1/kr6csv.1" ||
        fail "kr6csv(1) has no section of the command $command"
done
grep -qx '\\fIARCHIVE\\fR' "$prefix/share/man/man1/kr6csv.1" ||
    fail "kr6csv(1) does not explain the argument ARCHIVE"

# Completion as bash offers it while LINE is typed: bash splits it into words at blanks and
# at "=", and a trailing blank starts a new word. Prints the offers sorted.
complete_line() {
    (
        cd "$work/examples"
        # shellcheck source=/dev/null
        source "$prefix/share/bash-completion/completions/kr6csv"
        read -ra COMP_WORDS <<<"${1//=/ = }"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _kr6csv 2>/dev/null
        printf '%s\n' "${COMPREPLY[@]}" | sort
    ) | tr '\n' ' ' | sed 's/ $//'
}
mkdir "$work/examples/Folder" && touch "$work/examples/notes.txt" "$work/examples/UPPER.ZIP"
commands=$("$kr6csv" --help | awk '/^(Sub)?[Cc]ommands:$/ { inside = 1; next } /^$/ { inside = 0 }
                                   inside && /^  [^ ]/ { print $1 }' | sort | tr '\n' ' ')
expect "completion of the commands" "--help --version ${commands% }" "$(complete_line "kr6csv ")"
expect "completion of a command" "evaluate" "$(complete_line "kr6csv ev")"
expect "completion of --format" "csv jsonl tsv" "$(complete_line "kr6csv evaluate --format ")"
expect "completion of --format=" "jsonl" "$(complete_line "kr6csv diff --format=j")"
expect "completion of --engine" "literal" "$(complete_line "kr6csv evaluate -q --engine l")"
expect "completion of options" "--format" "$(complete_line "kr6csv evaluate --fo")"
expect "completion of an archive" "Folder LIST.zip NEW.zip OLD.zip UPPER.ZIP" \
    "$(complete_line "kr6csv evaluate --threads 2 ")"
expect "completion of the second archive" "NEW.zip" \
    "$(complete_line "kr6csv diff -o out.txt OLD.zip N")"
expect "completion of an output file" "notes.txt" "$(complete_line "kr6csv xml LIST.zip -o no")"
expect "completion of a lens code" "" "$(complete_line "kr6csv check LIST.zip ")"
expect "completion of help" "evaluate" "$(complete_line "kr6csv help eva")"

# The library through its CMake package only, built as its users build it; the build's
# sanitizers, when it has them, are the example's too.
example="$work/example"
if ! cmake -S "$doc/examples/library" -B "$example" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_BUILD_TYPE=Release \
    >"$work/example.log" 2>&1 || ! cmake --build "$example" >>"$work/example.log" 2>&1; then
    cat "$work/example.log" >&2
    fail "the example program does not build against the installed library"
    exit 1
fi
"$example/kr6-example" "$doc/examples/demo-kr6.zip" >"$work/library.rows"
"$kr6csv" evaluate -q "$doc/examples/demo-kr6.zip" >"$work/kr6csv.rows"
if [[ ! -s "$work/kr6csv.rows" ]] || ! cmp -s "$work/kr6csv.rows" "$work/library.rows"; then
    fail "the example program's rows differ from kr6csv evaluate's"
fi
for combination in "GK6001 AREF01 TNFA01" "gk6001 tnfa01 hcst01"; do
    read -ra codes <<<"$combination"
    status=0 library_status=0
    "$kr6csv" check "$doc/examples/demo-kr6.zip" "${codes[@]}" >/dev/null || status=$?
    "$example/kr6-example" "$doc/examples/demo-kr6.zip" "${codes[@]}" >/dev/null || library_status=$?
    expect "example program's check of $combination" "$status" "$library_status"
done
# A foreign member in the archive is a finding.
cp "$doc/examples/demo-kr6.zip" "$work/findings.zip"
echo "not a price list" >"$work/notes.txt"
(cd "$work" && zip -q findings.zip notes.txt)
"$kr6csv" lint -q "$work/findings.zip" >"$work/kr6csv.findings" || true
"$example/kr6-example" --findings "$work/findings.zip" >"$work/library.findings" 2>/dev/null
if ! grep -q 'notes.txt' "$work/kr6csv.findings" ||
    ! cmp -s "$work/kr6csv.findings" "$work/library.findings"; then
    fail "the example program's findings differ from kr6csv lint's"
fi
# Every installed header stands on its own: nothing it includes was left out.
(cd "$prefix/include" && find kr6 -name '*.h' | sort | sed 's/.*/#include <&>/') >"$work/headers.cpp"
# shellcheck disable=SC2046,SC2086 # the flags are words
"$compiler" -std=c++20 -fsyntax-only $flags -I"$prefix/include" -I"$prefix/include/kr6" \
    $(pkg-config --cflags libzip) "$work/headers.cpp" || fail "the installed headers do not compile"

[[ $failures -eq 0 ]] || exit 1
echo "install-test: installed $(find "$prefix" -type f | wc -l) files; programs, pages, completion and library work"
