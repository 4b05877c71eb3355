#!/usr/bin/env bash
# Debian packages: builds libcomparam1, libcomparam-dev and comparam from a Release build with
# Debian's build flags, checks that they hold every installed file and that lintian finds no
# error or warning, installs them with dpkg, builds and runs two outside programs against the
# installed files (find_package(ComParam), pkg-config), runs comparam show from /usr/bin, and
# purges the packages again, checking that none of their files is left. The packages go again
# also when a step fails.
#
#   .ci/package.sh [build-folder]     (default: build-deb)
#
# It installs into this machine (through sudo unless run as root), so it refuses to run while
# any of the packages is installed already.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-deb}")
debs_dir=$build/packages

.ci/install-missing.sh
.ci/install-missing.sh dpkg-dev fakeroot file binutils lintian pkg-config

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# Configured, built and packaged with the flags a Debian package build uses (hardening included).
build_packages() {
  echo "== Release build with Debian's build flags"
  (
    flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
    # The changelog entry of an unreleased version carries the time of the last commit.
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
    export SOURCE_DATE_EPOCH
    # Given on the command line, so that a build folder configured before takes them too. CMake
    # knows no CPPFLAGS: the preprocessor's flags go with the compiler's.
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)" \
      -DCOMPARAM_WERROR=ON -DCOMPARAM_TESTS=OFF -DCOMPARAM_BENCHMARKS=OFF
    cmake --build "$build" -j2
    echo "== cpack -G DEB"
    rm -rf "$debs_dir"
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$debs_dir"
  )
  debs=("$debs_dir"/*.deb)
  names=()
  for deb in "${debs[@]}"; do names+=("$(dpkg-deb -f "$deb" Package)"); done
  echo "== packages: ${names[*]}"
  [ ${#debs[@]} -eq 3 ] || { echo "expected three packages, got ${#debs[@]}"; return 1; }
}

# Every file a plain install makes is in one of the packages.
check_packages_hold_the_install() {
  echo "== every installed file is packaged"
  local stage=$build/staging
  rm -rf "$stage"
  DESTDIR="$stage" cmake --install "$build" >/dev/null
  (cd "$stage" && find . ! -type d | sed 's|^\.||' | sort) >"$build/installed-files.txt"
  for deb in "${debs[@]}"; do dpkg-deb --fsys-tarfile "$deb" | tar -t; done |
    grep -v '/$' | sed 's|^\./|/|' | sort -u >"$build/packaged-files.txt"
  local missing
  missing=$(comm -23 "$build/installed-files.txt" "$build/packaged-files.txt")
  [ -z "$missing" ] || { echo "installed but in no package (give its install rule a COMPONENT):"; echo "$missing"; return 1; }
}

# Overridden tags count as failures when shown, so the overrides in use are listed apart.
run_lintian() {
  echo "== lintian"
  lintian --fail-on error,warning --display-info "${debs[@]}"
  echo "== lintian overrides in use (each file gives its reasons)"
  lintian --show-overrides "${debs[@]}" | grep '^O: ' || true
}

installed_names() {
  local name
  for name in "${names[@]}"; do
    if dpkg-query -W -f='${db:Status-Status}\n' "$name" 2>/dev/null | grep -qv '^not-installed$'; then
      echo "$name"
    fi
  done
}

purge_packages() {
  local installed
  installed=$(installed_names | tr '\n' ' ')
  [ -z "$installed" ] && return 0
  echo "== purging $installed"
  # shellcheck disable=SC2086  # one word per package
  "${as_root[@]}" dpkg --purge $installed
}

install_packages() {
  if [ -n "$(installed_names)" ]; then
    echo "already installed: $(installed_names | tr '\n' ' ')- purge them before running this"
    return 1
  fi
  trap purge_packages EXIT
  echo "== dpkg -i"
  "${as_root[@]}" dpkg -i "${debs[@]}"
  for name in "${names[@]}"; do dpkg -L "$name"; done | sort -u >"$build/dpkg-files.txt"
}

# The installed libraries, never the build tree's, must be what the programs load.
expect_system_libraries() {
  local program=$1 libraries
  # Read whole first: grep -q stops reading at its match, and under pipefail the writer's
  # broken pipe would fail the check.
  libraries=$(ldd "$program")
  if grep -F "$build" <<<"$libraries"; then
    echo "$program loads libraries from the build tree"
    return 1
  fi
  # /lib is /usr/lib on a merged-/usr system.
  grep -qE '=> (/usr)?/lib/[^ ]+/libcomparam\.so\.1 ' <<<"$libraries" ||
    { echo "$program does not load the installed libcomparam.so.1"; echo "$libraries"; return 1; }
}

build_consumers() {
  local consumer=$root/tests/consumer
  echo "== consumer with find_package(ComParam)"
  rm -rf "$build/consumer-cmake" "$build/consumer-pkgconfig"
  cmake -S "$consumer" -B "$build/consumer-cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON
  grep -q '^ComParam_DIR:PATH=/usr/lib/.*/cmake/ComParam$' "$build/consumer-cmake/CMakeCache.txt" ||
    { echo "find_package(ComParam) did not find the installed package"; return 1; }
  cmake --build "$build/consumer-cmake"
  expect_system_libraries "$build/consumer-cmake/consumer"
  "$build/consumer-cmake/consumer"

  echo "== consumer with pkg-config"
  local version
  version=$(pkg-config --modversion comparam)
  [ "$version" = "$(dpkg-deb -f "${debs[0]}" Version | cut -d- -f1)" ] ||
    { echo "pkg-config reports comparam $version"; return 1; }
  mkdir -p "$build/consumer-pkgconfig"
  # shellcheck disable=SC2046  # pkg-config's flags are words
  g++ -std=c++17 -o "$build/consumer-pkgconfig/consumer" "$consumer/main.cpp" \
    $(pkg-config --cflags --libs comparam)
  expect_system_libraries "$build/consumer-pkgconfig/consumer"
  "$build/consumer-pkgconfig/consumer"
}

run_installed_tool() {
  echo "== /usr/bin/comparam show"
  [ "$(command -v comparam)" = /usr/bin/comparam ] || { echo "comparam is not /usr/bin/comparam"; return 1; }
  expect_system_libraries /usr/bin/comparam
  /usr/bin/comparam show >"$build/comparam-show.txt"
  grep -q '^Interface ' "$build/comparam-show.txt" || { cat "$build/comparam-show.txt"; return 1; }
  head -n 4 "$build/comparam-show.txt"
}

# After the purge no package record is left, and of the packages' paths only folders remain
# that hold other files or belong to another package as well.
check_nothing_left() {
  echo "== nothing left after the purge"
  [ -z "$(installed_names)" ] || { echo "still known to dpkg: $(installed_names)"; return 1; }
  local left=()
  local path
  while IFS= read -r path; do
    [ "$path" != "/." ] || continue
    [ -e "$path" ] || [ -L "$path" ] || continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
      if [ -n "$(ls -A "$path")" ] || dpkg -S "$path" >/dev/null 2>&1; then continue; fi
    fi
    left+=("$path")
  done <"$build/dpkg-files.txt"
  [ ${#left[@]} -eq 0 ] || { echo "left behind:"; printf '  %s\n' "${left[@]}"; return 1; }
}

build_packages
check_packages_hold_the_install
run_lintian
install_packages
build_consumers
run_installed_tool
purge_packages
check_nothing_left
echo "== packages built, checked, installed, used and purged"
