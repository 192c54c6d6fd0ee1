#!/usr/bin/env bash
# Runs the hostile-folder cases that need denied permissions as the unprivileged user nobody,
# for whom a missing permission bit really denies: root would be let through.
set -euo pipefail
tests=$1
filter='Cases/HostileFolderTest.*/AsUser_*'
if [ "$(id -u)" -ne 0 ]; then
    exec "$tests" --gtest_filter="$filter"
fi

work=$(mktemp -d /tmp/quorvant-as-user-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp" "$work/home"
# The display's cookie, which only root may read where xvfb-run put it.
if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
    cp "$XAUTHORITY" "$work/Xauthority"
    export XAUTHORITY=$work/Xauthority
fi
chown -R nobody:nogroup "$work"
chmod 755 "$work"
status=0
TMPDIR=$work/tmp HOME=$work/home \
    setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all --bounding-set=-all \
    "$tests" --gtest_filter="$filter" 2>&1 | tee "$work/output" ||
    status=$?
# Skipped cases would mean that the rights were not dropped after all.
if grep -q '\[  SKIPPED \]' "$work/output" || ! grep -Eq '\[  PASSED  \] [1-9]' "$work/output"; then
    echo "the cases did not all run as nobody" >&2
    exit 1
fi
exit "$status"
