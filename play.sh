#!/usr/bin/env bash
# Builds the player in Release and runs it on the game folder (GAME_DIR).
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLAYER_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
GAME_DIR=${GAME_DIR:-build-release/game}
mkdir -p "$GAME_DIR"
cd "$GAME_DIR"
exec "$OLDPWD/build-release/app/player" "$@"
