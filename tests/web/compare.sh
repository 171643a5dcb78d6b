#!/bin/sh
# compare.sh NATIVE_SIM WASM_SIM SCRIPT WORK -- runs one script with the
# desktop runner and with the WebAssembly runner under Node, each in a
# working folder of its own holding the game's sounds, and fails unless
# every file they wrote (dumps, shots, sound log) is the same byte for byte.
set -e
abs() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
native=$(abs "$1") wasm=$(abs "$2") script=$(abs "$3") work=$(abs "$4")
src=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
for side in native wasm; do
    mkdir -p "$work/$side/data"
    for f in "$src"/data/*.ogg; do ln -s "$f" "$work/$side/data/"; done
    cp "$script" "$work/$side/script.txt"
done
(cd "$work/native" && "$native" script.txt) || { echo "native runner failed: $?"; exit 1; }
(cd "$work/wasm" && node "$wasm" script.txt) || { echo "WebAssembly runner failed: $?"; exit 1; }
rm -rf "$work/native/data" "$work/wasm/data"
count=$(find "$work/native" -type f | wc -l)
if diff -r "$work/native" "$work/wasm"; then
    echo "$count files the same byte for byte"
else
    echo "the WebAssembly runner differs from the desktop runner"
    exit 1
fi
