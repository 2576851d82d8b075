#!/usr/bin/env bash
# Installs what is missing, builds, and shows the bundled example pattern.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
build/src/cli/tessary-cli info examples/rose.pat
