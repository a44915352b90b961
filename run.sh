#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tessarin and starts it on the sample database (made on first run, in ./sample).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
mkdir -p sample
[ -f sample/sample.tdb ] || build/tessarin_sample sample/sample.tdb
export TESSARIN_HOME="${TESSARIN_HOME:-$PWD/sample/home}"
exec build/tessarin "$PWD/sample/sample.tdb" "$@"
