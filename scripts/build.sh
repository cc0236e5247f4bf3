#!/usr/bin/env bash
# Configures and builds one build directory: build.sh <dir> [extra cmake args...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
shift
cmake -S "$root" -B "$dir" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
