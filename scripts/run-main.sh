#!/usr/bin/env bash
# The main job: builds when needed, then runs a planhost session on a fresh demo project in
# ./demo (settings, Insert, Export, Import, Update, a rendered plan).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/setup.sh"
cmake --preset default -S "$root" >/dev/null
cmake --build --preset default --target planhost Stakewise
"$root/build/default/bin/planhost" demo "${1:-./demo}"
