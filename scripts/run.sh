#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Until the window
# arrives the program is the command-line tool; without arguments it shows
# the Sun for now at the default place.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
if [ $# -eq 0 ]; then
  exec build/app/kelmaron-cli position --date "$(date +%-d.%-m.%Y)" --time "$(date +%H:%M:%S)" --zone UT
fi
exec build/app/kelmaron-cli "$@"
