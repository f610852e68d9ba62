#!/usr/bin/env bash
# update-translations.sh [TS-FILE]: brings the English translation up to date with the texts
# of the program's windows (source language Russian). New texts come in unfinished, texts no
# longer used are marked vanished; fill in or remove them by hand. No line numbers are written,
# so the file changes only where texts do.
set -euo pipefail
cd "$(dirname "$0")/.."
ts=${1:-translations/umbrascope_en.ts}
/usr/lib/qt6/bin/lupdate -locations none -no-ui-lines -source-language ru_RU -target-language en_US \
  -tr-function-alias QT_TRANSLATE_NOOP+=Translatable -extensions cpp,h \
  base model audio visual export play ui dialogs app/gui -ts "$ts"
