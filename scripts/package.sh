#!/usr/bin/env bash
# Builds the Debian package zorvik_<version>_<architecture>.deb into build/package/ (or OUT), checks it
# with lintian (any error fails), unpacks it into a scratch folder and runs the unpacked program: its
# --version and a search without a window, with no display.
#   scripts/package.sh [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/package}")
bash scripts/deps.sh dpkg-dev lintian
source scripts/build-env.sh

# Debian's hardening flags (stack protector, fortified functions, read-only relocations, bind now,
# position-independent executable), as a package built by the archive's tools would have them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
build=build/package-build
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVIK_BUILD_TESTS=OFF -DZORVIK_BUILD_BENCH=OFF \
        >/dev/null
cmake --build "$build" -j2
mkdir -p "$out"
(cd "$build" && cpack -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb=$(ls -t "$out"/zorvik_*.deb | head -n 1)
echo "package: $deb"
dpkg-deb --field "$deb"

# Errors fail; warnings and notes are shown.
lintian --fail-on error --display-info "$deb"

# The unpacked program on its own: no display, no settings of anybody's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
mkdir -p "$scratch/config"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$scratch/config" "$@"; }
version=$(run "$scratch/root/usr/bin/zorvik" --version)
[ "$version" = "Zorvik $(dpkg-deb -f "$deb" Version)" ] || { echo "package: --version said '$version'"; exit 1; }
found=$(run "$scratch/root/usr/bin/zorvik" --print --greater-than 1KB --format csv "$scratch/root/usr" | tr -d '\r')
# CSV quotes a size text with a digit group ("1,076 KB").
grep -qxE "$scratch/root/usr/lib/zorvik/zorvik,[0-9]+,\"?[0-9,]+ KB\"?" <<<"$found" ||
  { echo "package: the unpacked program did not find itself:"; echo "$found"; exit 1; }
[ -z "$(ls -A "$scratch/config")" ] || { echo "package: the search wrote settings"; exit 1; }
echo "package: $version; a search without a window found $(($(wc -l <<<"$found") - 1)) files"
