#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/reriruvozive" "$@"
