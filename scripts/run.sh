#!/usr/bin/env bash
# Sets up, builds the client and the server, starts the server on
# 127.0.0.1:8091 with demo data (kept in server-data/, its log in
# server-data/server.log) and then the client. The server stops with the client.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh lanzhou lanzhou-server
mkdir -p server-data
log=server-data/server.log
# The log is emptied here, before the server starts, so that a "listening"
# line left by an earlier run is never taken for this server's.
: >"$log"
./build/server/lanzhou-server --port 8091 --data server-data --demo >>"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
# The server prints "listening" once the port is its own; a port that another
# program holds makes it end with a message instead.
deadline=$((SECONDS + 31)) # SECONDS counts whole seconds: at least 30 s from now
until grep -q '^listening' "$log"; do
  if ! kill -0 $server 2>/dev/null; then
    cat "$log" >&2
    echo "the server did not start; is port 8091 taken by another program?" >&2
    exit 1
  fi
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "the server did not start within 30 s (see $log)" >&2
    exit 1
  fi
  sleep 0.1
done
./build/lanzhou
