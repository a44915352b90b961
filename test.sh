#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tessarin and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset default -j "$(nproc)" "$@"
