#!/bin/bash
# Photographs the installer window in a pseudo language made by
# "glotta pseudo" from its stored design, under Xvfb, into
# docs/installer-pseudo.png. Needs a build with the tests and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/tests/tools/glotta/tst_pseudo
[ -x "$program" ] || { echo "build the tests first: $program is missing" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 1; }
display=:58
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb GLOTTA_PSEUDO_SCREENSHOT="$PWD/docs/installer-pseudo.png" \
  "$program" installerInPseudo >/dev/null
ls -l docs/installer-pseudo.png
