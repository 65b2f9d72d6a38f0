#!/usr/bin/env bash
# Runs a generated script on a real game server (Debian's OpenArena
# dedicated server) and reads the server's log: the cycle starts, "vstr
# nextmap" walks the maps in order and wraps around, each map's limits are
# in force, the commands run, and the list variables print their lists.
# Usage: real_server.sh TOOL. Exit 0 passed, 1 failed, 77 skipped.
set -u
tool=$(realpath "$1")
. "$(dirname "$0")/lib.sh"
server_work
cat >"$work/settings.ini" <<'INI'
%terminate = 1
%no_popup_cfg = 1
$output = .openarena/baseoa/rotation.cfg
$cycles_list = cycles
$maps_list_suffix = _maps
$global_command = echo GLOBAL_CMD;
$()cycles = alpha
{alpha
$init_command = echo INIT_CMD;
$local_command = echo LOCAL_CMD;
$()maps = oa_dm1 ; 7 ; 11 ; echo EXTRA_ONE;
oa_dm2 ; 8 ; 12
oa_dm3 ; 9 ; 13
}
INI
run_tool settings.ini </dev/null >/dev/null || { echo "FAIL: the tool failed"; exit 1; }

log="$work/server.log"
mkfifo "$work/console"
HOME="$work" timeout 50 "$server" +set dedicated 1 +set ttycon 0 +set net_enabled 0 \
    +exec rotation.cfg +vstr alpha <"$work/console" >"$log" 2>&1 &
server_pid=$!
exec 3>"$work/console"

# wait_for_maps N: waits until the log shows N map starts.
wait_for_maps() {
    for _ in $(seq 1 150); do
        [ "$(grep -c '^InitGame:' "$log")" -ge "$1" ] && { sleep 0.5; return 0; }
        sleep 0.1
    done
    echo "FAIL: the server started fewer than $1 maps"; cat "$log"; exit 1
}
wait_for_maps 1
for maps in 2 3 4; do
    echo "vstr nextmap" >&3
    wait_for_maps "$maps"
done
echo "vstr cycles" >&3
echo "vstr alpha_maps" >&3
sleep 1
echo "quit" >&3
wait "$server_pid"
server_pid=""

failed=0
check() { grep -q -F -- "$1" "$log" || { echo "FAIL: the log lacks: $1"; failed=1; }; }

starts=$(grep '^InitGame:' "$log" | sed -E 's/.*\\fraglimit\\([0-9]+)\\timelimit\\([0-9]+)\\.*\\mapname\\([a-z0-9_]+)\\.*/\3 \2 \1/' | tr '\n' ',')
[ "$starts" = "oa_dm1 7 11,oa_dm2 8 12,oa_dm3 9 13,oa_dm1 7 11," ] || { echo "FAIL: maps, time and frag limits: $starts"; failed=1; }
check "INIT_CMD"
check "EXTRA_ONE"
[ "$(grep -c '^GLOBAL_CMD' "$log")" = 4 ] || { echo "FAIL: the global command did not run on every map"; failed=1; }
[ "$(grep -c '^LOCAL_CMD' "$log")" = 4 ] || { echo "FAIL: the local command did not run on every map"; failed=1; }
check "console: ^2Cycles : ^5alpha"
check "console: ^2Cycle alpha : ^73 maps : ^5oa_dm1, oa_dm2, oa_dm3"
grep -q "unknown command" "$log" && { echo "FAIL: the server met an unknown command"; grep "unknown command" "$log"; failed=1; }
[ "$failed" = 0 ] || { echo "--- server log ---"; cat "$log"; }
exit $failed
