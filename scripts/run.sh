#!/usr/bin/env bash
# Installs what is missing, builds and starts Kelmaron. Arguments are passed
# to the program (an element file to load as the orbit object).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exec build/app/kelmaron "$@"
