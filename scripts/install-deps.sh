#!/usr/bin/env bash
# Installs everything Vornik needs to build, test and run on Debian 12 (run as root).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev
  libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth imagemagick
  help2man dpkg-dev appstream desktop-file-utils xdg-utils lintian
  # The sources of the ru_RU.UTF-8 locale, compiled in the build for help2man's Russian headings.
  locales
  openbox
  emscripten node-acorn nodejs chromium
  g++-aarch64-linux-gnu qemu-user python3
  # The accessibility walk: AT-SPI from Python on a session bus of its own.
  python3-pyatspi at-spi2-core dbus-x11 dbus-daemon x11-utils
  # Tests of the SVG and PDF documents: rsvg-convert, pdfinfo and pdftotext.
  librsvg2-bin poppler-utils
  # xmllint: every XML and SVG the program writes is checked well formed.
  libxml2-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The web edition's browser tests drive Debian's chromium with puppeteer-core from npm and audit
# the page with Lighthouse and axe-core (none of them downloads a browser); the versions are
# pinned by web/package-lock.json.
if ! command -v npm >/dev/null; then
  apt-get update
  apt-get install -y --no-install-recommends npm
fi
(cd "$(dirname "$0")/../web" && { npm ls --depth=0 >/dev/null 2>&1 || npm ci --no-audit --no-fund; })
