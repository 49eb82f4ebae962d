#!/bin/sh
# Refreshes the English catalogue from the sources: new texts are added untranslated, existing
# translations are kept, texts no longer in the sources are dropped. No translation is guessed from a
# similar text: lrelease would ship the guess unreviewed. Needs lupdate (qttools5-dev-tools).
# Usage: tools/update-translations.sh [CATALOGUE]   (default resources/testryn_EN.ts)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
catalogue=$(realpath -m "${1:-$root/resources/testryn_EN.ts}")
cd "$root"
exec lupdate -silent -no-obsolete -locations none -extensions cpp,h \
    -disable-heuristic sametext -disable-heuristic similartext \
    -source-language ru_RU -target-language en_GB \
    app comm controller units events settings files trends \
    -ts "$catalogue"
