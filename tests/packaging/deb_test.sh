#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack, unpacked into a temporary root, its programs
# run from there. The installed converter must write the very files the built one writes.
# Arguments: the build folder, the source folder.
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log" >&2
  fail "cpack did not make the package"
}
debs=("$scratch"/out/velkor_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "no velkor_*.deb in $(ls "$scratch/out")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Dependencies read from the programs; Qt's Turkish texts recommended.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libstdc++6 libqt6widgets6 libqscintilla2-qt6; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-translations-l10n* ]] || fail "qt6-translations-l10n is not recommended"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"

root=$scratch/root
dpkg -x "$deb" "$root"
for file in usr/bin/velkor usr/bin/velkor-convert usr/share/applications/velkor.desktop \
  usr/share/doc/velkor/LICENSE usr/share/doc/velkor/copyright usr/share/doc/velkor/kullanim-kilavuzu.md; do
  [[ -f $root/$file ]] || fail "/$file is not installed"
done
for size in 16 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/velkor.png
  [[ $(file -b "$icon") == "PNG image data, $size x $size,"* ]] || fail "$icon is not a ${size}x${size} picture"
done
desktop-file-validate "$root/usr/share/applications/velkor.desktop" || fail "desktop-file-validate refuses the entry"
grep -qx 'Icon=velkor' "$root/usr/share/applications/velkor.desktop" || fail "the entry names another icon"
# Every picture the guide shows is installed beside it.
guide=$root/usr/share/doc/velkor/kullanim-kilavuzu.md
while read -r picture; do
  [[ -f $root/usr/share/doc/velkor/$picture ]] || fail "the guide shows $picture, which is not installed"
done < <(grep -o '](resimler/[^)]*)' "$guide" | sed 's/^](//; s/)$//')

# One version: the package's and the program's.
version=$(dpkg-deb -f "$deb" Version)
answer=$("$root/usr/bin/velkor-convert" --version)
[[ $answer == "velkor-convert $version" ]] || fail "--version says '$answer', the package is $version"

# The example, converted by the installed and by the built converter.
convert() {
  local program=$1 into=$2
  mkdir -p "$into"
  (cd "$source/examples" && "$program" GUZERGAH.cks DUSEY.cks --cross-sections ENKESIT.kse --model MODEL.ncz \
    --slope-plan SEVLI.ncz -o "$into/GUZERGAH.xml" --work-dir "$into.work") >"$into.list"
}
convert "$root/usr/bin/velkor-convert" "$scratch/installed" || fail "the installed velkor-convert failed"
convert "$build/velkor-convert" "$scratch/built" || fail "the built velkor-convert failed"
[[ $(wc -l <"$scratch/installed.list") -ge 3 ]] || fail "too few files written: $(cat "$scratch/installed.list")"
diff -r "$scratch/installed" "$scratch/built" || fail "the installed converter writes other files than the built one"

# The desktop program starts from the package (no screen: it stays up until it is stopped).
mkdir -p "$scratch/tmp"
status=0
TMPDIR=$scratch/tmp QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/velkor" || status=$?
[[ $status -eq 124 ]] || fail "the installed velkor ended with $status instead of running"
echo "ok"
