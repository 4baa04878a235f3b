#!/usr/bin/env bash
# Applies .clang-format to the project's C++ sources.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format -i
