#!/usr/bin/env bash
# Cross-builds kr6csv.exe and the core's test program for 64-bit Windows with Debian's
# MinGW-w64, runs them under Wine and compares the rows with the Linux build's. Installs what
# it needs on a fresh Debian 12 machine; what is already built is not built again. Ends by
# writing the download, build-windows/kr6csv-VERSION-windows-x64.zip.
# Everything goes to build-windows/. Takes long: it is not part of test.sh.
# --sources-only stops once the Debian sources of libzip and expat are fetched.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh

root="$PWD"
out="$root/build-windows"
prefix="$out/prefix"
mingw=x86_64-w64-mingw32
jobs=2
mkdir -p "$out"
sources_only=false
case "${1:-}" in
--sources-only) sources_only=true ;;
"") ;;
*)
    echo "usage: $0 [--sources-only]" >&2
    exit 2
    ;;
esac

started=$SECONDS
step_started=$SECONDS
current=""
timings=()
# Starts the next step, noting how long the previous one took.
step() {
    [[ -n "$current" ]] && timings+=("$(printf '%-44s %5d s' "$current" $((SECONDS - step_started)))")
    current=$1
    step_started=$SECONDS
    [[ -n "$current" ]] && echo "== $current" >&2
    return 0
}

# Runs a command with its output in build-windows/step.log, shown only when it fails.
logged() {
    "$@" >"$out/step.log" 2>&1 || {
        tail -40 "$out/step.log" >&2
        echo "failed: $*" >&2
        exit 1
    }
}

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        env DEBIAN_FRONTEND=noninteractive "$@"
    else
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    fi
}

step "Debian packages"
packages=(dpkg-dev)
$sources_only || packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev mingw-w64-tools wine64
                            googletest libcli11-dev nlohmann-json3-dev qt6-base-dev
                            qt6-base-dev-tools xvfb xdotool xclip)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

step "Debian sources of libzip, expat and qt6-base"
# apt-get source needs deb-src entries: the same archives as the binary entries.
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        sed -E 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        sed -nE 's/^deb (.*)/deb-src \1/p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    as_root apt-get update -qq
fi
# The versions of a source package that the deb-src entries list, newest first.
listed_versions() {
    local version sorted=()
    while read -r version; do
        local i=${#sorted[@]}
        while ((i > 0)) && dpkg --compare-versions "$version" gt "${sorted[i - 1]}"; do
            sorted[i]=${sorted[i - 1]}
            ((i--))
        done
        sorted[i]=$version
    done < <(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -u)
    printf '%s\n' "${sorted[@]}"
}

# Fetches and unpacks the newest listed version of a source package whose files the
# archive serves: a security update may be listed before its files reach every mirror.
# Each attempt downloads into a folder of its own, so a failed one leaves nothing behind.
fetch_source() {
    local name=$1 version attempt="$out/src/.fetch"
    local versions
    versions=$(listed_versions "$name")
    if [[ -z "$versions" ]]; then
        echo "no source package $name is listed; is there a deb-src entry?" >&2
        exit 1
    fi
    for version in $versions; do
        rm -rf "$attempt"
        mkdir -p "$attempt"
        if (cd "$attempt" && apt-get source -qq "$name=$version") >"$out/step.log" 2>&1; then
            mv "$attempt"/* "$out/src/"
            rm -rf "$attempt"
            echo "   $name: took version $version" >&2
            return 0
        fi
        echo "   $name: version $version cannot be fetched, trying the one before" >&2
    done
    rm -rf "$attempt"
    tail -20 "$out/step.log" >&2
    echo "failed: no listed version of the source package $name can be fetched" >&2
    exit 1
}

mkdir -p "$out/src"
for source in libzip expat qt6-base; do
    if ! compgen -G "$out/src/$source-[0-9]*/CMakeLists.txt" >/dev/null &&
        ! compgen -G "$out/src/$source-[0-9]*/$source/CMakeLists.txt" >/dev/null; then
        fetch_source "$source"
    fi
done
libzip_src=$(compgen -G "$out/src/libzip-[0-9]*/CMakeLists.txt" | head -1 | xargs dirname)
expat_src=$(compgen -G "$out/src/expat-[0-9]*/expat/CMakeLists.txt" | head -1 | xargs dirname)
qt_src=$(compgen -G "$out/src/qt6-base-[0-9]*/CMakeLists.txt" | head -1 | xargs dirname)
if $sources_only; then
    echo "sources: $libzip_src, $expat_src, $qt_src" >&2
    exit 0
fi

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
zlib_static="/usr/$mingw/lib/libz.a"
# Builds and installs a library for the target once.
build_dependency() {
    local name=$1 source=$2
    shift 2
    [[ -f "$out/deps/$name.done" ]] && return 0
    logged cmake -S "$source" -B "$out/deps/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DKR6_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@"
    logged cmake --build "$out/deps/$name" --parallel $jobs
    logged cmake --install "$out/deps/$name"
    touch "$out/deps/$name.done"
}

step "expat, libzip and GoogleTest for Windows"
# Debian's security patches test "XML_DTD == 1", as its autotools build defines it; the
# CMake build defines it empty.
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$expat_src/expat_config.h.cmake"
build_dependency expat "$expat_src" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
    -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF
build_dependency libzip "$libzip_src" -DZLIB_LIBRARY="$zlib_static" \
    -DZLIB_INCLUDE_DIR="/usr/$mingw/include" -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
build_dependency googletest /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
# CLI11 and nlohmann-json are headers: the Debian packages' files, placed in the prefix so
# that the target's include path holds nothing else of the build machine.
for package in libcli11-dev nlohmann-json3-dev; do
    dpkg -L "$package" | while read -r file; do
        case "$file" in
        /usr/include/* | /usr/share/cmake/* | /usr/lib/cmake/*)
            if [[ -f "$file" ]]; then
                target="$prefix/${file#/usr/}"
                mkdir -p "$(dirname "$target")"
                cp -u "$file" "$target"
            fi
            ;;
        esac
    done
done

step "Qt 6 for Windows (once)"
# Core, Gui, Widgets and the Windows platform plugin, static, with the host's moc, rcc and
# uic of the same version (qt6-base-dev-tools). What a Widgets window does not use is left
# out; the libraries Qt bundles are taken rather than any of the build machine's. Debian's
# source lacks the Wintab header, which tablet input needs.
# Qt 6.4 builds the DirectWrite font database only along with Direct2D; the Windows
# platform plugin asks for it without Direct2D all the same.
sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$qt_src/src/plugins/platforms/windows/qwindowsintegration.cpp"
build_dependency qt "$qt_src" -G Ninja \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_pkg_config=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_xml=OFF -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF

step "kr6csv.exe and kr6core_tests.exe"
logged cmake -S . -B "$out/kr6" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKR6_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DKR6_BUILD_GUI=ON -DKR6_BUILD_BENCH=OFF \
    -DZLIB_LIBRARY="$zlib_static" -DZLIB_INCLUDE_DIR="/usr/$mingw/include" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
logged cmake --build "$out/kr6" --parallel $jobs --target kr6csv kr6core_tests

step "kr6csv-gui.exe and kr6app_tests.exe"
logged cmake --build "$out/kr6" --parallel $jobs --target kr6csv-gui kr6app_tests
windows_kr6csv="$out/kr6/cli/kr6csv.exe"
windows_gui="$out/kr6/app/kr6csv-gui.exe"
# Only the system's own DLLs: Qt and its plugins are linked in.
system_dlls='kernel32|msvcrt|advapi32|bcrypt|user32|shell32|ws2_32|api-ms-win|gdi32|comdlg32|ole32'
system_dlls+='|oleaut32|imm32|winmm|uxtheme|dwmapi|shcore|shlwapi|userenv|version|netapi32'
system_dlls+='|wtsapi32|authz|d3d9|d3d11|dxgi'
for program in "$windows_kr6csv" "$out/kr6/tests/kr6core_tests.exe" "$windows_gui" \
    "$out/kr6/app/kr6app_tests.exe"; do
    if "$mingw-objdump" -p "$program" | grep -i 'DLL Name' | grep -viqE "$system_dlls"; then
        echo "$program needs DLLs beside it:" >&2
        "$mingw-objdump" -p "$program" | grep 'DLL Name' >&2
        exit 1
    fi
done

step "Linux kr6csv and kr6csv-gui for the reference rows"
logged cmake -S . -B "$out/linux" -DCMAKE_BUILD_TYPE=Release -DKR6_BUILD_TESTS=OFF \
    -DKR6_BUILD_BENCH=OFF -DKR6_BUILD_GUI=ON
logged cmake --build "$out/linux" --parallel $jobs --target kr6csv make-demo-kr6 kr6csv-gui
linux_kr6csv="$out/linux/cli/kr6csv"
linux_gui="$out/linux/app/kr6csv-gui"

export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)

step "Wine prefix"
[[ -d "$WINEPREFIX/drive_c" ]] || "$wine" wineboot --init >/dev/null 2>&1
# One Wine server for all the runs below; it ends a minute after the last.
"$(dirname "$(readlink -f "$wine")")/wineserver" -p 60 2>/dev/null || true

step "Core tests under Wine"
# The tests find their data by the source tree's Unix paths, which Wine reaches through
# drive Z: when the current folder is one of its folders.
(cd "$out/kr6/tests" && "$wine" ./kr6core_tests.exe --gtest_brief=1) >"$out/tests.log" 2>&1 ||
    { tail -40 "$out/tests.log" >&2; exit 1; }
grep -E '^\[ *(PASSED|FAILED) *\]' "$out/tests.log"

step "Rows of kr6csv.exe against the Linux rows"
check="$out/check"
rm -rf "$check"
mkdir -p "$check"
cp examples/demo-kr6.zip "$check/example.zip"
"$out/linux/tools/make-demo-kr6" "$check/generated-1.zip" --seed 11 --lenses 300 2>/dev/null
"$out/linux/tools/make-demo-kr6" "$check/generated-2.zip" --seed 12 --coatings 90 --rules 900 2>/dev/null
# A folder with a name outside ASCII, as Windows users name theirs.
harte="$WINEPREFIX/drive_c/Preise/H$(printf '\xc3\xa4')rtel"
mkdir -p "$harte"
cp examples/demo-kr6.zip "$harte/example.zip"

# Runs COMMAND ARCHIVE ARGS... with both programs; output and exit status must be the same.
compare() {
    local what=$1 windows_archive=$2 linux_archive=$3 command=$4
    shift 4
    local linux_status=0 windows_status=0
    "$linux_kr6csv" "$command" "$linux_archive" "$@" >"$check/$what.linux" || linux_status=$?
    (cd "$check" && "$wine" "$windows_kr6csv" "$command" "$windows_archive" "$@") \
        >"$check/$what.windows" || windows_status=$?
    if [[ $linux_status != "$windows_status" ]] || ! cmp -s "$check/$what.linux" "$check/$what.windows"; then
        echo "kr6csv.exe $command $windows_archive $* differs from Linux" \
            "(status $windows_status against $linux_status):" >&2
        cmp "$check/$what.linux" "$check/$what.windows" >&2 || true
        exit 1
    fi
    printf '  %-44s %9d bytes equal\n' "$command $windows_archive $*" "$(stat -c %s "$check/$what.linux")"
}
compare evaluate example.zip "$check/example.zip" evaluate -q
compare evaluate-utf8 example.zip "$check/example.zip" evaluate -q --utf8
compare info example.zip "$check/example.zip" info
compare xml example.zip "$check/example.zip" xml -q
compare check example.zip "$check/example.zip" check GK6001 AREF01 TNFA01
compare check-not example.zip "$check/example.zip" check gk6001 tnfa01 hcst01
compare check-json example.zip "$check/example.zip" check --json GK6001 TNFA01
compare check-lens example.zip "$check/example.zip" check GK6001
compare generated-1 generated-1.zip "$check/generated-1.zip" evaluate -q
compare generated-2 generated-2.zip "$check/generated-2.zip" evaluate -q
compare path 'C:\Preise\H'$'\xc3\xa4''rtel\example.zip' "$check/example.zip" evaluate -q
# A path that starts with a slash is a path, not an option (on drive Z:, the current one).
compare slash-path "$check/example.zip" "$check/example.zip" evaluate -q

# An output file is replaced whole, and written in the same bytes as standard output.
(cd "$check" && "$wine" "$windows_kr6csv" evaluate -q -o 'C:\Preise\rows.txt' example.zip)
cmp "$check/evaluate.linux" "$WINEPREFIX/drive_c/Preise/rows.txt"
echo "  evaluate -o 'C:\\Preise\\rows.txt'                 same bytes"

step "A virtual display"
# One virtual X server for both windows; Wine shows its windows and its clipboard there.
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -dpi 96 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [[ -s "$out/display" ]] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$out/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

step "Window tests under Wine"
# On the minimal platform the test program links: Wine still wants a display for the
# windows Qt keeps for itself, but none is shown. The tests that start the window program
# through the Unix env command to take its display away are Linux's own.
(cd "$out/kr6/app" && "$wine" ./kr6app_tests.exe --gtest_brief=1 \
    --gtest_filter='-WindowProgram.*') >"$out/app-tests.log" 2>&1 ||
    { tail -40 "$out/app-tests.log" >&2; exit 1; }
grep -E '^\[ *(PASSED|FAILED) *\]' "$out/app-tests.log"

step "The window under Wine, against the Linux window"

# The visible window whose title matches, waited for as long as any machine needs.
wait_for_window() {
    local id
    for _ in $(seq 600); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window '$1' appeared" >&2
    return 1
}

# Starts the window with an archive, as a user's double click on it would, and drives it as
# a user does: closes the import message, evaluates, copies the rows. Leaves the message's
# text (on Windows, where the message box copies it on Ctrl+C) in NAME.message, the
# clipboard in NAME.clipboard without carriage returns (Wine hands CR LF to X as LF).
drive_window() {
    local name=$1 program
    shift
    "$@" >"$check/$name.log" 2>&1 &
    program=$!
    local title='^TALVERO KR6->CSV \(Version 6\.9\.1\.1\)$' main message
    main=$(wait_for_window "$title")
    message=$(wait_for_window '^Information$')
    printf '' | xclip -selection clipboard
    xdotool windowfocus --sync "$message"
    xdotool key ctrl+c
    sleep 1
    xclip -o -selection clipboard >"$check/$name.message" 2>/dev/null || true
    xdotool key Return
    # The buttons' places in the fixed layout, below the menu bar.
    xdotool mousemove --window "$main" 306 45 click 1
    printf '' | xclip -selection clipboard
    for _ in $(seq 300); do
        xdotool mousemove --window "$main" 506 45 click 1
        sleep 0.5
        [[ -n "$(xclip -o -selection clipboard 2>/dev/null | head -c 1)" ]] && break
    done
    sleep 1
    xclip -o -selection clipboard | tr -d '\r' >"$check/$name.clipboard"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}

# The rows in the clipboard are the same for both windows and those of kr6csv evaluate.
compare_windows() {
    local what=$1 archive=$2
    drive_window "$what-gui.linux" "$linux_gui" "$check/$archive"
    (cd "$check" && drive_window "$what-gui.windows" "$wine" "$windows_gui" "$archive")
    if ! grep -q "^$archive wurde importiert" "$check/$what-gui.windows.message"; then
        echo "kr6csv-gui.exe $archive: no import message; the box said:" >&2
        cat "$check/$what-gui.windows.message" >&2
        exit 1
    fi
    tr -d '\r' <"$check/$what.linux" >"$check/$what.rows"
    if ! cmp -s "$check/$what-gui.linux.clipboard" "$check/$what-gui.windows.clipboard" ||
        ! cmp -s "$check/$what.rows" "$check/$what-gui.windows.clipboard"; then
        echo "the clipboard of kr6csv-gui.exe $archive differs:" >&2
        cmp "$check/$what-gui.linux.clipboard" "$check/$what-gui.windows.clipboard" >&2 || true
        cmp "$check/$what.rows" "$check/$what-gui.windows.clipboard" >&2 || true
        exit 1
    fi
    printf '  %-44s %9d rows equal\n' "kr6csv-gui $archive" "$(wc -l <"$check/$what.rows")"
}
compare_windows evaluate example.zip
compare_windows generated-1 generated-1.zip

(cd "$check" && "$wine" "$windows_gui" --screenshot window.png example.zip) >"$check/shot.log" 2>&1
cp "$check/window.png" "$out/window.png"
echo "  $out/window.png"

step "Windows download"
version=$("$linux_kr6csv" --version | awk '{ print $2 }')
download=$(tools/make-windows-zip.sh "$windows_kr6csv" "$windows_gui" "$linux_kr6csv" "$out")
# Unpacked elsewhere, the program gives the same rows as it does here.
rm -rf "$check/download"
(cd "$check" && unzip -q "$download" -d download)
(cd "$check/download/kr6csv-$version-windows-x64" && "$wine" ./kr6csv.exe evaluate -q demo-kr6.zip) \
    >"$check/download.rows"
cmp "$check/evaluate.linux" "$check/download.rows"
echo "  $(basename "$download")"

step ""
printf '%s\n' "${timings[@]}"
printf '%-44s %5d s\n' "total" $((SECONDS - started))
