// The inputs that fuzzing found and that are kept as regression tests:
// every file of tests/data/fuzz/<target>, with its name, sorted by name.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace pantrio::test {

inline std::vector<std::pair<std::string, std::string>> FuzzInputs(const std::string& target) {
    std::vector<std::pair<std::string, std::string>> inputs;
    const std::filesystem::path folder =
        std::filesystem::path(PANTRIO_TEST_DATA_DIR) / "fuzz" / target;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        inputs.emplace_back(entry.path().filename().string(), std::move(bytes));
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace pantrio::test
