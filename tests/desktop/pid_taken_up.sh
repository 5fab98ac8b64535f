#!/bin/bash
# Run by the desktop test as the first process of a pid namespace of its own
# (unshare --pid --fork --mount-proc), and nowhere else: a running player is
# killed while a second start's question waits, and a bystander takes up its
# process id through /proc/sys/kernel/ns_last_pid, which written outside such
# a namespace would hand freed process ids to every process of the machine.
#
#   pid_taken_up.sh STEPS PLAYER
#
# Each step waits for a line on the fifo STEPS and says on stderr what it did:
# the running player starts ("first PID"); the second start ("second PID");
# the running player is killed and the bystander started ("bystander PID");
# whether the bystander still runs.
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
read -r -u 3

"$player" &
echo "second $!" >&2
read -r -u 3

kill -KILL "$first"
wait "$first"
# The next process id the namespace hands out is the killed player's.
echo $((first - 1)) >/proc/sys/kernel/ns_last_pid
sleep 60 &
bystander=$!
echo "bystander $bystander" >&2
read -r -u 3

state=$(cut -d ' ' -f 3 "/proc/$bystander/stat" 2>/dev/null)
if [ -n "$state" ] && [ "$state" != Z ]; then
  echo "the bystander runs" >&2
else
  wait "$bystander"
  echo "the bystander ended with status $?" >&2
fi
wait
