#!/usr/bin/env bash
# The main job: builds when needed, then runs a planhost session on a fresh demo project in
# ./demo (settings, Insert, Export, Import, Update, a rendered plan).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/setup.sh"
(cd "$root" && cmake --preset default >/dev/null)
cmake --build "$root/build/default" --target planhost Stakewise -j2
"$root/build/default/bin/planhost" demo "${1:-./demo}"
