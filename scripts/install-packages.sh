#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing (apt-get update first).
# A package of another architecture (qt6-base-dev:arm64) adds that architecture to dpkg.
# Usage: scripts/install-packages.sh package...
set -euo pipefail
missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -gt 0 ] || exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
for package in "${missing[@]}"; do
    arch="${package#*:}"
    if [ "$arch" != "$package" ] && [ "$arch" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        $sudo dpkg --add-architecture "$arch"
    fi
done
echo "Installing: ${missing[*]}"
$sudo apt-get update -o DPkg::Lock::Timeout=900
# Other builds on the machine may be installing too: wait for their lock.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -o DPkg::Lock::Timeout=900 --no-install-recommends "${missing[@]}"
