#!/bin/sh
# Installs the Debian packages the build, the program and the tests need, only those missing.
# With --packaging also the tools that build and check the Debian package (scripts/package.sh).
set -eu

PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
libgl-dev libcurl4-openssl-dev libssl-dev openssl ca-certificates curl libgtest-dev
libcpp-httplib-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libqt6svg6 libgumbo-dev zlib1g-dev"
if [ "${1:-}" = "--packaging" ]; then
    PACKAGES="$PACKAGES dpkg-dev file librsvg2-bin desktop-file-utils appstream lintian"
fi

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
echo "Installing:$missing"
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
