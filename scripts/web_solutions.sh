#!/usr/bin/env bash
# Plays every shipped level's solution with the level tool built for Linux
# and with the one built for the browser (run under node), and compares
# their result lines, which must be identical: the same script gives the
# same run everywhere.
#
#   bash scripts/web_solutions.sh LINUX_BUILD WEB_BUILD
set -euo pipefail
linux=$(cd "$1" && pwd)
web=$(cd "$2" && pwd)
levels=$(cd "$(dirname "$0")/../levels" && pwd)
passed=0
failed=0
for solution in "$levels"/lvlpck*/*.solution; do
  level=${solution%.solution}
  level=${level%.alt}.txt   # NNN.alt.solution plays level NNN by its other route
  name=${solution#"$levels"/}
  expected=$("$linux/zdltool" play "$level" --inputs "$solution" --game "$linux/game" 2>&1 | tail -1)
  got=$(node --no-experimental-fetch "$web/zdltool.js" play "$level" --inputs "$solution" \
          --game "$web/game" 2>&1 | tail -1)
  if [ "$got" = "$expected" ] && [[ "$expected" == result* ]]; then
    passed=$((passed + 1))
  else
    echo "web solutions: FAILED: $name: Linux '$expected', browser build '$got'"
    failed=$((failed + 1))
  fi
done
[ "$failed" -eq 0 ] && echo "web solutions: every shipped solution gives the same result line in both builds"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
