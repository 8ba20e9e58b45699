#!/usr/bin/env bash
# The Windows program folder holds what its programs load and nothing more: every DLL that a program,
# a plugin or a DLL in it imports is either in the folder (beside the programs, where Windows looks
# first) or one that every Windows system has; every DLL beside the programs is imported by
# something; the platform plugin, Qt's Turkish texts and the licence files are there.
# Usage: tests/packaging/windows_dist_test.sh DIST
set -uo pipefail
dist=${1:?usage: windows_dist_test.sh DIST}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

# DLLs of Windows itself (lower case), as far as Qt, QScintilla and the runtime import them.
system_dlls=" advapi32.dll authz.dll bcrypt.dll comctl32.dll comdlg32.dll crypt32.dll d2d1.dll d3d11.dll d3d9.dll
  dwmapi.dll dwrite.dll dxgi.dll gdi32.dll imm32.dll kernel32.dll mpr.dll msvcrt.dll netapi32.dll ntdll.dll
  ole32.dll oleaut32.dll rpcrt4.dll secur32.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll
  userenv.dll uxtheme.dll version.dll winmm.dll winspool.drv ws2_32.dll wtsapi32.dll "
system_dlls=" $(echo $system_dlls) "

failures=0
fail() {
  echo "windows_dist_test: FAILED: $*"
  failures=$((failures + 1))
}

[[ -d $dist ]] || { echo "windows_dist_test: no folder $dist"; exit 2; }
shopt -s nullglob nocaseglob
binaries=("$dist"/*.exe "$dist"/*.dll "$dist"/*/*.dll)
shopt -u nocaseglob
((${#binaries[@]})) || { echo "windows_dist_test: $dist holds no program"; exit 2; }

declare -A beside=() imported=()
for f in "$dist"/*.dll "$dist"/*.DLL; do beside[$(basename "${f,,}")]=1; done

checked=0
for bin in "${binaries[@]}"; do
  names=$("$objdump" -p "$bin" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r') ||
    { fail "$bin is no Windows program or DLL"; continue; }
  for name in $names; do
    dll=${name,,}
    imported[$dll]=1
    checked=$((checked + 1))
    if [[ -z ${beside[$dll]:-} && $system_dlls != *" $dll "* && $dll != api-ms-win-* ]]; then
      fail "${bin#"$dist"/} imports $name, which is neither in the folder nor part of Windows"
    fi
  done
done

for dll in "${!beside[@]}"; do
  [[ -n ${imported[$dll]:-} ]] || fail "$dll is in the folder but nothing imports it"
done

for file in velkor.exe velkor-convert.exe platforms/qwindows.dll translations/qtbase_tr.qm LICENSE \
  THIRD-PARTY-NOTICES.txt LGPL-3.0.txt; do
  [[ -f $dist/$file ]] || fail "$file is missing"
done
[[ -z ${beside[libwinpthread-1.dll]:-} || -f $dist/MinGW-w64-copyright.txt ]] ||
  fail "libwinpthread-1.dll is there without MinGW-w64-copyright.txt"

echo "windows_dist_test: ${#binaries[@]} programs and DLLs, $checked imports checked, ${#beside[@]} DLLs beside the programs"
((failures == 0))
