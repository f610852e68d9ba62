#!/usr/bin/env bash
# check-translations.sh: fails when the English translation is not complete: a text of the
# windows without its translation (the translation file differs from what update-translations.sh
# makes of it), an entry left unfinished, or one whose text the program no longer has.
set -euo pipefail
cd "$(dirname "$0")/.."
committed=translations/umbrascope_en.ts
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$committed" "$copy"
scripts/update-translations.sh "$copy" >/dev/null
status=0
# Each fault names the context and the source text of the entry.
faults=$(python3 - "$copy" <<'PY'
import sys
import xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        kind = message.find('translation').get('type')
        if kind in ('unfinished', 'vanished', 'obsolete'):
            print(f'translations: {kind}: {name}: {message.findtext("source")!r}')
PY
)
if [ -n "$faults" ]; then
  echo "$faults"
  status=1
fi
if ! diff -u "$committed" "$copy" >/dev/null; then
  echo "translations: $committed is not up to date with the program's texts; run scripts/update-translations.sh and translate what it adds:"
  diff -u "$committed" "$copy" | head -40
  status=1
fi
exit $status
