#!/usr/bin/env bash
# Fails when a C++ file of the repository is off the project's .clang-format,
# naming each such file; `clang-format -i <file>` puts it right.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
