#!/usr/bin/env bash
# Draws the pictures of the README into docs/ with kelmaron-cli render and
# eclipse, from a built tree (default build/; or give the tool as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/app/kelmaron-cli}"
out=docs
mkdir -p "$out"
when=(--date 24.12.2026 --time 22:00 --place 1)
"$cli" render --view himmel --out "$out/himmel.png" --width 1100 --height 760 "${when[@]}" --object Jupiter
"$cli" render --view aequatorial --out "$out/aequatorial.png" --width 1100 --height 760 "${when[@]}" \
    --object Mars --alpha-min 8 --alpha-max 13 --delta-min -5 --delta-max 30 --flags 127 \
    --track-length 200 --track-step 5 --track-labels m
"$cli" render --view objekt --out "$out/objekt.png" --width 1100 --height 760 "${when[@]}" --object Saturn
"$cli" render --view system --out "$out/system.png" --width 1100 --height 760 "${when[@]}" --object Mars \
    --all-tracks 1
"$cli" eclipse --from 1.1.2029 --place 1 --diagram "$out/finsternis.png" --width 1100 --height 760 >/dev/null
