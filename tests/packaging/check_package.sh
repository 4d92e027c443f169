#!/usr/bin/env bash
# Builds the Debian package from a built build folder and checks what a user
# installs: the files, their owner, lintian (errors fail), the AppStream and
# menu-entry validators, and tesk-site started from the unpacked package.
set -euo pipefail
build=$(cd "${1:?usage: check_package.sh BUILD_DIR}" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(echo "$out"/*.deb)
id=invalid.tesk.WebEditor
status=0
fail() { echo "FAIL: $*"; status=1; }

dpkg-deb -c "$deb" >"$out/list"
for f in usr/bin/tesk-web-editor usr/bin/tesk-site usr/share/tesk-web-editor/TeskEdit.htm \
         "usr/share/tesk-web-editor/References/Button.but" usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/tesk-web-editor.svg \
         usr/share/icons/hicolor/48x48/apps/tesk-web-editor.png usr/share/man/man1/tesk-web-editor.1.gz \
         usr/share/man/man1/tesk-site.1.gz usr/share/doc/tesk-web-editor/copyright; do
  grep -q " \./$f\$" "$out/list" || fail "the package lacks /$f"
done
grep -q "Working-Pages\|Final-Pages\|\.keep" "$out/list" && fail "the package holds a build folder's site"
awk '$2 != "root/root" { print "FAIL: not owned by root: " $0; bad = 1 } END { exit bad }' "$out/list" || status=1

lintian --fail-on error "$deb" || fail "lintian"

root="$out/root"
dpkg -x "$deb" "$root"
# validate-tree also finds the menu entry the metainfo launches.
appstreamcli validate-tree --no-net "$root" >"$out/as.log" 2>&1 || { cat "$out/as.log"; fail "appstreamcli"; }
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"

[[ $("$root/usr/bin/tesk-site" --help) == "usage: tesk-site check"* ]] || fail "the unpacked tesk-site does not run"
[ "$("$root/usr/bin/tesk-site" --version)" = "tesk-site $(dpkg-deb -f "$deb" Version)" ] \
  || fail "tesk-site's version is not the package's"
# The installed tesk-site takes the page extensions from the user's settings.
site="$out/site"
mkdir -p "$site/Final-Pages" "$out/config/Tesk Web Editor"
sed 's/^"HTML (\*\.html;\*\.htm)|.*/"Pages (*.xyz)|*.xyz|"\r/' "$(dirname "$0")/../data/fuzz/settings/written_by_program.ini" \
  >"$out/config/Tesk Web Editor/Tesk Web Editor.ini"
echo '<a href="gone.xyz">' >"$site/Final-Pages/index.xyz"
found=$(XDG_CONFIG_HOME="$out/config" "$root/usr/bin/tesk-site" check "$site" --only links || true)
[[ $found == *gone.xyz* ]] || fail "the unpacked tesk-site does not read the user's settings"
exit $status
