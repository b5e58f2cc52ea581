#!/usr/bin/env bash
# Builds the Debian package into build-package/: a Release build installed under /usr, stripped,
# with its library dependencies worked out by dpkg-shlibdeps, compiled and linked with the
# hardening flags of Debian's dpkg-buildflags (stack protector, _FORTIFY_SOURCE, read-only
# relocations bound at start). The project's own -ffp-contract=off stays, so the numbers are
# those of every other build.
#
#   scripts/package.sh [-DVORNIK_CONTACT_EMAIL1=... -DVORNIK_CONTACT_EMAIL2=...
#                       -DVORNIK_WEB_URL=https://... -DVORNIK_APP_ID=...]
#
# The About box's contact addresses, the home page and the software-centre id must be the
# distributor's own: the package build stops while they are the example.org stand-ins, unless
# -DVORNIK_ALLOW_EXAMPLE_CONTACTS=ON says that is intended (as the test run does).
# Install the result with `apt install ./build-package/vornik_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# No debugging information: the programs are stripped for the package anyway.
export DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  -DVORNIK_BUILD_TESTS=OFF -DVORNIK_BUILD_BENCHMARKS=OFF -DVORNIK_BUILD_FUZZERS=OFF \
  -DVORNIK_ALLOW_EXAMPLE_CONTACTS=OFF "$@"
cmake --build build-package
rm -f build-package/vornik_*.deb
(cd build-package && cpack -G DEB)
ls build-package/vornik_*.deb
