#!/usr/bin/env bash
# Renders the windows of kr6csv-gui into PNGs under a virtual X server.
# Usage: tools/screenshot.sh
#            the README's pictures: docs/window.png (the main window after evaluating the
#            example list), docs/combinations.png (its rows in the table, one explained) and
#            docs/findings.png (the findings of a later season of the example list)
#        tools/screenshot.sh OUT.png [--table | --findings] [ARCHIVE.zip]
#            one window; with an archive the main window loads and evaluates it first,
#            without it shows the window as it is right after start
# Paths are relative to the repository root. KR6CSV_GUI names the program when it is not
# build/app/kr6csv-gui, MAKE_DEMO_KR6 the generator when it is not build/tools/make-demo-kr6.
set -euo pipefail
cd "$(dirname "$0")/.."
gui="${KR6CSV_GUI:-build/app/kr6csv-gui}"
if [[ ! -x "$gui" ]]; then
    echo "screenshot.sh: $gui not found; build it first (cmake --build build)" >&2
    exit 1
fi

shoot() {
    xvfb-run --auto-servernum --server-args="-screen 0 1600x1000x24 -dpi 96" \
        "$gui" --screenshot "$@"
    echo "$1"
}

if [[ $# -gt 0 ]]; then
    shoot "$@"
    exit 0
fi

demo="${MAKE_DEMO_KR6:-build/tools/make-demo-kr6}"
if [[ ! -x "$demo" ]]; then
    echo "screenshot.sh: $demo not found; build it first (cmake --build build)" >&2
    exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$demo" "$work/demo-next.zip" --changes 1 2>/dev/null
shoot docs/window.png examples/demo-kr6.zip
shoot docs/combinations.png --table examples/demo-kr6.zip
shoot docs/findings.png --findings "$work/demo-next.zip"
