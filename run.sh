#!/usr/bin/env bash
# Sets up the machine if needed, builds Palvexa and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/build.sh"
exec "$root/build/bin/palvexa" "$@"
