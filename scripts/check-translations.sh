#!/usr/bin/env bash
# Every text of the program has its translation in each translations/orvanek_LANG.ts, and no
# .ts keeps a text the program no longer has. lupdate reads the sources into a copy of each
# file: a text it marks unfinished (new, or changed in the source) or obsolete/vanished (gone
# from the source) fails the check, and the texts are listed. Mend with
#     cmake --build build --target update_translations
# and translate what it leaves unfinished (Qt Linguist, or the file in an editor).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
    for candidate in "$(command -v lupdate || true)" \
        "$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || true)/lupdate" /usr/lib/qt6/bin/lupdate; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            lupdate="$candidate"
            break
        fi
    done
fi
if [ -z "$lupdate" ]; then
    echo "check-translations: lupdate not found (Debian: qt6-l10n-tools)" >&2
    exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in translations/orvanek_*.ts; do
    language=$(basename "$ts" .ts)
    language=${language#orvanek_}
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    # Czech, the sources' language, is translated only in its plural forms.
    only=()
    [ "$language" = cs ] && only=(-pluralonly)
    "$lupdate" -silent -source-language cs -target-language "$language" -locations none \
        "${only[@]}" src -ts "$copy"
    # One line per entry that is not finished: its context and its source text.
    problems=$(python3 - "$copy" <<'PY'
import sys
import xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        translation = message.find("translation")
        kind = translation.get("type") if translation is not None else "unfinished"
        empty = translation is None or (not (translation.text or "").strip()
                                         and translation.find("numerusform") is None)
        if kind in ("unfinished", "obsolete", "vanished") or (empty and kind is None):
            source = (message.findtext("source") or "").replace("\n", "\\n")
            print(f"{kind or 'empty'}\t{name}\t{source}")
PY
)
    if [ -n "$problems" ]; then
        echo "$ts: $(echo "$problems" | wc -l) text(s) not translated or no longer used:" >&2
        echo "$problems" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "check-translations: every text is translated"
exit "$status"
