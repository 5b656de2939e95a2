#!/usr/bin/env bash
# Installs the Debian packages Orvano needs, and only those that are missing.
#   scripts/install-deps.sh [EXTRA-PACKAGE...]
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libfinal-dev libgpm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev libsoxr-dev libcli11-dev nlohmann-json3-dev
  tmux time python3 valgrind
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
