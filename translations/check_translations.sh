#!/usr/bin/env bash
# Runs lupdate over the window's sources and fails when the German or French catalogue has an
# unfinished, vanished or obsolete entry.
# Usage: check_translations.sh [--update] [source root] [lupdate]
#   --update  writes the catalogues in place instead (lastling_en.ts: plural forms only)
set -euo pipefail
update=0
if [ "${1:-}" = --update ]; then
  update=1
  shift
fi
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
lupdate=${2:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
folders=(src/shell src/social src/start src/tally src/client src/net src/settings resources/help)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/translations/lastling_*.ts "$work/"
cd "$root"
# Updating drops the texts the code no longer has; checking keeps them, to report them.
drop=()
[ "$update" -eq 1 ] && drop=(-no-obsolete)
for lang in de fr; do
  "$lupdate" -silent "${drop[@]}" -extensions cpp,h -I src -locations none "${folders[@]}" \
    -ts "$work/lastling_$lang.ts"
done
"$lupdate" -silent -pluralonly -extensions cpp,h -I src -locations none "${folders[@]}" \
  -ts "$work/lastling_en.ts"

if [ "$update" -eq 1 ]; then
  cp "$work"/lastling_*.ts "$root/translations/"
  exit 0
fi
failures=0
for lang in de fr; do
  count=$(grep -cE 'type="(unfinished|vanished|obsolete)"' "$work/lastling_$lang.ts" || true)
  if [ "$count" -ne 0 ]; then
    echo "lastling_$lang.ts: $count entries unfinished, vanished or obsolete:"
    grep -B3 -E 'type="(unfinished|vanished|obsolete)"' "$work/lastling_$lang.ts" |
      grep '<source>' | head -20
    failures=1
  fi
done
exit "$failures"
