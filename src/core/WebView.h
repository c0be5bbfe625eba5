// The logic of the View tab: an embedded browser that shows the current
// recipe's page, the recipe service's pages and any page the user types in.
// It runs the program's own app: links as searches, tells local recipe pages,
// importable pages and web pages apart by their markers, and builds the
// service's addresses. The browser itself is reached through the Browser
// interface; the front end reports each load's begin and end here. The tab
// around the browser is the WebLayoutView it is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ControllerContext.h"
#include "core/ServiceAddresses.h"

namespace pantrio {

class Browser;
class WebLayoutView;
struct FindCriteria;
class Recipe;

struct PageImportResult {
    int recipeID = -1;       // the recipe made current; -1 when nothing was imported
    bool newRecipe = false;  // false for a duplicate already in the box
    // The picture address the page gives for that recipe when it is new,
    // as written (it may be relative to the page); empty when none.
    std::string pictureAddress;
};

class WebView {
public:
    // The three kinds of page (PageKind).
    static constexpr int kImportablePage = 2;
    static constexpr int kLocalPage = 1;
    static constexpr int kWebPage = 255;

    WebView(ControllerContext context, WebLayoutView* view, Browser* browser);
    // Removes the temporary page files written during the run.
    ~WebView();
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    Browser* browser() const { return browser_; }

    // Builds the address list (the favourites, or their defaults), hides the
    // Import and Rate buttons and shows an empty page.
    void Open();
    const std::vector<std::string>& AddressList() const { return addresses_; }
    // After the options' OK: the list holds the non-empty favourites only.
    void SetAddressList(std::vector<std::string> addresses);

    // The kind of the page `source` holds: importable (2) when it contains
    // "<!--@PXBEGIN", local (1) when it contains "<!--@PXLOCAL", else web
    // (255); letter case is ignored.
    static int ClassifyPage(const std::string& source);
    int PageKind();

    // Called before every navigation: an "app:" address (any letter case) is
    // cancelled and run as a link command. True when the navigation is to be
    // cancelled.
    bool BeforeNavigate(const std::string& address);
    // Runs the link command that followed "app:": fills the results list.
    void OnAppCommand(const std::string& text);

    // A load begins: the View tab comes to the front and the Import button
    // hides.
    void DownloadBegin();
    // A load completed: the Import and Rate buttons follow the page kind,
    // and a service answer carrying the number of a first posting is stored.
    void DownloadComplete();

    // The navigation bar: Back, Forward, Refresh, Home and Go.
    void Back();
    void Forward();
    // A local recipe page is rendered anew; any other page reloads.
    void Refresh();
    void Go(const std::string& address);

    // The service pages.
    void SearchService(const FindCriteria& criteria);
    void SearchServiceText(const std::string& text);
    void OpenServiceRecipe(long serviceNumber);
    void TellAFriend();
    // Opens the update-check page and stores today as the last check day.
    void CheckForUpdates();
    // The service's welcome page (WOnline) or the local one.
    void ShowWelcomePage();
    // Opens an address of the service in the View tab, bringing it forward.
    void ShowServicePage(const std::string& address);
    // The local page shown instead of the service's when none is set up.
    void ShowNoServicePage();

    // Post Recipe, after its questions: fills the posting form of the Data
    // folder ("postrecipe.htm") with the current recipe and shows it, for
    // the user to send to the service. A missing form is reported with the
    // "Open" message box and shown unfilled.
    void PostRecipe();

    // The enlarged layout of the view.
    void ToggleExpanded();
    void SetExpanded(bool expanded);
    bool Expanded() const { return expanded_; }

    // Writes `html` to a new temporary file ("px_...") and navigates there.
    void ShowHtmlFile(const std::string& html);
    // The current recipe's page, or the welcome page when there is none.
    void ShowCurrentRecipe();
    // The same after an edit of the recipe: the page is rendered anew while
    // the user stays on the tab they are editing in (the load that follows
    // does not bring the View tab to the front).
    void ShowEditedRecipe();

    // The page written while a search goes to the service.
    std::string SearchingPage() const;
    ServiceAddresses Service() const;

    // Whether the web page `source` describes recipes with schema.org data
    // (JSON-LD or microdata), which the Import button can store.
    static bool HoldsWebRecipes(const std::string& source);

    // The Import button (and the Rate button on an importable page): imports
    // the recipe embedded in the page `source` into the open box with the
    // import progress window, then lists and shows it (the web view returns
    // to its normal size). A page without an embedded exchange document gives
    // the schema.org recipes it describes: of several, the view offers a
    // checklist and only the ticked ones are stored (nothing on Cancel); they
    // are listed and the first is shown. A new recipe plays the web-import sound and counts in
    // ImportedRec.
    PageImportResult ImportPage(const std::string& source);

    // The picture of an imported recipe, fetched by the front end from the
    // page's picture address: stored like a picture the user chose when the
    // recipe is still the one shown. `failure` says why nothing was fetched;
    // the status text tells the user either way.
    void StorePagePicture(int recipeID, std::string_view jpeg, const std::string& address,
                          const std::string& failure);

    // Set when a recipe is posted for the first time; cleared when the
    // number the service assigned has been stored.
    bool postingPending = false;

private:
    void BringToFront();
    // Stores `recipe` with SaveAsNew; for a duplicate, finds the copy already
    // stored. The recipe's number in the box, or -1 when neither worked.
    int StoreOrFind(Recipe& recipe, bool& stored);
    // Lists the recipes `ids` and shows the first; the sound and the count
    // of imported recipes when `anyNew`.
    void ShowImported(const std::vector<int>& ids, bool anyNew);

    ControllerContext context_;
    WebLayoutView* view_;
    Browser* browser_;
    std::vector<std::string> addresses_;
    std::vector<std::string> tempFiles_;
    bool expanded_ = false;
    bool quietNextLoad_ = false;
};

}  // namespace pantrio
