#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Formatting and clang-tidy over every C++ file of the project; fails on the first finding.
# Needs the compilation database of ./build (written by scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== Formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== clang-tidy"
# The project's own sources and tests; generated files (moc, embedded texts) are left out.
mapfile -t files < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp' 'bench/*.cpp')
run-clang-tidy -quiet -p build -j "$(nproc)" "${files[@]/#/$PWD/}" > build/clang-tidy.log 2>&1 || {
    grep -E "(warning|error):" build/clang-tidy.log | sort -u | head -n 50
    echo "clang-tidy found problems (whole report in build/clang-tidy.log)"
    exit 1
}
if grep -qE "^[^ ].*(warning|error):" build/clang-tidy.log; then
    grep -E "(warning|error):" build/clang-tidy.log | sort -u | head -n 50
    echo "clang-tidy found problems (whole report in build/clang-tidy.log)"
    exit 1
fi
echo "clang-tidy: no findings"
