#!/usr/bin/env bash
# Runs the session harness the way a user meets the program: installed into a
# temporary prefix, on a virtual X display, with a private home. Skipped (77)
# when Xvfb is not installed.
#
# Usage: session_under_xvfb.sh CMAKE BUILD_DIR HARNESS [harness arguments]
set -euo pipefail

cmake_command="$1"
build="$2"
harness="$3"
shift 3
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=acceptance_helpers.sh
source "$here/acceptance_helpers.sh"

require_tools Xvfb

work="$(mktemp -d)"
cleanup() {
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

install_build "$cmake_command" "$build" "$work/prefix" "$work/install.log" || exit 1

start_private_display "$work"
export VARNO_INSTALL_PREFIX="$work/prefix"

# The harness runs once more when only LeakSanitizer's tracer failed it.
status=0
once_more_after_tracer_crash "$harness" "$@" || status=$?
exit "$status"
