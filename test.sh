#!/usr/bin/env bash
# Builds ZOMMEL & VRIX and runs every test: the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzzing run.
# ZOMMEL_QUICK=1 runs the plain suite only. Arguments go to every ctest run.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
zommel_need_packages "${ZOMMEL_BUILD_PACKAGES[@]}" xvfb xauth xdotool imagemagick \
    clang libclang-rt-14-dev desktop-file-utils appstream

echo "== build and test"
zommel_build "$ZOMMEL_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$ZOMMEL_ROOT/build" && ctest --output-on-failure -j2 "$@")
[ -n "${ZOMMEL_QUICK:-}" ] && exit 0

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
zommel_build "$ZOMMEL_ROOT/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOMMEL_SANITIZE=ON \
    -DZOMMEL_BUILD_BENCH=OFF
(cd "$ZOMMEL_ROOT/build-asan" &&
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j2 "$@")

echo "== fuzzing, briefly"
zommel_configure "$ZOMMEL_ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOMMEL_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
"$ZOMMEL_ROOT/scripts/fuzz.sh" "$ZOMMEL_ROOT/build-fuzz" "${ZOMMEL_FUZZ_SECONDS:-20}"
echo "All tests passed."
