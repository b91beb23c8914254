#!/bin/sh
# Runs a command under a private Xvfb on a free display number and stops the
# server afterwards; the command's exit status is kept.
set -u
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xpid=$!
read -r display <"$fifo"
rm -f "$fifo"
if [ -z "$display" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    kill "$xpid" 2>/dev/null
    exit 1
fi
DISPLAY=":$display" "$@"
status=$?
kill "$xpid" 2>/dev/null
wait "$xpid" 2>/dev/null
exit $status
