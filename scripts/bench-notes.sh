#!/usr/bin/env bash
# Measures the notes window against the real server on loopback, on the
# client's compiled-in address (127.0.0.1:8091; in a network namespace of its
# own where this user may make one, else the port must be free). Prints:
#  - a page of 30 notes with pictures: the time from the page press to the
#    last row filled, beside the same 31 requests (list + 30 pictures) made one
#    by one with curl and summed;
#  - the client's resident size over 200 page turns of that table;
#  - a page turn among 100,000 notes without files: the turn, the same list
#    request made alone with curl (the server's and the network's time), their
#    difference (the client's time), and the client's CPU time per turn.
#   PAGES (20), TURNS (200), BIG_TURNS (50) may be set; ONLY=pictures or
#   ONLY=big runs one of the two parts.
set -euo pipefail
cd "$(dirname "$0")/.."
PAGES=${PAGES:-20}
TURNS=${TURNS:-200}
BIG_TURNS=${BIG_TURNS:-50}
ONLY=${ONLY:-}

command -v curl >/dev/null || bash scripts/setup.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lanzhou-server bench-note-window >/dev/null
# In a network namespace of its own where allowed: no other program's port is met.
if [ -z "${BENCH_NETNS:-}" ] && unshare --net true 2>/dev/null; then
  export BENCH_NETNS=1
  exec unshare --net bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
if (echo >/dev/tcp/127.0.0.1/8091) 2>/dev/null; then
  echo "port 8091 is taken by another program; stop it and try again" >&2
  exit 1
fi

server=./build/server/lanzhou-server
bench=./build/scripts/bench/bench-note-window
work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

start() {
  "$server" --port 8091 --data "$1" >"$work/server.log" 2>&1 &
  pid=$!
  for _ in $(seq 200); do
    grep -q listening "$work/server.log" && return 0
    sleep 0.05
  done
  echo "the server did not start:" >&2; cat "$work/server.log" >&2; exit 1
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

# Notes of the owner "bench": ROWS of them, each with one of the first
# PICTURES files of the data's note folder when PICTURES > 0.
fill() {
  /usr/bin/python3 - "$1" "$2" "$3" <<'PY'
import datetime, os, sqlite3, sys
data, rows, pictures = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])

names = sorted(os.listdir(os.path.join(data, "files", "note")))[:pictures]
db = sqlite3.connect(os.path.join(data, "lanzhou.sqlite"))
today = datetime.date.today()
batch = []
for i in range(rows):
    d = today + datetime.timedelta(days=i % 400 - 200)
    batch.append(("工作笔记" if i % 3 else "学习笔记", "展示", i % 5 + 1, "笔记 %d" % i,
                  "<p>第 <b>%d</b> 条笔记的内容，用来测量翻页。</p>" % i,
                  "2024-01-01 09:00:00", "2024-01-02 09:00:00", "开启" if i % 2 else "关闭",
                  d.isoformat(), i % 7, names[i % len(names)] if names else "", "bench"))
db.executemany('INSERT INTO note (mold, isShow, grade, title, content, registerDate, updateDate, '
               'isRemind, remindDate, remindDateNumber, image, loginName) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)', batch)
db.commit()
db.close()
PY
}

export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*.debug=false;qt.multimedia*=false'
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

if [ "$ONLY" != big ]; then
echo
echo "== notes with pictures (640x480 JPEG, $(( (TURNS + 20) * 30 )) notes)"
start "$work/small"; stop
"$bench" pictures "$work/small/files/note" 60 2>/dev/null
fill "$work/small" $(( (TURNS + 20) * 30 )) 60
echo "pictures: $(du -sh "$work/small/files/note" | cut -f1) for 60 files"
start "$work/small"
"$bench" thumbnails bench "$PAGES" "$TURNS" 2>/dev/null
stop
fi

if [ "$ONLY" != pictures ]; then
echo
echo "== 100,000 notes without files"
start "$work/big"; stop
fill "$work/big" 100000 0
start "$work/big"
"$bench" pageturn bench "$BIG_TURNS" 2>/dev/null
stop
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
