// The per-user settings: one member per stored value, named after it. Loaded
// once at start-up and saved when the main window closes (and by the options
// dialog). A missing value reads as its default; the mail texts are stored
// shifted (ShiftedText.h). The folders of the data root hang off
// MyPantrioRecipes (see Folders()).
#pragma once

#include <cstdint>
#include <string>

#include "core/DataFolders.h"

namespace pantrio {

class SettingsStore;

class AppSettings {
public:
    // Reads every value; missing or unreadable values take their defaults.
    // An empty MyPantrioRecipes becomes `defaultRoot` (normally
    // DataFolders::DefaultRoot()); CookbookPath and SystemDatabasePath are
    // left as stored, see ApplyPathDefaults.
    void Load(const SettingsStore& store, const std::string& defaultRoot);

    // Gives an empty CookbookPath and SystemDatabasePath their defaults under
    // the data root; true when one of them was empty.
    bool ApplyPathDefaults();

    // Writes every value except MyPantrioRecipes, SystemDatabasePath and RC
    // into the store and flushes it; false when the store could not be
    // written. UserInfo is written empty unless KeepPW is set.
    bool Save(SettingsStore& store) const;

    // The last update-check day, when it is a real calendar date.
    bool LastCheckValid() const;

    DataFolders Folders() const { return DataFolders(MyPantrioRecipes); }

    std::string MyPantrioRecipes;
    std::string CookbookPath;
    std::string SystemDatabasePath;
    std::string PicturePath;
    int HTMLStyle = 0;
    int TipToShowNext = 0;
    int ShowInfoAtStart = 0;
    int StartupSound = 0;
    int SoundsUI = 0;
    int RC = 0;  // the run count as read at start-up
    int iLastCheckedYear = 0;
    int iLastCheckedMonth = 0;
    int iLastCheckedDay = 0;
    int RatedRec = 0;
    int ImportedRec = 0;
    int SWT = 0;
    int WOnline = 0;
    int UILF = 0;
    // 1 when the combined shopping list adds up identical units only; 0 (the
    // default) also adds up compatible units of one kind.
    int ShopExactUnits = 0;
    std::string URL1, URL2, URL3, URL4, URL5;
    std::string SMTPMailServer;
    std::string EmailAddr;
    std::string UserName;
    std::string UserInfo;
    int AuthMode = 0;
    int KeepPW = 0;
    // How mail reaches the server: the port, the protection (0 none, 1
    // STARTTLS, 2 TLS from the start; MailSecurity's order), a CA file that
    // verifies the server instead of the system's trust store, and 1 once
    // the user confirmed that a login may travel unencrypted.
    int SMTPPort = 25;
    int SMTPSecurity = 0;
    std::string SMTPCAFile;
    int SMTPPlainLogin = 0;
    int FilterDlgX = 200;
    int FilterDlgY = 100;
    int iColIngW1 = 0, iColIngW2 = 0, iColIngW3 = 0, iColIngW4 = 0, iColIngW5 = 0, iColIngW6 = 0;
    int iColSLW1 = 0, iColSLW2 = 0, iColSLW3 = 0, iColSLW4 = 0, iColSLW5 = 0;
    int iColMPBrkName = 150, iColMPLunName = 150, iColMPDinName = 150, iColMPSnaName = 150;
    int iColMPBrkScale = 40, iColMPLunScale = 40, iColMPDinScale = 40, iColMPSnaScale = 40;
    // The recipe service the web view, the mail footers and the pages link to.
    // Empty means none is set up: there is no vendor site to fall back on, so
    // the service commands say so instead of failing to connect.
    std::string ServiceURL;
    std::string ServiceName = "Pantrio Recipe Exchange";
};

}  // namespace pantrio
