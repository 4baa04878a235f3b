#!/usr/bin/env bash
# Sets everything up and starts the program from build/dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/dist/ching "$@"
