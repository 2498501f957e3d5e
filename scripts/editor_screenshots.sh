#!/bin/bash
# Photographs the editor window in the states the README shows (choosing a
# language, a client page, a lexicon page, the filter of rows to do, the
# progress, a check mark, a fit mark) at 100% and 200% scale under Xvfb, into
# docs/. Needs a build (scripts/setup.sh test builds one) and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/tests/installer/tst_installer_editor_window
[ -x "$program" ] || { echo "build the tests first: $program is missing" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 1; }
display=:57
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
for scale in 1 2; do
  DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale GLOTTA_EDITOR_SCREENSHOTS="$PWD/docs" \
    "$program" createThenEditWithoutSaving >/dev/null
  DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale GLOTTA_EDITOR_SCREENSHOTS="$PWD/docs" \
    build/tests/installer/tst_installer_editor_progress >/dev/null
done
ls -l docs/editor-*.png
