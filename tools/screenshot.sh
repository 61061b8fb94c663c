#!/usr/bin/env bash
# Renders the window of kr6csv-gui into a PNG under a virtual X server.
# Usage: tools/screenshot.sh [OUT.png [ARCHIVE.zip]], paths relative to the repository root
# (default docs/window.png). With an archive the window loads and evaluates it first;
# without, it shows the window as it is right after start.
# KR6CSV_GUI names the program when it is not build/app/kr6csv-gui.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/window.png}"
gui="${KR6CSV_GUI:-build/app/kr6csv-gui}"
if [[ ! -x "$gui" ]]; then
    echo "screenshot.sh: $gui not found; build it first (cmake --build build)" >&2
    exit 1
fi
args=(--screenshot "$out")
[[ $# -ge 2 ]] && args+=("$2")
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" "$gui" "${args[@]}"
echo "$out"
