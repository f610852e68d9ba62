#!/usr/bin/env bash
# check-names.sh: fails when program code leaves the naming style of docs/decisions/0025: every
# source file of the program, its tests and benchmarks opens the umbrascope namespace, and no
# identifier spells colour the British way (Qt and the session's own fields say Color).
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r file; do
  # a file that holds nothing but main() or only includes has nothing to put in the namespace
  if ! grep -qE '^(namespace umbrascope \{|using namespace umbrascope;)' "$file"; then
    echo "names: $file does not open the umbrascope namespace"
    status=1
  fi
done < <(git ls-files 'base/*' 'model/*' 'audio/*' 'visual/*' 'export/*' 'play/*' 'ui/*' \
  'dialogs/*' 'app/*' 'tests/*' 'bench/*' | grep -E '\.(h|cpp)$')
# identifiers only: strip comments and string literals before looking
if git ls-files '*.h' '*.cpp' | xargs sed -E 's/R"\(.*\)"//g; s://.*$::; s/"([^"\\]|\\.)*"//g' |
  grep -nE '\b[A-Za-z_]*[Cc]olour[A-Za-z_]*\b' | grep -vE '^\s*\*' | head -5 | grep .; then
  echo "names: identifiers above spell Colour; the program's identifiers say Color"
  status=1
fi
exit $status
