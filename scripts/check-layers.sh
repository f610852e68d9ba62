#!/usr/bin/env bash
# check-layers.sh: fails when a file includes a folder above its own layer.
# base <- model <- audio, visual <- export, play <- ui <- dialogs <- app (gui <- cli, and cli
# uses no gui); tests/X and bench may use what X may use (bench and tests/app: everything).
# Every tracked source file belongs to a layer; one in a folder the check does not know fails it.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() {
  case $1 in
    base) echo "" ;;
    model) echo "base" ;;
    audio | visual) echo "base model" ;;
    export) echo "base model audio visual" ;;
    play) echo "base model audio visual export" ;;
    ui) echo "base model audio visual export play" ;;
    dialogs) echo "base model audio visual export play ui" ;;
    app/gui | app/cli) echo "base model audio visual export play ui dialogs" ;;
    app | bench) echo "base model audio visual export play ui dialogs app/gui app/cli" ;;
    *) return 1 ;;
  esac
}

# The layer a source file belongs to: its folder, with app split into gui and cli; a test is in
# the layer it tests, the fuzz targets in the layers of the readers they feed, the helpers all
# tests share (tests/common) in the lowest.
layer_of() {
  case $1 in
    app/gui/* | tests/app/gui/*) echo app/gui ;;
    app/cli/* | tests/app/cli/*) echo app/cli ;;
    app/* | tests/app/*) echo app ;;
    tests/fuzz/*) echo audio ;;
    tests/common/*) echo base ;;
    tests/*/*)
      local rest=${1#tests/}
      echo "${rest%%/*}"
      ;;
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

known=" base model audio visual export play ui dialogs app tests bench "
status=0
while IFS= read -r file; do
  layer=$(layer_of "$file")
  if ! permitted=" $(allowed "$layer") $layer "; then
    echo "layering: $file is in no known layer"
    status=1
    continue
  fi
  while IFS= read -r include; do
    [[ $include == */* ]] || continue
    target=$(included_layer "$include")
    # A test's own helpers ("TestFiles.h" of another test folder) are not program layers.
    [[ $known == *" ${target%%/*} "* && $target != tests ]] || continue
    if [[ $permitted != *" $target "* ]]; then
      echo "layering: $file includes $include ($layer may not use $target)"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' | grep -v '^build')
exit $status
