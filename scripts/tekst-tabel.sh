#!/usr/bin/env bash
# Fails, naming them, when entries of the catalogue (the constants of core/text/Teksten.h) are
# missing from its exported table (core/text/TekstTabel.cpp) or the table names one it lacks.
set -euo pipefail
cd "$(dirname "$0")/.."
catalogue=$(sed -n 's/^inline constexpr const char\* \([A-Za-z0-9_]*\) =.*/\1/p' core/text/Teksten.h | sort)
table=$(sed -n 's/^ *TEKST(\([A-Za-z0-9_]*\)),$/\1/p' core/text/TekstTabel.cpp | sort)
missing=$(comm -23 <(echo "$catalogue") <(echo "$table"))
extra=$(comm -13 <(echo "$catalogue") <(echo "$table"))
[ -n "$missing" ] && echo "Not in core/text/TekstTabel.cpp:" $missing
[ -n "$extra" ] && echo "In core/text/TekstTabel.cpp but not in Teksten.h:" $extra
[ -z "$missing$extra" ]
