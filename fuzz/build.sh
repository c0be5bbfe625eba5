#!/bin/sh
# Builds the libFuzzer targets with clang, address and undefined-behaviour
# sanitizers, into build-fuzz/ at the top of the tree (or the folder given).
# See fuzz/README.md for how to run them and where their finds go.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/../build-fuzz"}
mkdir -p "$out"
CXX=${CXX:-clang++}
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I$src"

# The recipe record links the storage layer, and the readers that store
# recipes link the recipe store; these sources come with every such target.
recipe_sources="$(ls "$src"/base/*.cpp "$src"/recipe/*.cpp "$src"/storage/*.cpp)"

"$CXX" $flags "$here/xml_document_fuzz.cpp" \
    "$src/formats/XmlDocument.cpp" "$src/formats/XmlEscapes.cpp" \
    -o "$out/xml_document_fuzz"

"$CXX" $flags "$here/recipe_document_fuzz.cpp" \
    "$src/formats/RecipeDocument.cpp" "$src/formats/XmlDocument.cpp" \
    "$src/formats/XmlEscapes.cpp" $recipe_sources \
    -lsqlite3 -ljpeg -o "$out/recipe_document_fuzz"

"$CXX" $flags "$here/shopping_list_fuzz.cpp" \
    "$src/formats/ShoppingListFile.cpp" "$src/formats/XmlDocument.cpp" \
    "$src/formats/XmlEscapes.cpp" $recipe_sources \
    -lsqlite3 -ljpeg -o "$out/shopping_list_fuzz"

"$CXX" $flags "$here/mealmaster_fuzz.cpp" \
    "$src/formats/MealMasterImport.cpp" "$src/formats/LineReader.cpp" $recipe_sources \
    -lsqlite3 -ljpeg -o "$out/mealmaster_fuzz"

# The MasterCook reader shares the column and line helpers of the MealMaster one.
"$CXX" $flags "$here/mxp_fuzz.cpp" \
    "$src/formats/MxpImport.cpp" "$src/formats/MealMasterImport.cpp" \
    "$src/formats/LineReader.cpp" $recipe_sources \
    -lsqlite3 -ljpeg -o "$out/mxp_fuzz"

# The web page reader needs the HTML5 parser; the JSON parser is header-only.
"$CXX" $flags "$here/jsonld_fuzz.cpp" \
    "$src/formats/JsonLdRecipe.cpp" "$src/formats/WebPageScan.cpp" \
    "$src/render/RecipeJsonLd.cpp" $recipe_sources \
    $(pkg-config --cflags --libs gumbo) -lsqlite3 -ljpeg -o "$out/jsonld_fuzz"

"$CXX" $flags "$here/mx2_fuzz.cpp" \
    "$src/formats/Mx2Import.cpp" "$src/formats/ImportStoring.cpp" \
    "$src/formats/XmlDocument.cpp" "$src/formats/XmlEscapes.cpp" $recipe_sources \
    -lsqlite3 -ljpeg -o "$out/mx2_fuzz"

"$CXX" $flags "$here/jet_translator_fuzz.cpp" \
    "$src/storage/JetTranslator.cpp" "$src/storage/JetTokens.cpp" \
    "$src/storage/StatementShape.cpp" "$src/base/Text.cpp" \
    -o "$out/jet_translator_fuzz"

echo "Fuzz targets in $out"
