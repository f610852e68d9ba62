#!/usr/bin/env bash
# check-layers.sh: fails when a file includes a folder above its own layer.
# base <- model <- audio, visual <- ui <- dialogs <- app (gui <- cli), and audio, visual <- export
# <- app; tests/X and bench may use what X may use.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() {
  case $1 in
    base) echo "" ;;
    model) echo "base" ;;
    audio | visual) echo "base model" ;;
    export) echo "base model audio visual" ;;
    ui) echo "base model audio visual" ;;
    dialogs) echo "base model audio visual ui" ;;
    app/gui) echo "base model audio visual export ui dialogs" ;;
    app/cli | app) echo "base model audio visual export ui dialogs app/gui app/cli" ;;
  esac
}

# The layer a source file belongs to: its folder, with app split into gui and cli.
layer_of() {
  case $1 in
    app/gui/*) echo app/gui ;;
    app/cli/*) echo app/cli ;;
    *) echo "${1%%/*}" ;;
  esac
}

# The layer an include names, e.g. "app/gui/MainForm.h" -> app/gui, "model/Session.h" -> model.
included_layer() {
  case $1 in
    app/gui/*) echo app/gui ;;
    app/cli/*) echo app/cli ;;
    *) echo "${1%%/*}" ;;
  esac
}

status=0
while IFS= read -r file; do
  layer=$(layer_of "$file")
  permitted=" $(allowed "$layer") $layer "
  while IFS= read -r include; do
    [[ $include == */* ]] || continue
    target=$(included_layer "$include")
    if [[ $permitted != *" $target "* ]]; then
      echo "layering: $file includes $include ($layer may not use $target)"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard -- base model audio visual export ui dialogs app |
  grep -E '\.(h|cpp)$')
exit $status
