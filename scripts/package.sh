#!/bin/sh
# Builds the Debian package kelvaro_<version>_amd64.deb into the top folder of the repository
# (CPack over the build in build/, which it reuses) and checks it as Debian does:
# desktop-file-validate, appstreamcli and lintian. Install it with
#     sudo apt install ./kelvaro_*.deb
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --packaging
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target kelvaro_install_files
(cd build && cpack -G DEB)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="kelvaro_${version}_amd64.deb"
rm -f kelvaro_*_amd64.deb
mv "build/$deb" .

echo "Checking $deb"
desktop-file-validate packaging/de.kelvaro.Fennwick.desktop
appstreamcli validate --no-net build/packaging/de.kelvaro.Fennwick.metainfo.xml
# Errors and warnings fail; what lintian only notes is explained in packaging/CMakeLists.txt.
lintian --fail-on error,warning "$deb"
echo "Package: $(pwd)/$deb"
