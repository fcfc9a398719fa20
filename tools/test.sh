#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine in a
# throwaway prefix on a private Xvfb display; stops everything it started.
#   tools/test.sh                 every test
#   tools/test.sh -L unit         one kind (unit, integration, e2e)
#   tools/test.sh -R Settings     tests whose names match
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/install-deps.sh"
"$ROOT/tools/build.sh"

source "$ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start headless
# The simulated receiver's setupapi.dll beside the test programs replaces the system's.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;setupapi=n,b"

cd "${PRESVIA_BUILD_DIR:-$ROOT/build}"
ctest --output-on-failure --parallel 2 "$@"
