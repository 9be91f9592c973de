#!/bin/sh
# Runs one test program. Where this user may create a network namespace, the test
# gets a private one with loopback up, so it can listen on 127.0.0.1:8091 without
# meeting any other process; otherwise it runs as it is (ctest then serialises the
# tests that serve HTTP).
if [ "${LANZHOU_TEST_NETNS:-OFF}" = "ON" ] && unshare --net true 2>/dev/null; then
    exec unshare --net sh -c 'ip link set lo up && exec "$@"' run-isolated "$@"
fi
exec "$@"
