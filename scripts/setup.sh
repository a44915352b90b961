#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs on Debian 12 (only what is missing), then configures and
# builds incrementally in ./build. Sourced by run.sh and test.sh.
set -euo pipefail

packages=(build-essential cmake pkg-config ccache qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-image-formats-plugins libgl-dev
          libsqlcipher-dev sqlcipher libgtest-dev libgmock-dev libbenchmark-dev libjpeg-turbo-progs
          clang-format clang-tidy)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

cd "$(dirname "${BASH_SOURCE[0]}")/.."
[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build --preset default -j "$(nproc)"
