#!/usr/bin/env bash
# Fails naming every source file whose layout differs from .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
