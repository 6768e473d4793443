#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says; `clang-format -i`
# on the files it names mends them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp')
clang-format --dry-run -Werror "${files[@]}"
echo "format: ${#files[@]} files as .clang-format says"
