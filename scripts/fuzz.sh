#!/usr/bin/env bash
# Fuzzes every answer parser: builds the libFuzzer targets (clang, with
# AddressSanitizer and UndefinedBehaviorSanitizer) in build-fuzz/ and runs each
# for a number of inputs on a copy of its seeds. Not part of CI.
#
#   scripts/fuzz.sh [runs] [target...]
#
# runs: inputs per target (default 1000000); targets: names from the table in
# tests/fuzz/fuzztargets.cpp (default all). FUZZ_PARALLEL=n runs up to n
# targets at once (default 1, at most 3); FUZZ_WORKERS=n shares each target's
# inputs among n processes on one corpus (default 1), each running runs/n;
# FUZZ_JOBS=n compile jobs (default 3).
# Prints inputs, inputs per second and coverage per target (with workers: the
# inputs and speeds added up, the highest coverage). A finding's input
# is kept in build-fuzz/findings/<target>/ and the script exits non-zero.
#
# Inputs are held to a few times the longest answer (or file) of the target's
# family (max_len below): longer inputs only repeat the same answers glued
# together, and each repeat costs a refresh of the page's form.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-1000000}"
shift || true
parallel="${FUZZ_PARALLEL:-1}"
[ "$parallel" -ge 1 ] && [ "$parallel" -le 3 ] || { echo "FUZZ_PARALLEL must be 1 to 3" >&2; exit 2; }
workers="${FUZZ_WORKERS:-1}"
[ "$workers" -ge 1 ] && [ "$workers" -le 8 ] || { echo "FUZZ_WORKERS must be 1 to 8" >&2; exit 2; }

"$root/scripts/install-deps.sh" --fuzz

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRERIRUVOZIVE_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_all --parallel "${FUZZ_JOBS:-3}"

# The same rule the build uses to make one program per table row.
table="$root/tests/fuzz/fuzztargets.cpp"
if [ "$#" -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets < <(grep -o '{"[a-z0-9]*", fuzz' "$table" | sed 's/{"\([a-z0-9]*\)".*/\1/')
fi

# The pages run headless, with a throw-away home, and never reach beyond this machine.
home="$build/fuzz-home"
mkdir -p "$home/config" "$home/data" "$home/cache"
export QT_QPA_PLATFORM=offscreen HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_CACHE_HOME="$home/cache" RERIRUVOZIVE_UPDATE_HOST=127.0.0.1:1
# An allocation that cannot be made fails as it does without the sanitizer
# (Qt then throws std::bad_alloc), so that the program's own handling of it
# is what runs: a damaged settings value may ask Qt's reader for any size.
# Beyond 64 MiB none is made, so that whether one is does not hang on what
# the machine has free at the time, and no input spends a minute filling it.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:allocator_may_return_null=1:max_allocation_size_mb=64"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Longest input per target, in bytes.
declare -A max_len=(
    [fls]=256 [kv380]=128 [wiredtag]=128 [remote]=512 [splitter]=512
    [table]=512 [ble]=512 [bleadw]=640 [kvble]=512 [online]=768 [plm300]=128 [n7]=640
    [runfile]=2048 [csv]=2048 [settings]=2048 [firmware]=24576
)

# The largest single allocation per target, in MiB, where it is not 64 (the
# program itself, libFuzzer and Qt's start take up to 20).
declare -A max_alloc_mb=([settings]=24)

run_target() {
    local name="$1"
    local exe="$build/tests/fuzz/fuzz_$name"
    local seeds="$root/tests/fuzz/corpus/$name"
    local work="$build/fuzz-corpus/$name"
    local findings="$build/findings/$name"
    local log="$build/fuzz-logs/$name.log"
    if [ ! -x "$exe" ] || [ ! -d "$seeds" ]; then
        echo "$name: no such target (or no seeds in $seeds)" >"$log"
        return 2
    fi
    rm -rf "$work"
    mkdir -p "$work" "$findings"
    cp "$seeds"/* "$work"/
    local options=(-max_len="${max_len[$name]:-4096}" -print_final_stats=1 -artifact_prefix="$findings/")
    # A target whose inputs never need more than a smaller room gets it: a
    # value Qt's reader takes for a list of millions of items then fails at
    # once, as it would on a machine with less free, instead of filling the room.
    local -x ASAN_OPTIONS="${ASAN_OPTIONS/max_allocation_size_mb=64/max_allocation_size_mb=${max_alloc_mb[$name]:-64}}"
    # Qt warns on nearly every damaged settings file: workers' logs of that
    # size are more than libFuzzer's driver can read back within the room.
    local -x QT_LOGGING_RULES="${QT_LOGGING_RULES:-}"
    [ "$name" != settings ] || QT_LOGGING_RULES="default.warning=false"
    rm -rf "$log.d"
    if [ "$workers" -eq 1 ]; then
        "$exe" -runs="$runs" "${options[@]}" "$work" >"$log" 2>&1
        return
    fi
    # libFuzzer writes each worker's log as fuzz-<n>.log in the folder it runs in.
    mkdir -p "$log.d"
    (cd "$log.d" && "$exe" -jobs="$workers" -workers="$workers" -runs="$(((runs + workers - 1) / workers))" \
        "${options[@]}" "$work") >"$log" 2>&1
}

# One line per target from its log: the last status line carries the coverage.
report() {
    local name="$1" rc="$2"
    local log="$build/fuzz-logs/$name.log"
    local logs=("$log") inputs speed cov ft corp verdict
    [ -d "$log.d" ] && logs=("$log.d"/fuzz-*.log)
    inputs="$(for l in "${logs[@]}"; do sed -n 's/^stat::number_of_executed_units: *//p' "$l" | tail -1; done |
        awk '{s += $1} END {if (NR) print s}')"
    speed="$(for l in "${logs[@]}"; do sed -n 's/^stat::average_exec_per_sec: *//p' "$l" | tail -1; done |
        awk '{s += $1} END {if (NR) print s}')"
    cov="$(for l in "${logs[@]}"; do grep -o 'cov: [0-9]*' "$l" | tail -1 | cut -d' ' -f2; done | sort -n | tail -1)"
    ft="$(for l in "${logs[@]}"; do grep -o 'ft: [0-9]*' "$l" | tail -1 | cut -d' ' -f2; done | sort -n | tail -1)"
    corp="$(for l in "${logs[@]}"; do grep -o 'corp: [0-9]*' "$l" | tail -1 | cut -d' ' -f2; done | sort -n | tail -1)"
    if [ "$rc" -eq 0 ]; then
        verdict="no finding"
    else
        verdict="FINDING (exit $rc), see $log and $build/findings/$name/"
    fi
    printf '%-10s %10s inputs %8s inputs/s  coverage %5s edges %6s features  corpus %5s  %s\n' \
        "$name" "${inputs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$verdict"
}

mkdir -p "$build/fuzz-logs"
declare -A pids=()
failed=0
finish_one() {
    local pid name rc=0
    wait -n -p pid || rc=$?
    name="${pids[$pid]}"
    unset "pids[$pid]"
    report "$name" "$rc"
    [ "$rc" -eq 0 ] || failed=1
}

echo "== fuzzing ${targets[*]}: $runs inputs each"
for name in "${targets[@]}"; do
    while [ "${#pids[@]}" -ge "$parallel" ]; do
        finish_one
    done
    run_target "$name" &
    pids[$!]="$name"
done
while [ "${#pids[@]}" -gt 0 ]; do
    finish_one
done
exit "$failed"
