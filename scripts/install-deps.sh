#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Quiet and quick when they are
# already there, so every entry script can call it.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config clang
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          libsqlite3-dev sqlite3 libicu-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
