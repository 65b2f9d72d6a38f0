#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it with
# dpkg, runs the installed tool on the installed example and checks that
# it writes the installed script and report; then removes the package.
# With a Windows build present, also checks its .zip.
set -euo pipefail
cd "$(dirname "$0")/.."
(cd build/release && cpack -G DEB >/dev/null)
dpkg -i build/release/kestrane_1.5_amd64.deb >/dev/null
trap 'dpkg -r kestrane >/dev/null' EXIT

docs=/usr/share/doc/kestrane
test -f /usr/share/man/man1/kestrane.1
test -f "$docs/settings.md"
work=$(mktemp -d)
cp "$docs/examples/cycles.ini" "$work/"
(cd "$work" && kestrane cycles.ini </dev/null >/dev/null)
cmp "$work/rotation.cfg" "$docs/examples/rotation.cfg"
cmp "$work/report.txt" "$docs/examples/report.txt"
kestrane --version | grep -q -x "Kestrane 1.5"
rm -rf "$work"
echo "the .deb installs, and the installed tool remakes the installed example"

if [ -f build/windows/kestrane.exe ]; then
    # The zip holds no DLL: the .exe may need only those every Windows has.
    imports=$(x86_64-w64-mingw32-objdump -p build/windows/kestrane.exe | sed -n 's/^\tDLL Name: //p' | tr 'a-z' 'A-Z')
    for dll in $imports; do
        case $dll in
            KERNEL32.DLL | MSVCRT.DLL | SHELL32.DLL | ADVAPI32.DLL | USER32.DLL | BCRYPT.DLL) ;;
            *) echo "FAIL: kestrane.exe needs $dll, which Windows does not have"; exit 1 ;;
        esac
    done
    echo "kestrane.exe needs only: $(echo $imports)"
    (cd build/windows && cpack -G ZIP >/dev/null)
    python3 - build/windows/kestrane-1.5-windows-x86_64.zip <<'PY'
import sys, zipfile
names = {n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist() if "/" in n}
want = {"kestrane.exe", "docs/README.md", "docs/settings.md", "examples/cycles.ini",
        "examples/rotation.cfg", "examples/report.txt"}
missing = want - names
assert not missing, "missing from the zip: %s" % sorted(missing)
print("the .zip holds", ", ".join(sorted(want)))
PY
fi
