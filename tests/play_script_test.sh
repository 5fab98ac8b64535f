#!/usr/bin/env bash
# play.sh as a user runs it from another folder, on a copy of the script in
# a scratch tree where the build's steps are stand-ins (deps.sh, cmake, the
# generator and the player note what they were asked and do nothing else):
# a relative GAME_DIR is the caller's folder, a GAME_DIR that does not exist
# is refused and never made, and without GAME_DIR the sample game is written
# and played.
#
#   play_script_test.sh PLAY_SH
set -euo pipefail
script=$(realpath "$1")
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT

tree=$work/player
mkdir -p "$tree/build-release/app" "$tree/build-release/tools" "$work/bin" "$work/caller/MeadowCopy"
cp "$script" "$tree/play.sh"
stub() {
  printf '#!/bin/sh\n%s\n' "$2" >"$1"
  chmod +x "$1"
}
stub "$tree/deps.sh" ':'
stub "$work/bin/cmake" ':'
stub "$tree/build-release/tools/tool_sample_game" 'mkdir -p "$1"'
# The player notes the folder it runs in and its arguments.
stub "$tree/build-release/app/player" 'printf "%s\n" "$PWD" "$@" >"$PLAYED"'
export PATH=$work/bin:$PATH PLAYED=$work/played

failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}
# Runs play.sh from the caller's folder; its status, and its stderr in $said.
play() {
  rm -f "$PLAYED"
  local status=0
  (cd "$work/caller" && exec env "$@" "$tree/play.sh" stage.stg4 2>"$work/said") || status=$?
  said=$(cat "$work/said")
  return "$status"
}

play GAME_DIR=MeadowCopy || fail "a relative GAME_DIR: status $?: $said"
[ "$(cat "$PLAYED" 2>/dev/null)" = "$work/caller/MeadowCopy"$'\n'stage.stg4 ] ||
  fail "a relative GAME_DIR: the player ran as $(cat "$PLAYED" 2>/dev/null || echo nothing)"
[ ! -e "$tree/MeadowCopy" ] || fail "a relative GAME_DIR was made beside play.sh"

status=0
play GAME_DIR=Missing || status=$?
[ "$status" -eq 1 ] || fail "a missing GAME_DIR: status $status"
[ "$said" = "play.sh: GAME_DIR names no folder: $work/caller/Missing" ] || fail "a missing GAME_DIR: said \"$said\""
[ ! -e "$PLAYED" ] || fail "a missing GAME_DIR: the player ran"
[ ! -e "$work/caller/Missing" ] && [ ! -e "$tree/Missing" ] || fail "a missing GAME_DIR was made"

play -u GAME_DIR || fail "no GAME_DIR: status $?: $said"
[ "$(head -n1 "$PLAYED" 2>/dev/null)" = "$tree/build-release/game" ] ||
  fail "no GAME_DIR: the player ran as $(cat "$PLAYED" 2>/dev/null || echo nothing)"

[ "$failed" -eq 0 ] && echo "play.sh takes GAME_DIR from the caller's folder"
exit "$failed"
