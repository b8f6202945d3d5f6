#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts Qt 6.4.2 for Windows at PREFIX: unpack-qt.sh SOURCE PREFIX. SOURCE is a folder holding
# qt6-mingw-6.4.2.tar.xz (the toolchain folder beside the repository, by default) or an
# unpacked prefix. Nothing is done when PREFIX is there already.
set -euo pipefail
source=$1
prefix=$2
[ -x "$prefix/bin/qt-cmake" ] && exit 0
if [ -x "$source/bin/qt-cmake" ]; then
    mkdir -p "$(dirname "$prefix")"
    cp -a "$source" "$prefix"
    exit 0
fi
archive=$source/qt6-mingw-6.4.2.tar.xz
if [ ! -f "$archive" ]; then
    cat >&2 <<TEXT
No Qt for Windows in "$source". Give its folder with QT_WINDOWS=FOLDER: a folder holding
qt6-mingw-6.4.2.tar.xz, or an unpacked prefix. The toolchain folder's build-toolchain.sh
builds one on any Debian 12 machine (see README.md, "Windows").
TEXT
    exit 1
fi
mkdir -p "$(dirname "$prefix")"
tmp=$(mktemp -d "$(dirname "$prefix")/unpack.XXXXXX")
tar xJf "$archive" -C "$tmp"
mv "$tmp/qt6-mingw" "$prefix"
rmdir "$tmp"
echo "Unpacked Qt for Windows into $prefix"
