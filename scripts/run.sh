#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled example pattern in
# the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec build/src/app/tessary "$PWD/examples/rose.pat"
