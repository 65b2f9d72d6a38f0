# What an output path names decides how it is written. A symbolic link:
# the file it points to is replaced and the link stays. An existing file
# keeps its permission bits and owner; a new one gets the umask's mode. A
# FIFO is opened once and written directly, so its reader gets the whole
# script; /dev/null takes the script and stays the device.
is_windows && skip "POSIX links, modes and FIFOs"
settings $'%terminate = 1\n%no_popup_cfg = 1\n$output = out.cfg\n'"$SIMPLE"
run settings.ini </dev/null
mv "$work/out.cfg" "$work/whole.cfg"
only_files() { [ "$(ls -A "$work/$1")" = "$2" ] || fail "$1 holds $(ls -A "$work/$1" | tr '\n' ' ')"; }
with_output() { settings "%terminate = 1"$'\n%no_popup_cfg = 1\n'"\$output = $1"$'\n'"$SIMPLE"; }

mkdir "$work/real" "$work/links"
echo old >"$work/real/out.cfg"
ln -s ../real/out.cfg "$work/links/out.cfg"
with_output links/out.cfg
run settings.ini </dev/null
expect_status 0
[ -L "$work/links/out.cfg" ] || fail "the link was replaced"
cmp -s "$work/real/out.cfg" "$work/whole.cfg" || fail "the link's file does not hold the script"
only_files real out.cfg
only_files links out.cfg

# A link to a file that does not exist yet makes that file.
ln -s ../real/new.cfg "$work/links/new.cfg"
with_output links/new.cfg
run settings.ini </dev/null
expect_status 0
cmp -s "$work/real/new.cfg" "$work/whole.cfg" || fail "the dangling link's file does not hold the script"

mkdir "$work/modes"
echo old >"$work/modes/kept.cfg"
chmod 640 "$work/modes/kept.cfg"
if [ "$(id -u)" = 0 ]; then chown nobody:nogroup "$work/modes/kept.cfg"; fi
before=$(stat -c '%a %U %G' "$work/modes/kept.cfg")
with_output modes/kept.cfg
run settings.ini </dev/null
expect_status 0
[ "$(stat -c '%a %U %G' "$work/modes/kept.cfg")" = "$before" ] ||
    fail "mode and owner $(stat -c '%a %U %G' "$work/modes/kept.cfg"), expected $before"
cmp -s "$work/modes/kept.cfg" "$work/whole.cfg" || fail "the kept file does not hold the script"
with_output modes/new.cfg
(umask 027 && run settings.ini </dev/null)
[ "$(stat -c '%a' "$work/modes/new.cfg")" = 640 ] || fail "new file mode $(stat -c '%a' "$work/modes/new.cfg")"
only_files modes $'kept.cfg\nnew.cfg'

mkfifo "$work/pipe.cfg"
with_output pipe.cfg
timeout 20 cat "$work/pipe.cfg" >"$work/from_pipe.cfg" &
reader=$!
(cd "$work" && timeout 20 "$tool" settings.ini </dev/null >"$work/console.out")
status=$?
wait "$reader"
expect_status 0
[ -p "$work/pipe.cfg" ] || fail "the FIFO was replaced"
cmp -s "$work/from_pipe.cfg" "$work/whole.cfg" || fail "the FIFO's reader did not get the script"

with_output /dev/null
run settings.ini </dev/null
expect_status 0
[ -c /dev/null ] || fail "/dev/null is no longer a device"

# /dev/stdout is the console itself, a file or a pipe: the script goes
# there in turn with the console text, and neither writes over the other.
with_output /dev/stdout
run settings.ini </dev/null
expect_status 0
grep -q -x "Input : settings.ini" "$work/console.out" || fail "/dev/stdout as a file: the console text is gone"
grep -q -F -x "$(tail -n 1 "$work/whole.cfg")" "$work/console.out" || fail "/dev/stdout as a file: no script"
run_tool settings.ini </dev/null | cat >"$work/console.out"
grep -q -x "Input : settings.ini" "$work/console.out" || fail "/dev/stdout as a pipe: the console text is gone"
grep -q -F -x "$(tail -n 1 "$work/whole.cfg")" "$work/console.out" || fail "/dev/stdout as a pipe: no script"

# A target name as long as a name may be still leaves room for the
# temporary file's.
long_name=$(head -c 250 /dev/zero | tr '\0' 'n').cfg
with_output "$long_name"
run settings.ini </dev/null
expect_status 0
cmp -s "$work/$long_name" "$work/whole.cfg" || fail "the long-named file does not hold the script"
