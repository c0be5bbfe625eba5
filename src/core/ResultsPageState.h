// What the results page shows above and around its list: the captions of the
// view and keyword selector buttons (the view query is built from them) and
// the column whose header click ordered the list.
#pragma once

#include <string>

#include "search/ViewQuery.h"

namespace pantrio {

struct ResultsPageState {
    std::string viewCaption = kInitialViewCaption;
    std::string keywordCaption = kInitialKeywordCaption;
    // 0 (by title) or 2 (by rating) after a header click; -1 while the list
    // shows any other listing.
    int sortColumn = -1;
};

}  // namespace pantrio
