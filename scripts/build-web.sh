#!/usr/bin/env bash
# Builds the web edition into build-web/site/: the C++ core compiled by Emscripten (WebAssembly
# embedded gzip-compressed in its script), the page, its script and styles, the help pages, the icons, the app
# manifest and the service worker that keeps the site for offline use.
# Open build-web/site/index.html in a browser, or copy the folder to any web server.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's Emscripten runs its JavaScript parts with node and needs Debian's acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

emcmake cmake -S web -B build-web/core -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web/core

site=build-web/site
rm -rf "$site"
mkdir -p "$site"
node web/tools/assemble.mjs web/src build-web/core/vornik-core.js "$site" "$(cat build-web/core/version.txt)" \
  ui/data/HELP.htm ui/data/vornik.svg
echo "web edition: $site/index.html ($(du -sb "$site" | cut -f1) bytes)"
