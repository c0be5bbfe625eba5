#include "core/OptionsSheet.h"

#include "base/Text.h"
#include "core/AppSettings.h"

namespace pantrio {

const std::vector<std::string>& OptionsSheet::ThemeNames() {
    static const std::vector<std::string> names = {"0 :Default",  "1 :Red Bar",    "2 :Light Blue",
                                                   "3 :Centered", "4 :Compact",    "5 :Elegant",
                                                   "6 :Courier",  "7 :Light Green"};
    return names;
}

void OptionsSheet::Open(const AppSettings& s) {
    general.playSound = s.StartupSound != 0;
    general.showRecipeBoxInfo = s.ShowInfoAtStart != 0;
    general.welcomeFromInternet = s.WOnline != 0;
    general.uiSounds = s.SoundsUI != 0;
    general.longUnits = s.UILF != 0;
    general.combineCompatibleUnits = s.ShopExactUnits == 0;
    general.favoriteUrls = {s.URL1, s.URL2, s.URL3, s.URL4, s.URL5};
    general.serviceUrl = s.ServiceURL;
    // Filled at every opening, so a cancelled edit is not applied by a later
    // OK and an address changed by the mail dialog is not overwritten.
    email.emailAddress = s.EmailAddr;
    email.mailServer = s.SMTPMailServer;
    theme_ = 0;
    SelectTheme(s.HTMLStyle);
}

void OptionsSheet::Apply(AppSettings& s) const {
    s.EmailAddr = email.emailAddress;
    s.SMTPMailServer = email.mailServer;
    s.StartupSound = general.playSound ? 1 : 0;
    s.SoundsUI = general.uiSounds ? 1 : 0;
    s.ShopExactUnits = general.combineCompatibleUnits ? 0 : 1;
    s.ShowInfoAtStart = general.showRecipeBoxInfo ? 1 : 0;
    s.UILF = general.longUnits ? 1 : 0;
    s.WOnline = general.welcomeFromInternet ? 1 : 0;
    s.URL1 = general.favoriteUrls[0];
    s.URL2 = general.favoriteUrls[1];
    s.URL3 = general.favoriteUrls[2];
    s.URL4 = general.favoriteUrls[3];
    s.URL5 = general.favoriteUrls[4];
    s.ServiceURL = Trim(general.serviceUrl);
    s.HTMLStyle = theme_;
}

void OptionsSheet::SelectTheme(int theme) {
    if (theme >= 0 && theme < static_cast<int>(ThemeNames().size())) theme_ = theme;
}

std::string OptionsSheet::PreviewPage() const {
    return renderPreview ? renderPreview(theme_) : std::string();
}

std::vector<std::string> OptionsSheet::Favorites() const {
    std::vector<std::string> out;
    for (const std::string& url : general.favoriteUrls)
        if (!Trim(url).empty()) out.push_back(url);
    return out;
}

}  // namespace pantrio
