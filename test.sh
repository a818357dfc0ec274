#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
fi

# Services some tests talk to (a print spooler) are started by scripts in tests/services.
for svc in tests/services/*.sh; do
  [ -e "$svc" ] || continue
  # shellcheck disable=SC1090
  source "$svc"
done

cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
