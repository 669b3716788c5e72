#!/usr/bin/env bash
# Makes source packages reachable for apt-get source: adds deb-src entries derived from the machine's
# own apt sources (same mirrors, suites and components), then refreshes the package lists once.
set -euo pipefail
list=/etc/apt/sources.list.d/quendrel-deb-src.sources
if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  exit 0
fi
[ "$(id -u)" = 0 ] || { echo "ensure-deb-src: needs root to add deb-src entries" >&2; exit 1; }
{
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    case "$f" in *quendrel-deb-src*) continue;; esac
    sed -e 's/^Types:.*/Types: deb-src/' "$f"; echo
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' || true
  fi
} > /tmp/quendrel-deb-src.$$
if [ -f /etc/apt/sources.list ] && grep -q '^deb-src ' /tmp/quendrel-deb-src.$$; then
  grep '^deb-src ' /tmp/quendrel-deb-src.$$ > /etc/apt/sources.list.d/quendrel-deb-src.list
  grep -v '^deb-src ' /tmp/quendrel-deb-src.$$ > "$list" || true
else
  mv /tmp/quendrel-deb-src.$$ "$list"
fi
rm -f /tmp/quendrel-deb-src.$$
apt-get update >/dev/null
