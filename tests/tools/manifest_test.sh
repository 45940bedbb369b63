#!/bin/bash
# The installation manifests' entries, installed into a scratch device folder
# (no Wine needed): applet registrations in the registry's value order,
# shortcuts in the device's format, seeds copied once, self-registration
# lists, and the order in which the manifests are read.
set -uo pipefail
SRC_TREE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck disable=SC1091
source "$SRC_TREE/tools/device"
set +e

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dev="$scratch/dev"; build="$scratch/build"
mkdir -p "$dev/drive" "$build/bin"
printf 'MZlibrary' >"$build/bin/Clock.dll"
printf 'sample\n' >"$scratch/canned.txt"
failures=0
check() {   # description, then the command that must succeed
    local what="$1"; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
manifest() { printf '%s\n' "$@" >"$scratch/m.txt"; }
install() { install_manifest "$dev" "$build" "$scratch/m.txt" "$scratch/r.reg" 2>&1; }
values() { tr -d '\r' <"$scratch/r.reg" | grep -v '^\[' | grep -v '^$' | tr '\n' ' '; }

# An applet: the library in place, its registration complete and in order.
manifest 'applet | bin/Clock.dll | \Program Files\ZARQ\Ketra\Clock.dll | Clock | group=Time order=20 options=1'
: >"$scratch/r.reg"; install >/dev/null
check "applet library copied" cmp -s "$build/bin/Clock.dll" "$dev/drive/Program Files/ZARQ/Ketra/Clock.dll"
check "applet values in order" [ "$(values)" = '"Type"=dword:00000000 "Options"=dword:00000001 "Order"=dword:00000014 "Enabled"=dword:00000001 "DLL"="\\Program Files\\ZARQ\\Ketra\\Clock.dll" "Group"="Time" "Notify"=dword:00000000 ' ]
check "applet key" grep -q 'HKEY_LOCAL_MACHINE\\SOFTWARE\\ZARQ\\APPLETS\\Clock]' "$scratch/r.reg"

manifest 'applet | bin/Clock.dll | \x\Clock.dll | Clock | colour=3'
out="$( (install) )"; check "unknown applet setting named" grep -q "unknown applet setting 'colour=3'" <<<"$out"
manifest 'applet | bin/Clock.dll | \x\Clock.dll | Clock | order=soon'
out="$( (install) )"; check "a word where a number belongs refused" grep -q "'soon' is not a number" <<<"$out"
manifest 'applet | bin/Missing.dll | \x\Missing.dll | Missing'
out="$( (install) )"; check "a missing library refused" grep -q "is missing" <<<"$out"

# Shortcuts: "<length>#<command>", the target quoted, arguments after it.
manifest 'shortcut | \Windows\Start Menu\Programs\Clock.lnk | \Program Files\ZARQ\Ketra\Clock.exe | -w 2' \
         'shortcut | \Windows\StartUp\Run.lnk | "\Windows\run.exe" now'
install >/dev/null
check "shortcut with arguments" [ "$(cat "$dev/drive/Windows/Start Menu/Programs/Clock.lnk")" = '42#"\Program Files\ZARQ\Ketra\Clock.exe" -w 2' ]
check "shortcut with a quoted command" [ "$(cat "$dev/drive/Windows/StartUp/Run.lnk")" = '22#"\Windows\run.exe" now' ]

# A pack's title line is for its setup cabinet only.
manifest 'pack | Clocks | The clocks.'
: >"$scratch/r.reg"; out="$( (install) )"
check "a pack line accepted" [ -z "$out" ]
check "a pack line installs nothing" [ ! -s "$scratch/r.reg" ]

# Seeds: copied once; the user's change and deletion survive later installs.
manifest "seed | $scratch/canned.txt | \\My Documents\\canned.txt" "seed | $scratch/canned.txt | \\My Documents\\two.txt"
install >/dev/null
check "seed copied" cmp -s "$scratch/canned.txt" "$dev/drive/My Documents/canned.txt"
printf 'mine\n' >"$dev/drive/My Documents/canned.txt"
rm "$dev/drive/My Documents/two.txt"
install >/dev/null
check "a changed seed is kept" [ "$(cat "$dev/drive/My Documents/canned.txt")" = mine ]
check "a deleted seed stays deleted" [ ! -e "$dev/drive/My Documents/two.txt" ]

# Self-registration: listed (as D: paths) for after the registry import;
# only an installed library may be named.
: >"$dev/selfreg.list"
manifest 'file | bin/Clock.dll | \Windows\Clock.dll' 'selfreg | \Windows\Clock.dll'
install >/dev/null
check "selfreg listed" [ "$(cat "$dev/selfreg.list")" = 'D:\Windows\Clock.dll' ]
manifest 'selfreg | \Windows\Nowhere.dll'
out="$( (install) )"; check "selfreg of a library not installed refused" grep -q "is not installed" <<<"$out"

# Manifest order: device, system, packs by name, then test fixtures.
SRC="$scratch/src"; mkdir -p "$SRC/tools/manifest"
for f in device system tests time calc calc.tests; do : >"$SRC/tools/manifest/$f.txt"; done
order() { manifests "$1" "$build" | xargs -n1 basename | tr '\n' ' '; }
check "user device manifests" [ "$(order user)" = 'device.txt system.txt calc.txt time.txt ' ]
check "test device manifests" [ "$(order test)" = 'device.txt system.txt calc.txt time.txt tests.txt calc.tests.txt ' ]
mkdir -p "$build/device" && touch "$build/device/user.bare"
check "a bare device gets no pack" [ "$(order user)" = 'device.txt system.txt ' ]

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
