#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build, run and test
# (with --fuzz also those of the fuzz targets).
# Safe to run again: only missing packages are installed, and the package
# index is refreshed at most once per run.
set -euo pipefail

PACKAGES=(
    build-essential
    cmake
    pkg-config
    # packs the update check's compressed answers in its test
    zlib1g-dev
    qtbase5-dev
    qtbase5-dev-tools
    libqt5serialport5-dev
    libqt5charts5-dev
    libqt5svg5-dev
    qttools5-dev
    qttools5-dev-tools
    # Qt's own texts (message box buttons, the file dialog) in Russian and Spanish
    qttranslations5-l10n
    libudev-dev
    xvfb
    xauth
    # the layout check that opens the test run (scripts/check-format.sh)
    clang-format
    # metric-compatible serif that stands in for the form's "Times New Roman"
    fonts-liberation2
)

# Only for scripts/fuzz.sh (install-deps.sh --fuzz): clang with libFuzzer.
FUZZ_PACKAGES=(
    clang
    libclang-rt-dev
)
if [ "${1:-}" = "--fuzz" ]; then
    PACKAGES+=("${FUZZ_PACKAGES[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root to install them." >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive

# On a fresh machine a package job started at boot (the daily index refresh,
# unattended upgrades) may hold the package locks for a few minutes: wait for
# it rather than fail. apt-get waits for the dpkg lock itself when given a
# timeout; the index and download locks it does not wait for, so a run that
# failed on a lock is tried again until the time is up.
LOCK_WAIT_SECONDS="${LOCK_WAIT_SECONDS:-300}"
lock_deadline=$((SECONDS + LOCK_WAIT_SECONDS))

apt_get() {
    local errors status left
    errors="$(mktemp)"
    while true; do
        left=$((lock_deadline - SECONDS))
        if [ "$left" -lt 0 ]; then
            left=0
        fi
        status=0
        apt-get -o DPkg::Lock::Timeout="$left" "$@" 2>"$errors" || status=$?
        cat "$errors" >&2
        if [ "$status" -eq 0 ] || ! grep -q "Could not get lock" "$errors" || [ "$SECONDS" -ge "$lock_deadline" ]; then
            rm -f "$errors"
            return "$status"
        fi
        echo "Another package job holds the package lock; waiting for it..." >&2
        sleep 5
    done
}

apt_get update -q
apt_get install -y -q --no-install-recommends "${missing[@]}"
