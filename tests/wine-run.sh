#!/bin/sh
# Runs one Windows test program under 64-bit Wine in the build tree's prefix.
export WINEDEBUG=-all
export WINEPREFIX="${KVT_WINEPREFIX:?}"
exec wine "$@"
