#!/usr/bin/env bash
# Builds the Debian package of Runequill and checks it:
#   scripts/package.sh     installs what is missing (setup.sh), makes an optimised build in
#                          build-package/, runs cpack there, then lintian and desktop-file-validate.
# The package ends up in build-package/; the script fails when lintian reports an error.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
PACKAGE_DIR="$ROOT/build-package"
configure_and_build "$PACKAGE_DIR" -DCMAKE_BUILD_TYPE=Release -DRUNEQUILL_TESTS=OFF -DRUNEQUILL_BENCH=OFF
rm -f "$PACKAGE_DIR"/runequill_*.deb
(cd "$PACKAGE_DIR" && cpack -G DEB)
deb="$(ls "$PACKAGE_DIR"/runequill_*.deb)"

desktop-file-validate "$ROOT/packaging/runequill.desktop"
# Errors fail the script; warnings and notes are shown for the reader.
lintian --fail-on error --info "$deb"
echo "package: $deb"
dpkg-deb --field "$deb"
