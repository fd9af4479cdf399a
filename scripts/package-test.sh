#!/bin/sh
# Installs the package that ./scripts/package.sh built into this machine, starts the installed
# programs from /usr/bin, checks where an installed program keeps its data, and removes the
# package again, leaving nothing of it in /usr. Needs root and changes /usr: CI runs it.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    echo "package-test.sh installs into /usr and needs root (CI runs it)." >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' kelvaro 2>/dev/null | grep -q "install ok installed"; then
    echo "kelvaro is installed already; remove it first (apt-get remove kelvaro)." >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="./kelvaro_${version}_amd64.deb"
[ -f "$deb" ] || ./scripts/package.sh

work=$(mktemp -d)
fail() {
    echo "package test FAILED: $*" >&2
    exit 1
}
cleanup() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvaro >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "== apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
dpkg -L kelvaro | sort >"$work/files"

echo "== the installed programs start from /usr/bin"
[ "$(/usr/bin/kelvaro --version)" = "kelvaro $version" ] || fail "kelvaro --version"
if [ -x /usr/bin/kelvaro-batch ]; then
    /usr/bin/kelvaro-batch --version | grep -q "$version" || fail "kelvaro-batch --version"
    /usr/bin/kelvaro-batch --help >/dev/null || fail "kelvaro-batch --help"
fi
[ -f /usr/share/man/man1/kelvaro.1.gz ] || fail "no man page kelvaro(1)"

echo "== an installed program keeps its data in the user's folder"
home="$work/home"
mkdir -p "$home"
user_folder="$home/.local/share/kelvaro/"
# Runs a command as a user with a home of its own; extra NAME=VALUE words go first.
as_user() { env -u KELVARO_DATA_DIR -u XDG_DATA_HOME HOME="$home" TMPDIR="$work" "$@"; }
named_folder() { as_user "$@" --help | sed -n 's/^Datenordner: //p'; }
[ "$(named_folder /usr/bin/kelvaro)" = "$user_folder" ] ||
    fail "--help names $(named_folder /usr/bin/kelvaro)"
[ "$(named_folder KELVARO_DATA_DIR="$work/env" /usr/bin/kelvaro)" = "$work/env/" ] ||
    fail "KELVARO_DATA_DIR is not taken"
[ "$(named_folder /usr/bin/kelvaro --data-dir "$work/given")" = "$work/given/" ] ||
    fail "--data-dir is not taken"
# A real start under a virtual display fills the user's folder, never /usr/bin.
as_user timeout 120 xvfb-run -a /usr/bin/kelvaro --screenshot "$work/window.png"
[ -f "$user_folder/db/zeit.txt" ] || fail "no date table in $user_folder"
[ -d "$user_folder/accounts" ] || fail "no accounts folder in $user_folder"
[ -s "$work/window.png" ] || fail "the window was not drawn"
[ ! -e /usr/bin/db ] && [ ! -e /usr/bin/accounts ] || fail "data written into /usr/bin"
# The demo starts from /usr/bin as well, in a fresh folder inside the user's data folder that
# it removes when it ends.
as_user timeout 120 xvfb-run -a /usr/bin/kelvaro --demo --screenshot "$work/demo.png"
[ -s "$work/demo.png" ] || fail "the demo window was not drawn"
[ -z "$(find "$user_folder" -maxdepth 1 -name 'kelvaro-demo-*')" ] || fail "the demo left its folder"

echo "== apt-get remove leaves nothing in /usr"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvaro
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left behind"
done <"$work/files"
left=$(find /usr -iname '*kelvaro*' 2>/dev/null)
[ -z "$left" ] || fail "left behind: $left"
echo "package test passed"
