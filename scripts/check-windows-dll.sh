#!/usr/bin/env bash
# Checks a Windows build of the plug-in without running it: the PE format of its
# architecture, the two VST entries exported under their plain names, and only
# Windows' own DLLs imported (the compiler's runtimes are linked in).
# Usage: scripts/check-windows-dll.sh DLL x86|x64
set -euo pipefail
dll=$1
case "$2" in
  x86) format="pei-i386" objdump=i686-w64-mingw32-objdump ;;
  x64) format="pei-x86-64" objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "usage: $0 DLL x86|x64" >&2; exit 2 ;;
esac
[ -f "$dll" ] || { echo "$dll: missing" >&2; exit 1; }
headers=$($objdump -p "$dll")
fail() { echo "$dll: $*" >&2; exit 1; }

grep -q "file format $format" <<<"$headers" || fail "not a $format image"
# The export table's name list: "[   0] +base[   1] 0000 main".
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | tail -n +2 | awk 'NF >= 3 {print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "VSTPluginMain main " ] || fail "exports '$exports', not exactly 'VSTPluginMain main'"
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|SHLWAPI|OLE32|COMDLG32|MSIMG32|GDIPLUS|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r imported; do
  grep -qiE "$system_dlls" <<<"$imported" || fail "imports $imported, which is not one of Windows' own DLLs"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
echo "$dll: $format, exports VSTPluginMain and main, imports only Windows' own DLLs"
