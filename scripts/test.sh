#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file keeps the project's
# .clang-format, then builds and runs every test: once in a plain build, once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

echo "== layout (clang-format)"
"$root/scripts/check-format.sh"

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

echo "== plain build"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs"

echo "== sanitizer build (ASan + UBSan)"
"$root/scripts/build.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DRERIRUVOZIVE_SANITIZE=ON
# An allocation that cannot be made fails as it does without the sanitizer
# (Qt then throws std::bad_alloc), so that the program's own handling of it
# is what runs: a damaged settings value may ask Qt's reader for any size.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$root/build-sanitize" --output-on-failure --parallel "$jobs"
