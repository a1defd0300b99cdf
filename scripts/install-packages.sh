#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing (apt-get update first).
# Usage: scripts/install-packages.sh package...
set -euo pipefail
missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -gt 0 ] || exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -o DPkg::Lock::Timeout=900
# Other builds on the machine may be installing too: wait for their lock.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -o DPkg::Lock::Timeout=900 --no-install-recommends "${missing[@]}"
