#!/usr/bin/env bash
# Installs the Debian packages that are not installed yet; with no arguments, what building the
# library, the tool and the tests needs. Uses sudo when not run as root.
# Usage: .ci/install-missing.sh [PACKAGE...]
set -euo pipefail

packages=("$@")
if [ ${#packages[@]} -eq 0 ]; then
  packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libpugixml-dev libzip-dev zlib1g-dev
            libcli11-dev nlohmann-json3-dev python3 bash-completion man-db)
fi

need=()
for pkg in "${packages[@]}"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0

echo "== installing ${need[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${need[@]}"
