#!/usr/bin/env bash
# Installs what building, running and testing need, when it is missing.
set -euo pipefail
packages=(build-essential cmake ccache pkg-config libwxgtk3.2-dev googletest libgtest-dev
          libgmock-dev libbenchmark-dev xvfb xauth openbox libx11-dev x11-utils locales
          clang libclang-rt-14-dev poppler-utils libbluetooth-dev libdbus-1-dev
          libhidapi-dev libglib2.0-dev python3-dbus python3-gi)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The tests read and write numbers in a comma-decimal locale.
for loc in de_DE.UTF-8 en_US.UTF-8; do
    if ! locale -a 2>/dev/null | grep -qi "^${loc%.UTF-8}.utf8$"; then
        sed -i "s/^# *${loc} UTF-8/${loc} UTF-8/" /etc/locale.gen
        grep -q "^${loc} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" >> /etc/locale.gen
        need_gen=1
    fi
done
if [ "${need_gen:-0}" = 1 ]; then locale-gen >/dev/null; fi
