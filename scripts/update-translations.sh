#!/usr/bin/env bash
# Refreshes resources/translations/*.ts from the sources: new texts appear as
# unfinished entries, translations already made are kept, and texts that left
# the code are dropped (the translation test refuses leftovers, since a text
# the user sees but lupdate cannot find shows up as one). While moving a text
# to another class, --keep leaves the old entries in place, marked "vanished",
# so their translations can be copied over before the next plain run.
#
# Usage: bash scripts/update-translations.sh [--keep]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

prune=(-no-obsolete)
case "${1:-}" in
    "") ;;
    --keep) prune=() ;;
    *) echo "usage: $0 [--keep]" >&2; exit 2 ;;
esac

lupdate="$(command -v lupdate || true)"
[ -n "$lupdate" ] || lupdate=/usr/lib/qt5/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate not found (Debian package qttools5-dev-tools)" >&2; exit 1; }

# Every file that may ask the translator, in a stable order.
mapfile -t sources < <(
    printf '%s\n' ui/deruvivuriri.ui
    find app ui link files calibration devices remote -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | LC_ALL=C sort)

# Language of each file: the Russian file exists so that choosing Russian
# loads a file like the others; it translates nothing, the sources are Russian.
update() {
    local file="$1" language="$2"
    "$lupdate" -silent -I "$root" -locations none -no-ui-lines -source-language ru_RU -target-language "$language" \
        "${prune[@]}" "${sources[@]}" -ts "resources/translations/$file"
}
update Language_Ru.ts ru_RU
update Language_Eng.ts en
update Language_Esp.ts es_419

echo "Updated resources/translations/Language_{Ru,Eng,Esp}.ts; translate the unfinished entries with linguist."
