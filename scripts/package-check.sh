#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, then builds the outside example against it
# twice, through find_package and through pkg-config, and runs both (off screen).
#   package-check.sh BUILD_DIR [--deb]    --deb also makes the Debian package and lists it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:?usage: package-check.sh BUILD_DIR [--deb]}" && pwd)"
WORK="$(mktemp -d "${TMPDIR:-/tmp}/ostrel-package.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK"

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
for f in bin/ostrel-cards bin/ostrel-demo bin/ostrel-designer include/ostrel/Ostrel.h include/ostrel/QtEmbedding.h \
         include/ostrel/OstrelItemsEditing.h; do
  [ -e "$PREFIX/$f" ] || { echo "not installed: $f"; exit 1; }
done
"$PREFIX/bin/ostrel-cards" generate --count 3 "$WORK/three.cards"

expect_runs() {  # PROGRAM: the example's check prints its three cards in sorted order and the editor's title
  local out
  out=$("$1" --check)
  echo "$out"
  [[ "$out" =~ ^'3 cards, first "Brown, Oliver", '[0-9]+' letter buttons, editor "Ostrel V2.10 Items Editor"'$ ]] ||
    { echo "unexpected output of $1"; exit 1; }
}

launcher=() cxx=(g++)
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) cxx=(ccache g++)
cmake -S "$ROOT/examples/find-package" -B "$WORK/example" -G Ninja -DCMAKE_PREFIX_PATH="$PREFIX" \
  "${launcher[@]}" >/dev/null
cmake --build "$WORK/example" >/dev/null
expect_runs "$WORK/example/address-book"

PC_DIR=$(dirname "$(find "$PREFIX" -name ostrel.pc)")
# shellcheck disable=SC2046
"${cxx[@]}" -std=c++20 "$ROOT/examples/find-package/main.cpp" -o "$WORK/pc-address-book" \
  $(PKG_CONFIG_PATH="$PC_DIR" pkg-config --cflags --libs ostrel)
expect_runs "$WORK/pc-address-book"

if [ "${2:-}" = "--deb" ]; then
  (cd "$WORK" && cpack --config "$BUILD/CPackConfig.cmake" -G DEB >/dev/null)
  deb=$(ls "$WORK"/ostrel_*.deb)
  dpkg-deb --contents "$deb" | grep -E 'OstrelConfig.cmake|ostrel.pc|bin/ostrel-demo' 
fi
echo "package builds and links"
