#!/usr/bin/env bash
# Measures the server with wrk over keep-alive connections and prints the
# figures and their ratios:
#  1. a findByCondition page of 30 rows out of 100,000 notes (owner and shown
#     state), the same request for a different page each time (no reply
#     reused), the very same reply as page 1 served as a static file by the
#     same server, and that file served by a minimal cpp-httplib program (same
#     thread pool and keep-alive as the server), side by side at each number of
#     connections;
#  2. the cost of depth and size: page 1 of 10,000 notes against the last page
#     of 1,000,000 notes, and a new page each time of either store.
#   PORT (18191), DURATION (10s), THREADS (4), CONNECTIONS ("8 32") and DEPTH
#   (1; 0 skips the second measure) may be set.
set -euo pipefail
# In a network namespace of its own where allowed: no other program's port is met.
if [ -z "${BENCH_NETNS:-}" ] && unshare --net true 2>/dev/null; then
  export BENCH_NETNS=1
  exec unshare --net bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
cd "$(dirname "$0")/.."
PORT=${PORT:-18191}
DURATION=${DURATION:-10s}
THREADS=${THREADS:-4}
CONNECTIONS=${CONNECTIONS:-8 32}
DEPTH=${DEPTH:-1}
server=./build/server/lanzhou-server
[ -x "$server" ] || bash scripts/build.sh
command -v wrk >/dev/null || bash scripts/setup.sh

work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# The minimal program: cpp-httplib's own static file serving of one folder.
cat >"$work/minimal.cpp" <<'CPP'
#include <httplib.h>
#include <cstdlib>
int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_keep_alive_max_count(1000000);
    server.set_tcp_nodelay(true);
    server.set_mount_point("/account/note", argv[2]);
    return server.listen("127.0.0.1", std::atoi(argv[1])) ? 0 : 1;
}
CPP
# shellcheck disable=SC2046
g++ -O2 -std=c++17 -o "$work/minimal" "$work/minimal.cpp" $(pkg-config --cflags --libs cpp-httplib) -pthread

wait_for() { # port, log
  for _ in $(seq 200); do
    curl -s -o /dev/null "http://127.0.0.1:$1/" && return 0
    sleep 0.05
  done
  echo "no server on port $1:" >&2; cat "$2" >&2; exit 1
}
start() { # data folder
  "$server" --port "$PORT" --data "$1" >"$work/server.log" 2>&1 &
  pid=$!
  wait_for "$PORT" "$work/server.log"
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

# A store of n notes of the user "bench", one in ten hidden, made by the
# server and filled in one statement.
store() { # data folder, rows
  start "$1"; stop
  /usr/bin/python3 - "$1/lanzhou.sqlite" "$2" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("""
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?)
INSERT INTO note (mold, isShow, grade, title, content, registerDate, updateDate, isRemind, remindDate,
                  remindDateNumber, loginName)
SELECT CASE WHEN i % 3 THEN '工作笔记' ELSE '学习笔记' END, CASE WHEN i % 10 THEN '展示' ELSE '关闭' END,
       i % 5 + 1, '笔记 ' || i, '<p>第 ' || i || ' 条笔记的内容，用来测量分页查询。</p>',
       '2024-01-01 09:00:00', '2024-01-02 09:00:00', CASE WHEN i % 2 THEN '开启' ELSE '关闭' END,
       date('now', (i % 400 - 200) || ' days'), i % 7, 'bench'
FROM n""", (int(sys.argv[2]),))
db.commit()
db.close()
PY
}

condition=" and loginName ='bench' and isShow ='展示'"
body() { # page
  printf '{"conditionStr":"%s","curPage":%d,"order":"desc","pageSize":30}' "$condition" "$1"
}
post_script() { # file, page
  printf 'wrk.method = "POST"\nwrk.headers["Content-Type"] = "application/json"\nwrk.body = [[%s]]\n' "$(body "$2")" >"$1"
}
# Every request asks for another page, pages 1 to <pages> in turn (each wrk
# thread taking every THREADS-th), in descending order and then, when asked,
# in ascending order: the server keeps recent list replies (a few MB, some
# hundreds of pages), and no request comes again before more than a thousand
# others, so none is served from what was kept.
pages_script() { # file, pages, orders (1: desc; 2: desc, then asc)
  cat >"$1" <<LUA
local threads = 0
function setup(thread)
  thread:set("first", threads)
  threads = threads + 1
end
function init(args)
  turn = first
end
function request()
  local page = turn % $2 + 1
  local order = math.floor(turn / $2) % $3 == 0 and "desc" or "asc"
  turn = turn + $THREADS
  local body = string.format([[{"conditionStr":"%s","curPage":%d,"order":"%s","pageSize":30}]], [[$condition]],
                             page, order)
  return wrk.format("POST", nil, {["Content-Type"] = "application/json"}, body)
end
LUA
}
# Prints "<requests/s> <p50> <p99>" of one wrk run.
measure() { # connections, url, [script]
  local out
  out=$(wrk -t "$THREADS" -c "$1" -d "$DURATION" --latency ${3:+-s "$3"} "$2")
  if grep -q -E "Non-2xx|Socket errors" <<<"$out"; then echo "wrk saw errors: $out" >&2; fi
  echo "$(awk '/Requests\/sec/ {print $2}' <<<"$out") $(awk '$1 == "50%" {print $2}' <<<"$out") $(awk '$1 == "99%" {print $2}' <<<"$out")"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '| %-44s | %11s | %8s | %8s |\n' "$@"; }

echo "machine: $(nproc) cores; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "wrk: $THREADS threads, $DURATION per run, keep-alive"

# 1. Same bytes: list, static file, minimal program
store "$work/data" 100000
start "$work/data"
curl -s -H 'Content-Type: application/json' --data-binary "$(body 1)" \
  "http://127.0.0.1:$PORT/android/note/findByCondition" >"$work/data/files/note/page_1.json"
grep -q '"resultCode":1' "$work/data/files/note/page_1.json" || { echo "the query failed" >&2; exit 1; }
post_script "$work/page1.lua" 1
pages_script "$work/pages.lua" $(( (90000 + 29) / 30 )) 1
"$work/minimal" $((PORT + 1)) "$work/data/files/note" &
minimal=$!
wait_for $((PORT + 1)) /dev/null
echo
echo "1. one reply of $(stat -c %s "$work/data/files/note/page_1.json") bytes: page 1 of 30 rows out of 100,000 notes"
for c in $CONNECTIONS; do
  read -r list list50 list99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/page1.lua")"
  read -r fresh fresh50 fresh99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/pages.lua")"
  read -r file file50 file99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/account/note/page_1.json")"
  read -r mini mini50 mini99 <<<"$(measure "$c" "http://127.0.0.1:$((PORT + 1))/account/note/page_1.json")"
  echo
  row "$c connections" "requests/s" "p50" "p99"
  row "---" "---:" "---:" "---:"
  row "POST findByCondition (page 1)" "$list" "$list50" "$list99"
  row "POST findByCondition, a new page each time" "$fresh" "$fresh50" "$fresh99"
  row "GET the same bytes as a file, same server" "$file" "$file50" "$file99"
  row "GET the file, minimal cpp-httplib program" "$mini" "$mini50" "$mini99"
  echo "list / static: $(ratio "$list" "$file")   new pages / static: $(ratio "$fresh" "$file")   static / minimal: $(ratio "$file" "$mini")"
done
kill "$minimal"; wait "$minimal" 2>/dev/null || true
stop

# 2. Depth and size
if [ "$DEPTH" != 0 ]; then
  c=${CONNECTIONS%% *}
  echo
  echo "2. depth and size, $c connections"
  store "$work/small" 10000
  start "$work/small"
  post_script "$work/small.lua" 1
  read -r small small50 small99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/small.lua")"
  pages_script "$work/small-pages.lua" $(( (9000 + 29) / 30 )) 2
  read -r smallnew smallnew50 smallnew99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/small-pages.lua")"
  stop
  store "$work/large" 1000000
  start "$work/large"
  last=$(( (900000 + 29) / 30 ))
  post_script "$work/large.lua" "$last"
  reply=$(curl -s -H 'Content-Type: application/json' --data-binary "$(body "$last")" \
    "http://127.0.0.1:$PORT/android/note/findByCondition")
  grep -q '"totalCount":900000' <<<"$reply" || { echo "the last page failed: ${reply:0:200}" >&2; exit 1; }
  read -r large large50 large99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/large.lua")"
  pages_script "$work/large-pages.lua" "$last" 1
  read -r largenew largenew50 largenew99 <<<"$(measure "$c" "http://127.0.0.1:$PORT/android/note/findByCondition" "$work/large-pages.lua")"
  stop
  echo
  row "request" "requests/s" "p50" "p99"
  row "---" "---:" "---:" "---:"
  row "page 1 of 10,000 notes" "$small" "$small50" "$small99"
  row "page $last (the last) of 1,000,000 notes" "$large" "$large50" "$large99"
  row "a new page each time of 10,000 notes" "$smallnew" "$smallnew50" "$smallnew99"
  row "a new page each time of 1,000,000 notes" "$largenew" "$largenew50" "$largenew99"
  echo "last page of 1M / page 1 of 10k: $(ratio "$large" "$small")   new pages, 1M / 10k: $(ratio "$largenew" "$smallnew")"
fi
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
