#!/bin/sh
# Installs the Debian packages listed in tools/debian-packages.txt (or in the list given) that are
# missing; a no-op otherwise.
set -eu
list="${1:-$(dirname "$0")/debian-packages.txt}"
missing=""
for package in $(grep -v '^#' "$list"); do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "Missing packages:$missing; run this as root or install sudo." >&2
    exit 1
fi
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
