#!/bin/bash
# The desktop side driven from outside: Deskel lists the test packs, one is
# ticked and installed; the device manager sends its cabinet; the device's
# shell hands it to the installer, which asks where to install; the device
# log gets "install:" and the bar's applet list the new applet.  Then the
# application is removed again.
#
#   desk_test.sh SRC BUILD
set -euo pipefail
SRC="$1"; BUILD="$2"
DESK="$SRC/tools/desk"; DEVICE="$SRC/tools/device"
RECORD="ZARQ Ketra Install Test"
winpath() { printf 'Z:%s' "$(echo "$1" | sed 's#/#\\#g')"; }
desk() { "$DESK" ctl test "$BUILD" "$@"; }
dev() { "$DEVICE" run test "$BUILD" 'D:\Windows\devctl.exe' "$@"; }
fail() { echo "desk_test: $*" >&2; dev boxes >&2 || true; exit 1; }
until_true() {   # tries command for up to ~20 seconds
    local i
    for i in $(seq 1 100); do "$@" && return 0; sleep 0.2; done
    return 1
}
cleanup() {
    "$DESK" stop test "$BUILD" >/dev/null 2>&1 || true
    "$DEVICE" run test "$BUILD" 'D:\Windows\unload.exe' "$RECORD" >/dev/null 2>&1 || true
}
trap cleanup EXIT

"$DESK" start test "$BUILD"
"$DESK" launch test "$BUILD" "$(winpath "$BUILD/bin/Deskel.exe")" "$(winpath "$BUILD/bin/fixtures/install")"
desk wait KetraDeskel 30000 >/dev/null || fail "Deskel did not come up"

# Tick the first pack ("Install Test", check box 1000) and press Install.
desk send KetraDeskel 0x111 1000 0 >/dev/null
desk post KetraDeskel 0x111 1 0 >/dev/null
desk wait KetraDeskAppMgr 30000 >/dev/null || fail "the device manager did not come up"
desk post KetraDeskAppMgr 0x111 1 0 >/dev/null

# On the device: the installer's question, answered with Yes.
until_true bash -c "'$DEVICE' run test '$BUILD' 'D:\\Windows\\devctl.exe' boxes | grep -q 'to the default location'" \
    || fail "the device did not ask where to install"
dev dismiss yes >/dev/null
until_true bash -c "'$DEVICE' run test '$BUILD' 'D:\\Windows\\devctl.exe' log | grep -qx 'install: Ketra Install Test'" \
    || fail "no 'install: Ketra Install Test' in the device log"
dev reg get 'HKLM\SOFTWARE\ZARQ\APPLETS\Install Probe' DLL | grep -q 'InstallTest\\InstallProbe.dll' \
    || fail "the applet is not registered"

log="$BUILD/desk/test/desklog.txt"
grep -q '^deskel: install Install Test' "$log" || fail "no 'deskel: install' line in the desktop log"
grep -q '^appmgr: testpack.cab sent to the device' "$log" || fail "no 'appmgr: ... sent' line in the desktop log"
[ ! -e "$BUILD/device/test/drive/Windows/AppMgr/Install/testpack.cab" ] || fail "the cabinet stayed in the inbox"

"$DEVICE" run test "$BUILD" 'D:\Windows\unload.exe' "$RECORD" || fail "unload.exe did not remove it"
dev log | grep -qx "uninstall: Ketra Install Test" || fail "no 'uninstall:' line"
echo "desk_test: passed"
