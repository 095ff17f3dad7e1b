#!/usr/bin/env bash
# Checks the Debian package that `make package` built: its control fields, and that it holds
# what an installed desktop program needs and nothing that belongs to the system's caches.
set -euo pipefail
fail() { echo "check-package: $*" >&2; exit 1; }
build="$1"
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
deb="$build/pentavo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = pentavo ] || fail "package name is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), expected $version"
[ "$(field Section)" = graphics ] || fail "section is $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends="$(field Depends)"
for need in libqt6widgets6 libqt6printsupport6 libqt6svg6 libqrencode4 qt6-qpa-plugins \
            qt6-image-formats-plugins fonts-liberation2 fonts-symbola fonts-urw-base35; do
    grep -q "\b$need\b" <<<"$depends" || fail "Depends lacks $need: $depends"
done

contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for path in ./usr/bin/pentavo ./usr/bin/pentavo-tool \
            ./usr/share/applications/org.pentavo.Pentavo.desktop \
            ./usr/share/metainfo/org.pentavo.Pentavo.metainfo.xml \
            ./usr/share/mime/packages/org.pentavo.Pentavo.xml \
            ./usr/share/icons/hicolor/scalable/apps/org.pentavo.Pentavo.svg \
            ./usr/share/icons/hicolor/48x48/apps/org.pentavo.Pentavo.png \
            ./usr/share/man/man1/pentavo.1.gz ./usr/share/man/man1/pentavo-tool.1.gz \
            ./usr/share/doc/pentavo/copyright ./usr/share/doc/pentavo/changelog.gz \
            ./usr/share/pentavo/examples/business-card.ptv; do
    grep -qxF "$path" <<<"$contents" || fail "missing $path"
done
# Everything lives under /usr; the MIME database and icon cache are the triggers' to build.
stray="$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./' || true)"
[ -z "$stray" ] || fail "files outside /usr: $stray"
! grep -qE '^\./usr/share/mime/[^p]|icon-theme\.cache' <<<"$contents" || fail "cache files packaged"
echo "check-package: $deb is complete"
