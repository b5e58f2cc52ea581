#!/usr/bin/env bash
# Builds the Debian package into build-package/: a Release build installed under /usr, stripped,
# with its library dependencies worked out by dpkg-shlibdeps.
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
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVORNIK_BUILD_TESTS=OFF -DVORNIK_BUILD_BENCHMARKS=OFF -DVORNIK_BUILD_FUZZERS=OFF \
  -DVORNIK_ALLOW_EXAMPLE_CONTACTS=OFF "$@"
cmake --build build-package
rm -f build-package/vornik_*.deb
(cd build-package && cpack -G DEB)
ls build-package/vornik_*.deb
