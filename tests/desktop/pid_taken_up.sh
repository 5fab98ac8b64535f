#!/bin/bash
# Run by the desktop test as the first process of a pid namespace of its own
# (unshare --pid --fork --mount-proc), and nowhere else: a running player is
# killed, and a bystander takes up its process id through
# /proc/sys/kernel/ns_last_pid, which written outside such a namespace would
# hand freed process ids to every process of the machine.
#
#   pid_taken_up.sh STEPS PLAYER
#
# The running player starts at once ("first PID" on stderr); then each line
# read from the fifo STEPS names a step, which says on stderr what it did:
#   second   another start of the player ("second PID");
#   take-up  the running player is killed and the bystander started in its
#            process id ("bystander PID");
#   look     whether the bystander still runs ("the bystander runs", or the
#            status it ended with).
set -u
if [ "$$" != 1 ]; then
  echo "not the first process of a pid namespace of its own" >&2
  exit 2
fi
exec 3<"$1"
player=$2

"$player" &
first=$!
echo "first $first" >&2

bystander=
while read -r -u 3 step; do
  case $step in
    second)
      "$player" &
      echo "second $!" >&2
      ;;
    take-up)
      kill -KILL "$first"
      wait "$first"
      # The next process id the namespace hands out is the killed player's.
      echo $((first - 1)) >/proc/sys/kernel/ns_last_pid
      sleep 60 &
      bystander=$!
      echo "bystander $bystander" >&2
      ;;
    look)
      state=$(cut -d ' ' -f 3 "/proc/$bystander/stat" 2>/dev/null)
      if [ -n "$state" ] && [ "$state" != Z ]; then
        echo "the bystander runs" >&2
      else
        wait "$bystander"
        echo "the bystander ended with status $?" >&2
      fi
      ;;
  esac
done
