#!/usr/bin/env bash
# Fails when a lower layer includes a header of a layer above it, or a window header.
# Usage: check_layers.sh [source root]   (default: the repository this script lives in)
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root/src"

# Folder (or file list) -> the src/ folders its includes may name.
declare -A allowed=(
  [protocol]="protocol"
  [net]="net protocol"
  [cards]="cards"
  [host]="host net protocol cards"
  [client]="client net protocol cards"
  [settings]="settings"
  [tally]="tally settings"
  [social]="social settings protocol"
  [history]="history client net protocol cards"
)

# The model part of src/social is what its widget-free targets build, with their headers.
social_model_files() {
  [ -f social/CMakeLists.txt ] || return 0
  # The widget-free targets: chat, phrases and what is heard.
  sed -n -E '/add_library\(lastling_(chat|phrases|soundmodel) /,/\)/p' social/CMakeLists.txt |
    grep -oE '[a-z_]+\.cpp' | while read -r source; do
      base=social/${source%.cpp}
      for file in "$base.cpp" "$base.h"; do [ -f "$file" ] && echo "$file"; done
    done
  # Header-only files (shared constants such as the chat colours) are held to the model's rules.
  for header in social/*.h; do
    [ -f "${header%.h}.cpp" ] || echo "$header"
  done
}

files_of() {
  case "$1" in
    social) social_model_files | sort -u ;;
    tally) find tally -path tally/ui -prune -o \( -name '*.h' -o -name '*.cpp' \) -print ;; # ui/: its window
    *) find "$1" -name '*.h' -o -name '*.cpp' ;;
  esac
}

# Qt headers of the window modules, found where the Qt headers are installed.
qt_root=$(find /usr/include /usr/local/include -maxdepth 3 -type d -name QtCore 2>/dev/null | head -1 || true)
window_header() {
  [ -n "$qt_root" ] || return 1
  local modules; modules=$(dirname "$qt_root")
  for module in QtGui QtWidgets QtMultimedia QtMultimediaWidgets QtOpenGLWidgets; do
    [ -e "$modules/$module/$1" ] && return 0
  done
  return 1
}

model_files=" $(social_model_files | sort -u | tr '\n' ' ') "
failures=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while read -r file; do
    [ -n "$file" ] || continue
    while IFS= read -r line; do
      case "$line" in
        *'#include "'*/*'"'*)
          target=${line#*\"}; target=${target%%\"*}; folder=${target%%/*}
          if [[ " ${allowed[$layer]} " != *" $folder "* ]]; then
            echo "$file: $line (layer '$layer' may include only: ${allowed[$layer]})"
            failures=$((failures + 1))
          elif [ "$layer" = social ] && [ "$folder" = social ] &&
               [[ "$model_files" != *" $target "* ]]; then
            echo "$file: $line (the chat model may not include the chat view)"
            failures=$((failures + 1))
          fi ;;
        *'#include <Q'*'>'*)
          header=${line#*<}; header=${header%%>*}
          if [ "$layer" = protocol ] || window_header "$header"; then
            echo "$file: $line (no ${layer} file may include this Qt header)"
            failures=$((failures + 1))
          fi ;;
      esac
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(files_of "$layer")
done

if [ "$failures" -gt 0 ]; then
  echo "check_layers: $failures include(s) reach above their layer" >&2
  exit 1
fi
echo "check_layers: every layer includes only itself and the layers below"
