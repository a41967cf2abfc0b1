#!/usr/bin/env bash
# Every folder includes only from itself and the folders below it, so that the program is built in
# one direction: platform/ at the bottom, then editor/, settings/, document/, and app/ on top.
# Usage: include_rules.sh SOURCE_DIR. Prints one line per include that breaks the rules.
set -euo pipefail
top="${1:?usage: include_rules.sh SOURCE_DIR}"
cd "$top"

# The one record and the numbers of the shell, which the folders below share on purpose.
shared_shell="app/app_state.h app/command_ids.h app/object_ids.h"

# What a file may include, as folder prefixes ("platform/") or whole paths ("app/app_state.h").
allowed_for() {
  case "$1" in
    app/app_state.h | app/command_ids.h | app/object_ids.h) echo "platform/ $shared_shell" ;;
    platform/*) echo "platform/" ;;
    editor/*) echo "platform/ resources/ editor/ $shared_shell" ;;
    settings/*) echo "platform/ resources/ editor/ settings/ $shared_shell" ;;
    document/*) echo "platform/ resources/ editor/ settings/ document/ $shared_shell" ;;
    app/*) echo "platform/ editor/ settings/ document/ app/ resources/" ;;
    resources/*) echo "resources/" ;;
  esac
}

# The shell's shared headers have a rule of their own; every other file follows its folder's.
rule_name() {
  case " $shared_shell " in
    *" $1 "*) echo "$1" ;;
    *) echo "${1%%/*}/" ;;
  esac
}

failures=0
while IFS= read -r file; do
  allowed=$(allowed_for "$file")
  while IFS=: read -r line included; do
    ok=false
    for entry in $allowed; do
      case "$entry" in
        */) [[ "$included" == "$entry"* ]] && ok=true ;;
        *) [[ "$included" == "$entry" ]] && ok=true ;;
      esac
    done
    if [[ "$included" != */* || "$included" == *..* ]]; then
      ok=false
    fi
    if ! $ok; then
      echo "$file:$line: includes \"$included\", but $(rule_name "$file") may include only: $allowed"
      failures=$((failures + 1))
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
done < <(find app platform editor settings document resources -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) across the folder rules (see README, Layout)"
  exit 1
fi
echo "every include follows the folder rules"
