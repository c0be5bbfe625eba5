// The tips of the information dialog ("Did you know?"), in the order they
// are shown. The list is fixed; the dialog remembers the index of the last
// tip shown in TipToShowNext.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

// `serviceName` names the recipe service in the tips that mention it.
std::vector<std::string> Tips(const std::string& serviceName);

}  // namespace pantrio
