// The options sheet ("General", "Email Setup", "Recipe Themes"): the values
// its pages edit, kept apart from the settings until OK. Open copies the
// settings into the pages; the front end shows and edits the public fields;
// Apply writes them back. Cancel is simply not calling Apply.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace pantrio {

class AppSettings;

class OptionsSheet {
public:
    static constexpr const char* kGeneralPage = "General";
    static constexpr const char* kEmailPage = "Email Setup";
    static constexpr const char* kThemesPage = "Recipe Themes";

    struct GeneralPage {
        bool playSound = false;            // "Play Sound" (StartupSound)
        bool showRecipeBoxInfo = false;    // "Show Recipe Box Info" (ShowInfoAtStart)
        bool welcomeFromInternet = false;  // "Welcome Page from Internet" (WOnline)
        bool uiSounds = false;             // "UI Sounds" (SoundsUI)
        bool longUnits = false;            // "Display units in long form" (UILF)
        // "Combine compatible units" (ShopExactUnits 0): the combined shopping
        // list also adds up units of one kind.
        bool combineCompatibleUnits = true;
        std::array<std::string, 5> favoriteUrls;  // "Favorite URLs:" 1 to 5 (URL1..URL5)
        std::string serviceUrl;  // "Recipe service address:" (ServiceURL); empty for none
    };
    struct EmailPage {
        std::string emailAddress;  // "Your email address:" (EmailAddr)
        std::string mailServer;    // "Mail (SMTP) server:" (SMTPMailServer)
    };

    // The eight entries of "Recipe Style:"; the index is the theme number.
    static const std::vector<std::string>& ThemeNames();

    // Fills every page from the settings.
    void Open(const AppSettings& settings);
    // Writes the pages into the settings (OK).
    void Apply(AppSettings& settings) const;

    // The theme chosen in the list; a number outside the list is ignored.
    int Theme() const { return theme_; }
    void SelectTheme(int theme);
    // The current recipe rendered in the chosen theme for the preview pane;
    // empty when no renderer is installed.
    std::string PreviewPage() const;

    // The non-empty favourite addresses in the order 1 to 5.
    std::vector<std::string> Favorites() const;

    GeneralPage general;
    EmailPage email;
    // The page shown first (one of the captions above).
    std::string startPage = kGeneralPage;
    // Renders the current recipe in a theme (installed by the main window).
    std::function<std::string(int theme)> renderPreview;

private:
    int theme_ = 0;
};

}  // namespace pantrio
