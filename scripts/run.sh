#!/usr/bin/env bash
# Sets up, builds, starts the server on 127.0.0.1:8091 with demo data
# (kept in server-data/) and then the client. The server stops with the client.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
mkdir -p server-data
./build/server/lanzhou-server --port 8091 --data server-data --demo &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  (exec 3<>/dev/tcp/127.0.0.1/8091) 2>/dev/null && break
  kill -0 $server 2>/dev/null || { echo "the server did not start (is port 8091 taken?)" >&2; exit 1; }
  sleep 0.1
done
./build/lanzhou
