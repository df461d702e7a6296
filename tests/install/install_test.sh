#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed program as a
# user would: from another folder, without PLEXO_HOME, on the bundled example
# and help documents; then validates the desktop entry and the MIME types.
# Usage: install_test.sh BUILD_DIR [CMAKE]
set -euo pipefail
build=$1
cmake=${2:-cmake}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/préfixe"
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/share/plexo"
for file in bin/plexo share/plexo/Jcl.dly share/plexo/Cartouches.dly share/plexo/Symboles.dly \
    "share/plexo/Documentation Plexo.dls" share/plexo/Lisezmoi.dls share/plexo/examples/Exemples.dls \
    share/applications/plexo.desktop share/mime/packages/plexo.xml share/icons/hicolor/scalable/apps/plexo.svg; do
    [ -s "$prefix/$file" ] || fail "$file n'est pas installé"
done

# From another folder, with a home of its own: nothing may depend on the build tree.
mkdir -p "$work/ailleurs" "$work/maison"
cd "$work/ailleurs"
export HOME="$work/maison" QT_QPA_PLATFORM=offscreen
unset PLEXO_HOME XDG_CONFIG_HOME
plexo="$prefix/bin/plexo"
"$plexo" --version | grep -q "Plexo v" || fail "plexo --version"
for document in "$data/examples/Exemples.dls" "$data/Documentation Plexo.dls" "$data/Lisezmoi.dls"; do
    "$plexo" check "$document" >/dev/null || fail "plexo check $document"
done
log=$("$plexo" render "$data/examples/Exemples.dls" --folio 1 --library "$data" -o exemple.png 2>&1) ||
    fail "plexo render : $log"
[ -s exemple.png ] || fail "plexo render n'a pas écrit exemple.png"
if grep -q "impossible de charger" <<<"$log"; then fail "symboles introuvables : $log"; fi
"$plexo" render "$data/Documentation Plexo.dls" --folio 2 --library "$data" -o aide.svg >/dev/null 2>&1 ||
    fail "plexo render de la documentation"
grep -q "outils" aide.svg || fail "le folio 2 de la documentation ne montre pas son texte"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/plexo.desktop" || fail "entrée de bureau invalide"
else
    echo "desktop-file-validate absent : entrée de bureau non validée"
fi
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/mime/packages/plexo.xml" || fail "types MIME : XML invalide"
fi
if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
    grep -q "application/x-plexo-schema:\*\.dls" "$prefix/share/mime/globs2" || fail "type .dls absent"
    grep -q "application/x-plexo-library:\*\.dly" "$prefix/share/mime/globs2" || fail "type .dly absent"
    grep -aq "application/x-plexo-schema" "$prefix/share/mime/magic" || fail "signature .dls absente"
else
    echo "update-mime-database absent : types MIME non vérifiés"
fi
echo "installation correcte"
