#!/usr/bin/env bash
# Configures and builds into build/: everything (client, server, tests), or
# only the targets named as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" ${1:+--target "$@"}
