// libFuzzer target for the MasterCook MXP reader: any bytes, split into lines the
// way the line reader splits them, must parse without crashing, hanging or
// producing a recipe beyond the record's limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Text.h"
#include "formats/MxpImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pantrio::MxpParser parser;
    parser.onRecipe = [](pantrio::Recipe& recipe) {
        if (recipe.LineCount() > pantrio::Recipe::kMaxLines) std::abort();
    };
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string line;
    long number = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\r') {
            parser.Feed(pantrio::EnsureUtf8(line), ++number);
            line.clear();
        } else if (bytes[i] != '\0') {
            line += bytes[i];
        }
    }
    parser.Finish(false, number);
    return 0;
}
