#!/usr/bin/env bash
# Lays out the files the package server serves below DIR/ (URL paths /data/...).
# Until the demo packages are built from source, each path holds a small
# placeholder file: downloads and progress work, the "installers" do nothing
# under Wine, and the window then reports the component as still missing.
set -euo pipefail
dir=${1:?usage: make-packages.sh DIR}
for p in sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe \
         sqllocaldb/nativeclient/64bit/sqlncli.msi \
         sqllocaldb/nativeclient/32bit/sqlncli.msi \
         sqllocaldb/2022/sqllocaldb.msi \
         sqllocaldb/32bit/sqllocaldb.msi \
         dilnex8/dilnex8.exe; do
  mkdir -p "$dir/$(dirname "$p")"
  [ -s "$dir/$p" ] || head -c 4194304 /dev/zero > "$dir/$p"
done
