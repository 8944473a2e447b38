#!/usr/bin/env bash
# Builds ZOMMEL & VRIX and starts it.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
zommel_need_packages "${ZOMMEL_BUILD_PACKAGES[@]}"
zommel_build "$ZOMMEL_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$ZOMMEL_ROOT/build/bin/zommel" "$@"
