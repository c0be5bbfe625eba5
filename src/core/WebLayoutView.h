// The View tab's surroundings as the web view's logic (WebView) sees them:
// the tab itself, its enlarged layout, its Import and Rate buttons and its
// address list. The browser inside the tab is the Browser interface.
#pragma once

#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace pantrio {

class WebLayoutView {
public:
    virtual ~WebLayoutView() = default;

    // Brings the View tab in front of the other recipe tabs.
    virtual void BringWebViewToFront() {}
    // Lays the web view out enlarged (the results list vanishes) or normal.
    virtual void SetWebViewExpanded(bool /*expanded*/) {}
    // Shows or hides the web view's Import and Rate buttons (their inactive
    // images take their place when hidden).
    virtual void SetWebButtons(bool /*importShown*/, bool /*rateShown*/) {}
    // The entries of the web view's address list.
    virtual void SetAddressList(const std::vector<std::string>& /*addresses*/) {}
    // The recipes a web page holds, listed by title with a check box each,
    // all ticked: the indexes of the ticked ones in list order, nothing on
    // Cancel. Without a window every recipe is taken.
    virtual std::optional<std::vector<int>> ChooseWebRecipes(
        const std::vector<std::string>& titles) {
        std::vector<int> all(titles.size());
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
};

}  // namespace pantrio
