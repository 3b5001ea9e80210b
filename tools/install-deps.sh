#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs to build, run and test.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libsqlite3-dev zlib1g-dev libgtest-dev
          fonts-dejavu-core poppler-utils clang libclang-rt-14-dev ccache
          qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
