#!/usr/bin/env bash
# Measures the client and prints the figures and their ratios:
#  1. start to window: from the start of the process until its window is
#     mapped on a virtual X display (Xvfb), for the client's log-in window and
#     for a bare Qt program showing one dialog with two line edits, run in turn;
#  2. downloading one large file from the real server's files folder with the
#     client's downloader (scripts/bench/benchdownload.cpp) and with curl, in
#     turn: throughput and peak resident size.
# Medians of the runs are printed, with the machine's load before and after.
#   RUNS (15), DOWNLOADS (3), SIZE_MB (1024) and PORT (18291) may be set.
set -euo pipefail
# In a network namespace of its own where allowed: no other program's port is met.
if [ -z "${BENCH_NETNS:-}" ] && unshare --net true 2>/dev/null; then
  export BENCH_NETNS=1
  exec unshare --net bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
cd "$(dirname "$0")/.."
RUNS=${RUNS:-15}
DOWNLOADS=${DOWNLOADS:-3}
SIZE_MB=${SIZE_MB:-1024}
PORT=${PORT:-18291}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || bash scripts/setup.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lanzhou lanzhou-server bench-bare-dialog bench-download >/dev/null

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "machine: $(nproc) cores; load before: $(load)"

# --- 1. start to window --------------------------------------------------------
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

# Milliseconds from starting the program until a window of that title is mapped.
to_window() { # title, program...
  local title=$1 start now pid
  shift
  start=$(date +%s%N)
  "$@" >>"$work/program.log" 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    now=$(date +%s%N)
    if [ $(((now - start) / 1000000)) -gt 30000 ]; then
      echo "no window \"$title\" after 30 s" >&2; cat "$work/program.log" >&2
      kill "$pid"
      exit 1
    fi
  done
  now=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((now - start) / 1000000))
}

bare=() client=()
to_window bare-dialog build/scripts/bench/bench-bare-dialog >/dev/null # warm the file cache
to_window 账号管理 build/lanzhou >/dev/null
for _ in $(seq "$RUNS"); do
  bare+=("$(to_window bare-dialog build/scripts/bench/bench-bare-dialog)")
  client+=("$(to_window 账号管理 build/lanzhou)")
done
bare_ms=$(printf '%s\n' "${bare[@]}" | median)
client_ms=$(printf '%s\n' "${client[@]}" | median)
echo "start to window, median of $RUNS runs:"
echo "  bare dialog program     ${bare_ms} ms"
echo "  client log-in window    ${client_ms} ms"
awk -v c="$client_ms" -v b="$bare_ms" 'BEGIN { printf "  client / bare           %.2f (goal <= 1.5)\n", c / b }'
unset DISPLAY QT_QPA_PLATFORM

# --- 2. download -----------------------------------------------------------------
mkdir -p "$work/data/files/note"
head -c $((SIZE_MB * 1024 * 1024)) /dev/urandom >"$work/data/files/note/big.bin"
build/server/lanzhou-server --port "$PORT" --data "$work/data" >"$work/server.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do curl -s -o /dev/null "http://127.0.0.1:$PORT/" && break; sleep 0.05; done
address="http://127.0.0.1:$PORT/account/note/big.bin"

# Prints "<MiB/s> <peak resident kB>" of one run of a program writing to $work/out.bin.
measure() { # program...
  local start end
  rm -f "$work/out.bin"
  start=$(date +%s%N)
  /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  cmp -s "$work/out.bin" "$work/data/files/note/big.bin" || { echo "the downloaded file differs" >&2; exit 1; }
  awk -v mb="$SIZE_MB" -v ns=$((end - start)) \
      '/Maximum resident set size/ { printf "%.1f %d\n", mb / (ns / 1e9), $NF }' "$work/time.txt"
}

curl -s -o /dev/null "$address" # the file into the page cache
curl_rate=() curl_rss=() client_rate=() client_rss=()
for _ in $(seq "$DOWNLOADS"); do
  read -r rate rss < <(measure curl -s -o "$work/out.bin" "$address")
  curl_rate+=("$rate") curl_rss+=("$rss")
  read -r rate rss < <(QT_QPA_PLATFORM=offscreen measure build/scripts/bench/bench-download "$address" "$work/out.bin")
  client_rate+=("$rate") client_rss+=("$rss")
done
rm -f "$work/out.bin"
max() { sort -n | tail -1; }
curl_mibs=$(printf '%s\n' "${curl_rate[@]}" | median)
client_mibs=$(printf '%s\n' "${client_rate[@]}" | median)
echo "download of $SIZE_MB MiB from the server, median of $DOWNLOADS runs (peak resident size: largest):"
echo "  curl                    ${curl_mibs} MiB/s, $(($(printf '%s\n' "${curl_rss[@]}" | max) / 1024)) MB"
echo "  client downloader       ${client_mibs} MiB/s, $(($(printf '%s\n' "${client_rss[@]}" | max) / 1024)) MB (goal <= 100 MB)"
awk -v c="$client_mibs" -v b="$curl_mibs" 'BEGIN { printf "  client / curl           %.2f (goal >= 0.8)\n", c / b }'
echo "load after: $(load)"
