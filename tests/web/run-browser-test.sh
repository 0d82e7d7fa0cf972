#!/usr/bin/env bash
# The browser test: the runner plays reference.mls and writes its shots, then
# the page plays the same script in Chromium. Arguments: the runner, the
# page's folder, a work folder.
set -euo pipefail
runner=$1 page=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
cd "$work"
if [ ! -d node_modules/playwright-core ] || [ ! -d node_modules/pngjs ]; then
  cp "$here/package.json" .
  npm install --no-audit --no-fund --loglevel=error >/dev/null
fi
"$runner" --clock 5000 "$here/reference.mls"
NODE_PATH="$work/node_modules" node "$here/browser_test.js" "$page" "$here/reference.mls"
