#!/usr/bin/env bash
# Installs what is missing, builds Plexo (Release) and starts it on the bundled
# example material, opening the files given on the command line.
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)

tools/deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f build/release/CMakeCache.txt ]; then
    cmake -S . -B build/release "${generator[@]}" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build/release --target plexo -j "$(nproc)"

files=()
for f in "$@"; do
    files+=("$(realpath -m "$f")")
done
if [ ${#files[@]} -eq 0 ]; then
    # The build writes the example documents (and the symbol libraries beside plexo).
    for f in "$top"/build/release/examples/*.dls "$top"/res/examples/*.mid; do
        [ -e "$f" ] && files+=("$f")
    done
fi

exe="$top/build/release/bin/plexo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Pas d'affichage (DISPLAY et WAYLAND_DISPLAY vides) : Plexo démarre sous Xvfb."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$exe" "${files[@]}"
fi
exec "$exe" "${files[@]}"
