#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a scratch prefix and checks what a desktop needs to open ".sud" files with the
# program: the MIME package (seen through xdg-mime, as a file manager would), the desktop entry
# (valid, `Exec=vornel %f`, our MIME type, the default application for it, its English texts),
# the icons.
# Usage: desktop_install_check.sh <cmake> <build folder> <scratch folder>
set -eu
cmake=$1 build=$2 scratch=$3
prefix="$scratch/prefix"
rm -rf "$scratch" && mkdir -p "$scratch"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
share="$prefix/share"
type=application/x-vornel-sudoku

test -f "$share/mime/packages/vornel.xml" || fail "no MIME package"
grep -q "$type" "$share/mime/types" 2>/dev/null || fail "the install did not refresh $share/mime"
desktop-file-validate "$share/applications/vornel.desktop" || fail "desktop entry not valid"
grep -qx 'Exec=vornel %f' "$share/applications/vornel.desktop" || fail "Exec is not 'vornel %f'"
grep -qx "MimeType=$type;" "$share/applications/vornel.desktop" || fail "no MimeType=$type;"
# Every text a desktop shows has its English next to its French.
for key in Name GenericName Comment Keywords; do
    grep -q "^$key=" "$share/applications/vornel.desktop" || continue
    grep -q "^$key\[en\]=." "$share/applications/vornel.desktop" || fail "no $key[en] in the desktop entry"
done
grep -q '<comment xml:lang="en">.' "$share/mime/packages/vornel.xml" || fail "no English comment for $type"
for size in 16 22 24 32 48 64 128 256; do
    for kind in apps/vornel mimetypes/application-x-vornel-sudoku; do
        f="$share/icons/hicolor/${size}x${size}/$kind.png"
        test -f "$f" || fail "missing $f"
        file "$f" | grep -q "PNG image data, $size x $size" || fail "$f is not ${size}x${size}"
    done
done
test -f "$share/icons/hicolor/scalable/apps/vornel.svg" || fail "no scalable icon"
test -f "$share/icons/hicolor/scalable/mimetypes/application-x-vornel-sudoku.svg" || fail "no scalable MIME icon"

# As the desktop sees it: only the prefix's data, a fresh user data folder.
printf '0\r\n' > "$scratch/grille.sud"
printf '0\r\n' > "$scratch/grille.txt"
export XDG_DATA_HOME="$scratch/home-data" XDG_DATA_DIRS="$share:/usr/share" XDG_CONFIG_HOME="$scratch/config"
export XDG_CURRENT_DESKTOP= DE=generic
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
got=$(xdg-mime query filetype "$scratch/grille.sud")
[ "$got" = "$type" ] || fail "xdg-mime says $got for grille.sud"
got=$(xdg-mime query filetype "$scratch/grille.txt")
[ "$got" = "text/plain" ] || fail "xdg-mime says $got for grille.txt"
got=$(xdg-mime query default "$type")
[ "$got" = "vornel.desktop" ] || fail "the default application for $type is '$got'"
echo "ok: $type, vornel.desktop, icons"
