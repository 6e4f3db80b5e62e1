#!/usr/bin/env bash
# Makes the word-processor templates shipped in data/Data with the office helper's own mode:
#   Template.Doc   landscape, for "SAVE:WORDH"
#   TemplateH.Doc  portrait, for "SAVE:WORDV" and the PDF export
# Usage: tools/office/make-templates.sh [path of orvelquorvink-office]
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
helper="${1:-$top/build/bin/orvelquorvink-office}"
"$helper" --make-template "$top/data/Data/Template.Doc" landscape >/dev/null
"$helper" --make-template "$top/data/Data/TemplateH.Doc" portrait >/dev/null
echo "Made $top/data/Data/Template.Doc and $top/data/Data/TemplateH.Doc"
