#!/bin/sh
# Builds the web page for the browser tests, or skips them (exit 77) where
# emscripten is not installed: tools/setup.sh web installs it.
if ! command -v emcmake >/dev/null 2>&1; then
  echo "SKIPPED: emscripten is not installed (tools/setup.sh web installs it)"
  exit 77
fi
exec sh "$(dirname "$0")/../../tools/web.sh" --build-only --no-install "$1"
