#!/usr/bin/env bash
# Builds ZOMMEL & VRIX and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
zommel_need_packages "${ZOMMEL_BUILD_PACKAGES[@]}" xvfb xauth
zommel_build "$ZOMMEL_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$ZOMMEL_ROOT/build"
ctest --output-on-failure -j2 "$@"
