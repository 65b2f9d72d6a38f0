#!/usr/bin/env bash
# Proves on a real game server (Debian's OpenArena dedicated server) what
# the settings findings say the server does: cycle names that differ only
# in case are one variable, a command without its final ";" runs into the
# next, a blank in a cycle's name leaves nothing "vstr" can run, a cycle
# named after a server variable overwrites it, "\" is refused in a name,
# "//" hides the rest of a variable, and a map name holding "," or a blank
# names a map that is not there. Each mistake must also have its finding.
# Usage: real_server_findings.sh TOOL. Exit 0 passed, 1 failed, 77 skipped.
set -u
tool=$(realpath "$1")
. "$(dirname "$0")/lib.sh"
server_work
cat >"$work/settings.ini" <<'INI'
%terminate = 1
%no_popup_cfg = 1
$output = .openarena/baseoa/rotation.cfg
$()cycles = ctf
CTF
one on one
timelimit
x\y
web
sep
{ctf
$init_command = echo SMALL_CTF_INIT;
$()maps = oa_ctf2 ; 20
}
{CTF
$init_command = echo BIG_CTF_INIT
$()maps = oa_ctf4 ; 20
}
{one on one
$()maps = oa_dm1 ; 15
}
{timelimit
$()maps = oa_dm1 ; 15
}
{x\y
$()maps = oa_dm1 ; 15
}
{web
$local_command = echo WEB_BEFORE //x;
$()maps = oa_dm1 ; ; ; echo WEB_AFTER;
}
{sep
$()maps = oa_dm2, 15, 25
oa dm3 ; 15
}
INI
run_tool settings.ini </dev/null >/dev/null 2>"$work/findings.txt" || { echo "FAIL: the tool failed"; exit 1; }

failed=0
expect_finding() {
    grep -q -F -- "$1" "$work/findings.txt" || { echo "FAIL: no finding: $1"; failed=1; }
}
expect_finding 'settings.ini:5: error: cycles "ctf" (line 4) and "CTF" are one variable'
expect_finding 'settings.ini:16: error: "init_command" of the cycle "CTF" does not end with ";", so the server reads "echo BIG_CTF_INITvstr CTF_1"'
expect_finding 'settings.ini:6: error: cycle name "one on one" holds a blank'
expect_finding 'settings.ini:7: error: cycle name "timelimit" is a variable of the server itself'
expect_finding 'settings.ini:8: error: cycle name "x\y" holds "\"'
expect_finding 'settings.ini:29: error: cycle "web": local_command holds "//"'
expect_finding 'settings.ini:33: error: map name "oa_dm2, 15, 25" holds ","'
expect_finding 'settings.ini:34: error: map name "oa dm3" holds a blank, so the server looks for "maps/oa.bsp"'

log="$work/server.log"
mkfifo "$work/console"
HOME="$work" timeout 40 "$server" +set dedicated 1 +set ttycon 0 +set net_enabled 0 \
    +exec rotation.cfg <"$work/console" >"$log" 2>&1 &
server_pid=$!
exec 3>"$work/console"
for _ in $(seq 1 150); do
    grep -q '^execing rotation.cfg' "$log" && break
    sleep 0.1
done
sleep 0.5
for command in 'vstr ctf' 'vstr one on one' 'timelimit' 'vstr web_1' 'vstr sep_1' 'vstr sep_2'; do
    echo "$command" >&3
    sleep 0.5
done
echo "quit" >&3
wait "$server_pid"
server_pid=""

check() { grep -q -F -- "$1" "$log" || { echo "FAIL: the server log lacks: $1"; failed=1; }; }
# "vstr ctf" ran the cycle CTF, whose init command ran into its "vstr".
check "BIG_CTF_INITvstr CTF_1"
grep -q SMALL_CTF_INIT "$log" && { echo "FAIL: the cycle ctf kept a variable of its own"; failed=1; }
check "vstr <variablename>"
check '"timelimit" is:"vstr timelimit_1'
check 'invalid cvar name string: x\y'
check "WEB_BEFORE"
grep -q WEB_AFTER "$log" && { echo "FAIL: the command after \"//\" ran"; failed=1; }
check "Can't find map maps/oa_dm2,.bsp"
check "Can't find map maps/oa.bsp"
grep -q '^InitGame:' "$log" && { echo "FAIL: a map was loaded"; failed=1; }
[ "$failed" = 0 ] || { echo "--- findings ---"; cat "$work/findings.txt"; echo "--- server log ---"; cat "$log"; }
exit $failed
