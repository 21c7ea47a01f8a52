#!/usr/bin/env bash
# Prints the name of the Windows build tree whose programs run on this machine: win32 (the shipped
# 32-bit build), or win64 where the kernel runs no 32-bit code (see tools/wine-env.sh).
set -eu
. "$(cd "$(dirname "$0")" && pwd)/wine-env.sh"
echo "$windows_tree"
