#!/bin/sh
# Runs a test program (its arguments follow) in a D-Bus session of its own
# holding a GNOME Keyring with an unlocked login collection in a throw-away
# folder: the tests keep and read passwords there, never in the user's.
# Without dbus-run-session or gnome-keyring-daemon the program runs alone
# and its keyring tests skip, saying why.
if ! command -v dbus-run-session >/dev/null || ! command -v gnome-keyring-daemon >/dev/null; then
  TESK_PRIVATE_KEYRING="missing dbus-run-session or gnome-keyring-daemon (dbus, gnome-keyring)" exec "$@"
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
XDG_DATA_HOME="$dir" XDG_RUNTIME_DIR="$dir" dbus-run-session -- sh -c '
  echo -n test | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null 2>&1 &
  keyring=$!
  TESK_PRIVATE_KEYRING=yes "$@"
  rc=$?
  kill $keyring
  exit $rc' sh "$@"
