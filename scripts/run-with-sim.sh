#!/usr/bin/env bash
# Starts the radio simulator on a pseudo-terminal and the editor with COM1 on it for this run.
set -eu
bin=${1:-build/bin}
if [ ! -x "$bin/qx4100d" ]; then
  echo "The editor (qx4100d) has not been built yet." >&2
  exit 1
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
"$bin/qx4100-sim" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$fifo"' EXIT
exec 3<"$fifo"
read -r dev <&3
cat <&3 >/dev/null &
echo "Simulated radio on $dev (COM1 for this run)"
"$bin/qx4100d" --port "$dev"
