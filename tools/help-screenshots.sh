#!/bin/sh
# Remakes the pictures of the help page (resources/help/*.png) from the real
# windows: builds tesk-help-shots, which starts the editor offscreen with a
# sample site, opens every window through its menu command and saves it.
# A window that is not built yet is skipped and named at the end.
#
#     tools/help-screenshots.sh [build folder]      (default: build)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out="$root/resources/help"

cmake --build "$build" --target tesk-help-shots
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# As root, the page engine refuses to run with its sandbox.
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
"$build/bin/tesk-help-shots" "$root/resources" "$out"

# Fewer colours keep the pictures small; they are screenshots of flat widgets.
if command -v pngquant >/dev/null 2>&1; then
  pngquant --force --skip-if-larger --ext .png 256 "$out"/*.png || true
elif command -v convert >/dev/null 2>&1; then
  for f in "$out"/*.png; do convert "$f" -strip -colors 256 "PNG8:$f"; done
fi
