#!/usr/bin/env bash
# Measures the server with wrk over keep-alive connections: a findByCondition
# page of 30 rows out of a 100,000-row note table, beside the very same reply
# served as a static file by the same server. Prints both figures.
#   PORT (18191), DURATION (10s), CONNECTIONS (32), THREADS (4) may be set.
set -euo pipefail
cd "$(dirname "$0")/.."
PORT=${PORT:-18191}
DURATION=${DURATION:-10s}
CONNECTIONS=${CONNECTIONS:-32}
THREADS=${THREADS:-4}
ROWS=100000
server=./build/server/lanzhou-server
[ -x "$server" ] || bash scripts/build.sh
command -v wrk >/dev/null || bash scripts/setup.sh

work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

start() {
  "$server" --port "$PORT" --data "$work/data" >"$work/server.log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    grep -q listening "$work/server.log" && return 0
    sleep 0.05
  done
  echo "the server did not start:" >&2; cat "$work/server.log" >&2; exit 1
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

# Let the server create its store, then fill the note table in one transaction.
start; stop
/usr/bin/python3 - "$work/data/lanzhou.sqlite" "$ROWS" <<'PY'
import sqlite3, sys, datetime
db = sqlite3.connect(sys.argv[1])
today = datetime.date.today()
rows = []
for i in range(int(sys.argv[2])):
    d = today + datetime.timedelta(days=i % 400 - 200)
    rows.append(("工作笔记" if i % 3 else "学习笔记", "展示" if i % 10 else "关闭", i % 5 + 1,
                 "笔记 %d" % i, "<p>第 %d 条笔记的内容，用来测量分页查询。</p>" % i,
                 "2024-01-01 09:00:00", "2024-01-02 09:00:00", "开启" if i % 2 else "关闭",
                 d.isoformat(), i % 7, "bench"))
db.executemany('INSERT INTO note (mold, isShow, grade, title, content, registerDate, updateDate, '
               'isRemind, remindDate, remindDateNumber, loginName) VALUES (?,?,?,?,?,?,?,?,?,?,?)', rows)
db.commit()
db.close()
PY
start

body='{"conditionStr":" and loginName ='"'"'bench'"'"' and isShow ='"'"'展示'"'"'","curPage":1,"order":"desc","pageSize":30}'
curl -s -H 'Content-Type: application/json' --data-binary "$body" \
  "http://127.0.0.1:$PORT/android/note/findByCondition" >"$work/data/files/note/page_1.json"
grep -q '"resultCode":1' "$work/data/files/note/page_1.json" || { echo "the query failed" >&2; exit 1; }
cat >"$work/post.lua" <<LUA
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/json"
wrk.body = [[$body]]
LUA

echo "reply: $(stat -c %s "$work/data/files/note/page_1.json") bytes, $ROWS rows, $CONNECTIONS connections, $THREADS threads, $DURATION"
echo
echo "== findByCondition (POST /android/note/findByCondition, page 1 of 30 rows)"
wrk -t "$THREADS" -c "$CONNECTIONS" -d "$DURATION" --latency -s "$work/post.lua" \
  "http://127.0.0.1:$PORT/android/note/findByCondition" | grep -E "Latency|Requests/sec|50%|99%|Non-2xx|Socket errors"
echo
echo "== the same reply as a static file (GET /account/note/page_1.json)"
wrk -t "$THREADS" -c "$CONNECTIONS" -d "$DURATION" --latency \
  "http://127.0.0.1:$PORT/account/note/page_1.json" | grep -E "Latency|Requests/sec|50%|99%|Non-2xx|Socket errors"
