#!/usr/bin/env bash
# The player started at the sample game's title, whose music is MIDI, RUNS
# times (5): each run stays at the title for SECONDS (8), and longer until the
# music's synthesiser has loaded, while the first frame is shown and the sound
# output opens beside it, then ends as a user's close does (SIGTERM). A run
# fails on any ThreadSanitizer report, and when the synthesiser library was
# not loaded (then the run tested nothing).
#
#   title_music_under_tsan.sh PLAYER SAMPLE_GAME_TOOL
set -euo pipefail
player=$(realpath "$1")
generator=$(realpath "$2")
runs=${RUNS:-5}
seconds=${SECONDS_AT_TITLE:-8}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$work/game" >/dev/null
# The SDL drivers of the suite: a window and an output that open anywhere.
# The player's single-instance lock goes into the scratch folder.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work
export TSAN_OPTIONS="halt_on_error=0 exitcode=66 ${TSAN_OPTIONS:-}"
failed=0
for run in $(seq "$runs"); do
  log=$work/run$run.log
  (cd "$work/game" && exec "$player") 2>"$log" &
  pid=$!
  # SECONDS at the title at least; on a loaded machine, until the synthesiser
  # has loaded (a minute at most).
  loaded=0
  for waited in $(seq 60); do
    sleep 1
    kill -0 "$pid" 2>/dev/null || break
    grep -q libfluidsynth "/proc/$pid/maps" 2>/dev/null && loaded=1
    [ "$waited" -ge "$seconds" ] && [ "$loaded" -eq 1 ] && break
  done
  kill -TERM "$pid" 2>/dev/null || true
  status=0
  wait "$pid" || status=$?
  if grep -q "WARNING: ThreadSanitizer" "$log" || [ "$status" -ne 0 ]; then
    echo "run $run: exit status $status"
    cat "$log"
    failed=1
  elif [ "$loaded" -eq 0 ]; then
    echo "run $run: the MIDI synthesiser was not loaded within $waited s"
    cat "$log"
    failed=1
  else
    echo "run $run: no report"
  fi
done
exit "$failed"
