#!/usr/bin/env bash
# Windows build: cross-compile with MinGW-w64 and run the tests under Wine.
#
#   .ci/windows.sh [build-folder]     (default: build-mingw)
#
# GoogleTest comes from Debian's googletest sources, pugixml, zlib and libzip from Debian's source
# packages; all are cross-built once, static, into <build-folder>/deps/prefix and reused while
# that stays. The tool's header-only CLI11 and nlohmann/json are Debian's, copied into the same
# prefix.
# WINE may name the 64-bit Wine launcher when it is not where the wine64 package puts it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-mingw}")
deps=$build/deps
prefix=$deps/prefix
toolchain=$root/cmake/toolchains/mingw-w64.cmake

install_missing() {
  "$root/.ci/install-missing.sh" cmake make dpkg-dev googletest gcc-mingw-w64-x86-64-posix \
    g++-mingw-w64-x86-64-posix wine64 libcli11-dev nlohmann-json3-dev
}

# apt-get source needs deb-src entries: mirror the Debian deb entries of the machine.
enable_debian_sources() {
  local lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  if grep -qsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' "${lists[@]}"; then
    return
  fi
  echo "== adding deb-src entries for the Debian archive"
  local one_line deb822
  one_line=$(grep -hsE '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list \
               /etc/apt/sources.list.d/*.list | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' || true)
  # deb822 files: every stanza of a Debian archive again, with its type turned into deb-src.
  deb822=$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
                /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
                  sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' \
             /dev/null /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -z "$one_line" ] || echo "$one_line" >/etc/apt/sources.list.d/comparam-deb-src.list
  [ -z "$deb822" ] || echo "$deb822" >/etc/apt/sources.list.d/comparam-deb-src.sources
  apt-get update -qq
}

# Stamps remember what a dependency was built from, so a new toolchain rebuilds it.
stamp_text() { echo "$1 $(md5sum <"$toolchain" | cut -d' ' -f1)"; }
is_built() { [ -f "$deps/$1.stamp" ] && [ "$(cat "$deps/$1.stamp")" = "$(stamp_text "$2")" ]; }

cross_build_install() {
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$deps/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$deps/build-$name" -j2
  cmake --install "$deps/build-$name"
}

build_googletest() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest)
  if is_built googletest "$version"; then return; fi
  echo "== cross-building GoogleTest $version"
  cross_build_install googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  stamp_text "$version" >"$deps/googletest.stamp"
}

# Unpacks a Debian source package into $deps/src-NAME and prints the folder. A mirror may not
# serve the newest version the package lists name (a security update), so older ones follow.
fetch_source() {
  local name=$1 version
  enable_debian_sources >&2
  rm -rf "$deps/src-$name"
  mkdir -p "$deps/src-$name"
  for version in $(apt-cache showsrc "$name" | sed -n 's/^Version: //p' | sort -rVu); do
    if (cd "$deps/src-$name" && apt-get source -qq "$name=$version" >&2); then
      find "$deps/src-$name" -mindepth 1 -maxdepth 1 -type d -name "$name-*" | head -n1
      return
    fi
  done
  echo "no source of $name could be fetched" >&2
  return 1
}

build_pugixml() {
  if is_built pugixml any; then return; fi
  echo "== cross-building pugixml from the Debian source package"
  local source
  source=$(fetch_source pugixml)
  cross_build_install pugixml "$source" -DPUGIXML_BUILD_TESTS=OFF
  stamp_text any >"$deps/pugixml.stamp"
}

# Only the packages' own headers and CMake files: the rest of /usr/include must stay out of
# the cross build. Copied afresh each run, so they follow the installed packages.
stage_header_only() {
  local package path
  for package in libcli11-dev nlohmann-json3-dev; do
    dpkg -L "$package" | grep -E '^/usr/(include|share/cmake)/' | while read -r path; do
      if [ -f "$path" ]; then
        mkdir -p "$prefix/$(dirname "${path#/usr/}")"
        cp "$path" "$prefix/${path#/usr/}"
      fi
    done
  done
}

# zlib's CMake project builds its DLL whatever it is told: only the static library is built and
# installed, as libz.a, the name a search for zlib tries first.
build_zlib() {
  if is_built zlib any; then return; fi
  echo "== cross-building zlib from the Debian source package"
  local source
  source=$(fetch_source zlib)
  cmake -S "$source" -B "$deps/build-zlib" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DSKIP_INSTALL_LIBRARIES=ON
  cmake --build "$deps/build-zlib" -j2 --target zlibstatic
  cmake --install "$deps/build-zlib"
  cp "$deps/build-zlib/libzlibstatic.a" "$prefix/lib/libz.a"
  stamp_text any >"$deps/zlib.stamp"
}

# Deflate only, what a PDX holds: no bzip2, xz or encryption back ends, no tools, tests or docs.
build_libzip() {
  if is_built libzip any; then return; fi
  echo "== cross-building libzip from the Debian source package"
  local source
  source=$(fetch_source libzip)
  cross_build_install libzip "$source" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF
  stamp_text any >"$deps/libzip.stamp"
}

find_wine() {
  if [ -n "${WINE:-}" ]; then echo "$WINE"; return; fi
  dpkg -L wine64 | grep -m1 -E '/wine64$'
}

# One persistent server for the whole run: each test process then starts in well under a second.
# No desktop menu entries, no prompts to install the .NET and HTML runtimes.
run_tests_under_wine() {
  local wine=$1 wineserver
  wineserver=$(dirname "$wine")/wineserver
  export WINEDEBUG=-all WINEPREFIX=$build/wineprefix WINEDLLOVERRIDES='winemenubuilder.exe,mscoree,mshtml=d'
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # Wine's background services keep the output they start with: give them a log, not ours.
  "$wineserver" -p >"$build/wineboot.log" 2>&1
  # shellcheck disable=SC2064  # the path is fixed now; the local is gone at exit
  trap "'$wineserver' -k || true" EXIT
  "$wine" wineboot --init >>"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; return 1; }
  ctest --test-dir "$build" --output-on-failure -j2 --timeout 600
}

install_missing
mkdir -p "$deps"
start=$SECONDS
build_googletest
build_pugixml
build_zlib
build_libzip
stage_header_only
echo "== dependencies ready after $((SECONDS - start)) s"

wine=$(find_wine)
echo "== Windows build (MinGW-w64, Wine: $wine)"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DWINE_EXECUTABLE="$wine" \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCOMPARAM_WERROR=ON
cmake --build "$build" -j2
echo "== Windows tests under Wine"
start=$SECONDS
run_tests_under_wine "$wine"
echo "== Windows tests took $((SECONDS - start)) s"
