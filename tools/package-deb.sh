#!/usr/bin/env bash
# Packs the programs of an already built tree into a Debian package: the "programs" part of
# `cmake --install` under /usr, stripped, with compressed manual pages and documents, the
# copyright and a changelog of this version, and the dependencies that dpkg-shlibdeps finds
# in the binaries. The version is the one the built kr6csv shows.
# usage: tools/package-deb.sh BUILD_DIR OUTPUT_DIR   (writes OUTPUT_DIR/kr6csv_VERSION_ARCH.deb)
# KR6_MAINTAINER names the maintainer ("Name <address>"); by default the author of the
# last commit. KR6_DEB_COMPRESSION is dpkg-deb's compression, xz by default.
set -euo pipefail

build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=$("$build/cli/kr6csv" --version | awk '{ print $2 }')
architecture=$(dpkg --print-architecture)
maintainer=${KR6_MAINTAINER:-$(git -C "$source_dir" log -1 --format='%an <%ae>' 2>/dev/null || true)}
[[ -n $maintainer ]] || maintainer="kr6csv maintainers <maintainers@kr6csv.example>"
# The date of the last commit keeps the package the same when built again.
date=$(git -C "$source_dir" log -1 --format=%cD 2>/dev/null || date -R)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/source/debian/kr6csv"
doc="$root/usr/share/doc/kr6csv"

DESTDIR="$root" cmake --install "$build" --prefix /usr --component programs --strip >/dev/null
gzip -9n "$root"/usr/share/man/man1/*.1 "$doc/README.md" "$doc/findings.md"
cp "$source_dir/packaging/copyright" "$doc/copyright"
printf 'kr6csv (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
    "$version" "$version" "$maintainer" "$date" | gzip -9n >"$doc/changelog.gz"
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod 0644 {} +
chmod 0755 "$root"/usr/bin/*

# dpkg-shlibdeps reads the package names from the debian/control above the package root,
# which it finds by its DEBIAN folder.
mkdir "$root/DEBIAN"
printf 'Source: kr6csv\n\nPackage: kr6csv\nArchitecture: any\n' >"$work/source/debian/control"
depends=$(cd "$work/source" && dpkg-shlibdeps -O debian/kr6csv/usr/bin/* | sed -n 's/^shlibs:Depends=//p')

(cd "$root" && find usr -type f -exec md5sum {} + | sort -k 2) >"$root/DEBIAN/md5sums"
cat >"$root/DEBIAN/control" <<CONTROL
Package: kr6csv
Version: $version
Architecture: $architecture
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $depends
Section: utils
Priority: optional
Description: deliverable lens and coating combinations of KR6 price lists
 kr6csv imports a KR6 price list, a ZIP archive of fixed-width text files
 published by lens makers, and tests every combination of a lens with the
 coatings the list allows for it against the list's combination rules. Each
 deliverable combination becomes one tab-separated row.
 .
 The package holds the command line kr6csv, which also compares two lists and
 explains single combinations, the window kr6csv-gui, their manual pages, the
 bash completion and an example price list.
CONTROL
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

package="$output/kr6csv_${version}_${architecture}.deb"
dpkg-deb --root-owner-group -Z"${KR6_DEB_COMPRESSION:-xz}" --build "$root" "$package" >/dev/null
echo "$package"
