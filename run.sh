#!/usr/bin/env bash
# Installs what is missing, builds Bellweft and starts it. Extra arguments go to the
# program (for example: ./run.sh --data-dir /tmp/bills).
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target bellweft
exec ./build/src/app/bellweft "$@"
