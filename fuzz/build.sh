#!/bin/sh
# Builds the libFuzzer targets of the document readers with clang, address
# and undefined-behaviour sanitizers, into build-fuzz/ at the top of the tree
# (or the folder given).
# Run one with its seed corpus, for example:
#   build-fuzz/xml_document_fuzz -max_total_time=60 tests/data/rxf
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/../build-fuzz"}
mkdir -p "$out"
CXX=${CXX:-clang++}
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I$src"

"$CXX" $flags "$here/xml_document_fuzz.cpp" \
    "$src/formats/XmlDocument.cpp" "$src/formats/XmlEscapes.cpp" \
    -o "$out/xml_document_fuzz"

# The recipe reader needs the recipe record, which links the storage layer.
"$CXX" $flags "$here/recipe_document_fuzz.cpp" \
    "$src/formats/RecipeDocument.cpp" "$src/formats/XmlDocument.cpp" \
    "$src/formats/XmlEscapes.cpp" "$src"/base/*.cpp "$src"/recipe/*.cpp "$src"/storage/*.cpp \
    -lsqlite3 -o "$out/recipe_document_fuzz"
echo "Fuzz targets in $out"
