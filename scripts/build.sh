#!/usr/bin/env bash
# Configures and builds everything into build/ (release, two jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2
