#!/usr/bin/env bash
# Builds the player in Release and runs it on the game folder (GAME_DIR,
# relative to the folder this is run from). Without GAME_DIR it plays the
# sample game, which it writes into build-release/game when that is missing
# or older than the generator.
set -euo pipefail
if [ -n "${GAME_DIR:-}" ]; then
  # Never made here: a mistyped name would start the player in an empty
  # folder, where it finds no game.
  if [ ! -d "$GAME_DIR" ]; then
    echo "play.sh: GAME_DIR names no folder: $(realpath -m -- "$GAME_DIR")" >&2
    exit 1
  fi
  GAME_DIR=$(realpath -- "$GAME_DIR")
fi
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLAYER_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
if [ -z "${GAME_DIR:-}" ]; then
  GAME_DIR=build-release/game
  generator=build-release/tools/tool_sample_game
  stamp=build-release/game.stamp
  if [ ! -f "$stamp" ] || [ "$generator" -nt "$stamp" ]; then
    "$generator" "$GAME_DIR"
    touch "$stamp"
  fi
fi
cd "$GAME_DIR"
exec "$OLDPWD/build-release/app/player" "$@"
