#include "core/WebView.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/Browser.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/RecipePosting.h"
#include "core/WebLayoutView.h"
#include "render/AppLink.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"
#include "search/SearchLinks.h"

namespace pantrio {

namespace {

// Slots 2 to 5 of the address list when their favourite is empty.
const char* const kDefaultFavorites[] = {
    "https://www.allrecipes.com/",
    "https://www.bbcgoodfood.com/",
    "https://www.epicurious.com/",
    "https://www.seriouseats.com/",
};

std::string TempFolder() {
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir != nullptr && *dir != '\0' ? dir : "/tmp";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

WebView::WebView(ControllerContext context, WebLayoutView* view, Browser* browser)
    : context_(context), view_(view), browser_(browser) {}

WebView::~WebView() {
    for (const std::string& file : tempFiles_) ::unlink(file.c_str());
}

ServiceAddresses WebView::Service() const {
    return ServiceAddresses(context_.settings.ServiceURL);
}

void WebView::Open() {
    const AppSettings& s = context_.settings;
    const std::string favorites[] = {s.URL1, s.URL2, s.URL3, s.URL4, s.URL5};
    addresses_.clear();
    for (int i = 0; i < 5; ++i) {
        const std::string url = Trim(favorites[i]);
        if (!url.empty()) {
            addresses_.push_back(url);
        } else if (i > 0) {
            addresses_.push_back(kDefaultFavorites[i - 1]);
        } else if (Service().Configured()) {
            addresses_.push_back(Service().RecipeArchive());
        }
    }
    if (view_ != nullptr) {
        view_->SetAddressList(addresses_);
        view_->SetWebButtons(false, false);
    }
    if (browser_ != nullptr) browser_->Navigate("about:blank");
}

void WebView::SetAddressList(std::vector<std::string> addresses) {
    addresses_ = std::move(addresses);
    if (view_ != nullptr) view_->SetAddressList(addresses_);
}

int WebView::ClassifyPage(const std::string& source) {
    if (FindNoCase(source, "<!--@PXBEGIN") != std::string::npos) return kImportablePage;
    if (FindNoCase(source, "<!--@PXLOCAL") != std::string::npos) return kLocalPage;
    return kWebPage;
}

int WebView::PageKind() {
    return ClassifyPage(browser_ != nullptr ? browser_->DocumentSource() : std::string());
}

bool WebView::BeforeNavigate(const std::string& address) {
    if (!StartsWithNoCase(address, "app:")) return false;
    OnAppCommand(address.substr(4));
    return true;
}

void WebView::OnAppCommand(const std::string& text) {
    const auto decoded = DecodeAppLink("app:" + text);
    if (!decoded) return;
    // A browser may report the address with slashes after the scheme.
    std::string command = decoded->command;
    while (!command.empty() && command.front() == '/') command.erase(0, 1);
    SearchLink link;
    if (EqualsNoCase(command, "FindPrimaryIngredient")) {
        link = SearchLink::MainIngredient;
    } else if (EqualsNoCase(command, "FindCuisine")) {
        link = SearchLink::Cuisine;
    } else if (EqualsNoCase(command, "FindKeyword")) {
        link = SearchLink::Keyword;
    } else if (EqualsNoCase(command, "FindRecipe")) {
        link = SearchLink::Recipe;
    } else {
        return;
    }
    // The searches take the value upper-cased; the box compares without
    // regard to case. A recipe link whose value is not a number gives no
    // statement.
    if (const auto query = SearchLinkQuery(link, ToUpper(decoded->value)))
        context_.main.Results().FillResults(*query);
}

void WebView::BringToFront() {
    if (view_ == nullptr) return;
    context_.main.SetStatusText("Loading Web View...");
    view_->BringWebViewToFront();
    context_.main.SetStatusText("");
}

void WebView::DownloadBegin() {
    if (quietNextLoad_)
        quietNextLoad_ = false;
    else
        BringToFront();
    if (view_ != nullptr) view_->SetWebButtons(false, false);
}

void WebView::DownloadComplete() {
    const std::string source = browser_ != nullptr ? browser_->DocumentSource() : std::string();
    const int kind = ClassifyPage(source);
    // A recipe site's page can be imported too; the program's own local pages
    // never offer their recipe again.
    const bool importable =
        kind == kImportablePage || (kind == kWebPage && HoldsWebRecipes(source));
    if (view_ != nullptr)
        view_->SetWebButtons(importable,
                             kind != kWebPage && context_.main.CommandEnabled(command::kRate));

    const std::optional<std::string> number = AssignedNumberText(source);
    if (!number || !postingPending) return;
    context_.prompter.Message(
        Format("Thanks for submitting your recipe!  It is recipe number %s.", number->c_str()));
    RecipeController& recipes = context_.main.Recipes();
    if (recipes.Current().UniqueID > 0) return;
    recipes.StoreServiceNumber(*number);
    postingPending = false;
}

void WebView::Back() {
    if (browser_ != nullptr) browser_->Back();
}

void WebView::Forward() {
    if (browser_ != nullptr) browser_->Forward();
}

void WebView::Refresh() {
    if (PageKind() == kLocalPage) {
        ShowCurrentRecipe();
    } else if (browser_ != nullptr) {
        browser_->Refresh();
    }
}

void WebView::Go(const std::string& address) {
    if (browser_ != nullptr) browser_->Navigate(address);
}

std::string WebView::SearchingPage() const {
    return "<HTML><BODY><CENTER><BR><BR><BR><H4>s e a r c h i n g</H4><BR><BR><IMG SRC='" +
           context_.settings.Folders().Data() + "/pantriothumb.gif'><BR><BR>one moment please..." +
           "<BR></CENTER></BODY></HTML>";
}

void WebView::SearchService(const FindCriteria& criteria) {
    if (browser_ == nullptr) return;
    if (!Service().Configured()) return ShowNoServicePage();
    browser_->WriteDocument(SearchingPage());
    browser_->Navigate(Service().Search(criteria));
}

void WebView::SearchServiceText(const std::string& text) {
    if (browser_ == nullptr) return;
    if (!Service().Configured()) return ShowNoServicePage();
    browser_->WriteDocument(SearchingPage());
    browser_->Navigate(Service().SearchText(text));
}

void WebView::ShowServicePage(const std::string& address) {
    if (!Service().Configured()) return ShowNoServicePage();
    context_.main.ShowPage(1);
    if (browser_ != nullptr) browser_->Navigate(address);
    BringToFront();
}

void WebView::ShowNoServicePage() {
    context_.main.ShowPage(1);
    ShowHtmlFile(
        "<HTML><HEAD><TITLE>No recipe service</TITLE></HEAD><BODY><H3>No recipe service is set "
        "up</H3><P>This command works with a recipe service, and none is set up.</P><P>To use "
        "one, enter its address in <B>Recipe service address:</B> on the <B>General</B> page of "
        "<B>Tools &gt; Options...</B>.</P></BODY></HTML>");
    BringToFront();
}

void WebView::OpenServiceRecipe(long serviceNumber) {
    ShowServicePage(Service().RecipePage(serviceNumber));
}

void WebView::TellAFriend() {
    ShowServicePage(Service().TellAFriend());
}

void WebView::CheckForUpdates() {
    if (!Service().Configured()) return ShowNoServicePage();
    int major = 0, minor = 0, micro = 0;
    ProductVersion(major, minor, micro);
    ShowServicePage(Service().UpdateCheck(major, minor, micro));
    context_.main.MarkUpdateChecked();
}

void WebView::ShowWelcomePage() {
    if (browser_ == nullptr) return;
    if (context_.settings.WOnline != 0 && !Service().Configured()) {
        ShowNoServicePage();
    } else if (context_.settings.WOnline != 0) {
        browser_->Navigate(Service().Welcome(context_.settings.RC));
    } else {
        browser_->Navigate(FileUrl(Trim(context_.settings.Folders().Htm() + "/welcome.htm")));
    }
}

void WebView::ToggleExpanded() {
    SetExpanded(!expanded_);
}

void WebView::SetExpanded(bool expanded) {
    expanded_ = expanded;
    if (view_ != nullptr) view_->SetWebViewExpanded(expanded_);
}

void WebView::ShowEditedRecipe() {
    quietNextLoad_ = browser_ != nullptr && view_ != nullptr;
    ShowCurrentRecipe();
}

void WebView::ShowHtmlFile(const std::string& html) {
    const std::string folder = TempFolder();
    std::string path = folder + "/px_XXXXXX.htm";
    const int fd = ::mkstemps(path.data(), 4);
    bool written = false;
    if (fd >= 0) {
        tempFiles_.push_back(path);
        FILE* file = ::fdopen(fd, "wb");
        if (file != nullptr) {
            written = std::fwrite(html.data(), 1, html.size(), file) == html.size();
            written = std::fclose(file) == 0 && written;
        } else {
            ::close(fd);
        }
    }
    if (!written) context_.prompter.Message("Could not create temporary file in " + folder);
    if (browser_ != nullptr) browser_->Navigate(FileUrl(path));
}

void WebView::PostRecipe() {
    std::string page, error;
    if (!ReadTemplateFile(context_.settings.Folders().Data() + "/postrecipe.htm", page, error))
        context_.prompter.Message(error, "Open", Buttons::OK, MessageIcon::Error);
    RecipeController& recipes = context_.main.Recipes();
    RenderContext render = recipes.MakeRenderContext();
    const PostingFields fields = MakePostingFields(recipes.Current(), recipes.ViewTheme(), render);
    context_.main.ShowPage(1);
    if (view_ != nullptr) view_->SetWebButtons(false, false);
    BringToFront();
    // Through a file rather than WriteDocument: a page with a large picture
    // may exceed what the browser takes written in one piece.
    ShowHtmlFile(FillPostingPage(page, fields, Service().Base()));
}

void WebView::ShowCurrentRecipe() {
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.HasCurrent()) {
        ShowWelcomePage();
        return;
    }
    const std::string page = recipes.RenderViewPage();
    ShowHtmlFile(ViewTabDocument(page));
}

}  // namespace pantrio
