#!/bin/sh
# The package as a technician gets it: the zip holds the four modules and a
# README that Notepad reads; the installer puts the same files into the
# folder given, lists the product among the installed programs with a
# Start-menu entry, and its uninstaller takes all of it away again.
#   package_test.sh ZIP SETUP.EXE   (Wine prefix: $WINEPREFIX)
zip=$1 setup=$2
files="KVTIDIAG.DLL KVTIDLG.DLL KVTIDRV.DLL KVTIHOST.EXE LIESMICH.TXT"
folder=$WINEPREFIX/drive_c/KVTIdiag-Paket
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KVTIdiag"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KVTIdiag'
failed=0
check() {  # what, then the command that must succeed
  what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=$((failed + 1)); fi
}
export LC_ALL=C
rm -rf "$folder"

check "the zip holds the modules and the README" test "$(unzip -Z1 "$zip" | sort | xargs)" = "$files"
check "the README is UTF-8 with a byte-order mark and CRLF" test "$(unzip -p "$zip" LIESMICH.TXT | file -b -)" = \
  "Unicode text, UTF-8 (with BOM) text, with CRLF line terminators"

check "the installer runs silently" wine "$setup" /S '/D=C:\KVTIdiag-Paket'
check "it puts the files and its uninstaller in the folder" test "$(ls "$folder" | xargs)" = "Deinstallieren.exe $files"
check "the Start menu starts the program" test -f "$menu/KVTIdiag.lnk"
check "Windows lists its uninstaller" sh -c "wine reg query '$key' /v UninstallString | grep -qF 'C:\\KVTIdiag-Paket\\Deinstallieren.exe'"

check "the uninstaller runs silently" wine 'C:\KVTIdiag-Paket\Deinstallieren.exe' /S
# It goes on as a copy of itself, so that it can remove its own folder.
for _ in $(seq 300); do [ -e "$folder" ] || [ -e "$menu" ] || break; sleep 0.1; done
check "it removes the folder and the Start-menu entries" test ! -e "$folder" -a ! -e "$menu"
check "Windows no longer lists it" sh -c "! wine reg query '$key' >/dev/null 2>&1"
[ "$failed" -eq 0 ]
