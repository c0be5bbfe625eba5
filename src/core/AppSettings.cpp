#include "core/AppSettings.h"

#include "core/SettingsStore.h"
#include "core/ShiftedText.h"

namespace pantrio {

namespace {

// The members stored as plain numbers and texts, by value name. The values
// with a rule of their own (defaults that depend on the stored value, shifted
// texts, the run count, the last-check day) are handled apart.
struct NumberValue {
    const char* name;
    int AppSettings::*member;
};
struct TextValue {
    const char* name;
    std::string AppSettings::*member;
};

constexpr NumberValue kNumbers[] = {
    {"HTMLStyle", &AppSettings::HTMLStyle},
    {"TipToShowNext", &AppSettings::TipToShowNext},
    {"ShowInfoAtStart", &AppSettings::ShowInfoAtStart},
    {"StartupSound", &AppSettings::StartupSound},
    {"SoundsUI", &AppSettings::SoundsUI},
    {"ShopExactUnits", &AppSettings::ShopExactUnits},
    {"RatedRec", &AppSettings::RatedRec},
    {"ImportedRec", &AppSettings::ImportedRec},
    {"SWT", &AppSettings::SWT},
    {"WOnline", &AppSettings::WOnline},
    {"UILF", &AppSettings::UILF},
    {"AuthMode", &AppSettings::AuthMode},
    {"KeepPW", &AppSettings::KeepPW},
    {"SMTPSecurity", &AppSettings::SMTPSecurity},
    {"SMTPPlainLogin", &AppSettings::SMTPPlainLogin},
    {"iColIngW1", &AppSettings::iColIngW1},
    {"iColIngW2", &AppSettings::iColIngW2},
    {"iColIngW3", &AppSettings::iColIngW3},
    {"iColIngW4", &AppSettings::iColIngW4},
    {"iColIngW5", &AppSettings::iColIngW5},
    {"iColIngW6", &AppSettings::iColIngW6},
    {"iColSLW1", &AppSettings::iColSLW1},
    {"iColSLW2", &AppSettings::iColSLW2},
    {"iColSLW3", &AppSettings::iColSLW3},
    {"iColSLW4", &AppSettings::iColSLW4},
    {"iColSLW5", &AppSettings::iColSLW5},
};

// Read as stored, defaulting when 0.
struct DefaultWhenZero {
    const char* name;
    int AppSettings::*member;
    int fallback;
};
constexpr DefaultWhenZero kWhenZero[] = {
    {"FilterDlgX", &AppSettings::FilterDlgX, 200},
    {"FilterDlgY", &AppSettings::FilterDlgY, 100},
    {"SMTPPort", &AppSettings::SMTPPort, 25},
};

// Column widths of the meal-plan lists, defaulting when below 1.
constexpr DefaultWhenZero kWhenBelowOne[] = {
    {"iColMPBrkName", &AppSettings::iColMPBrkName, 150},
    {"iColMPLunName", &AppSettings::iColMPLunName, 150},
    {"iColMPDinName", &AppSettings::iColMPDinName, 150},
    {"iColMPSnaName", &AppSettings::iColMPSnaName, 150},
    {"iColMPBrkScale", &AppSettings::iColMPBrkScale, 40},
    {"iColMPLunScale", &AppSettings::iColMPLunScale, 40},
    {"iColMPDinScale", &AppSettings::iColMPDinScale, 40},
    {"iColMPSnaScale", &AppSettings::iColMPSnaScale, 40},
};

constexpr TextValue kTexts[] = {
    {"CookbookPath", &AppSettings::CookbookPath},
    {"PicturePath", &AppSettings::PicturePath},
    {"SMTPCAFile", &AppSettings::SMTPCAFile},
    {"URL1", &AppSettings::URL1},
    {"URL2", &AppSettings::URL2},
    {"URL3", &AppSettings::URL3},
    {"URL4", &AppSettings::URL4},
    {"URL5", &AppSettings::URL5},
};

constexpr TextValue kShiftedTexts[] = {
    {"SMTPMailServer", &AppSettings::SMTPMailServer},
    {"EmailAddr", &AppSettings::EmailAddr},
    {"UserName", &AppSettings::UserName},
    {"UserInfo", &AppSettings::UserInfo},
};

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

}  // namespace

void AppSettings::Load(const SettingsStore& store, const std::string& defaultRoot) {
    *this = AppSettings();
    auto number = [&](const char* name, int fallback) {
        return static_cast<int>(store.ReadNumber(name).value_or(fallback));
    };
    auto text = [&](const char* name, const std::string& fallback = {}) {
        return store.ReadText(name).value_or(fallback);
    };

    MyPantrioRecipes = text("MyPantrioRecipes");
    if (MyPantrioRecipes.empty()) MyPantrioRecipes = defaultRoot;
    SystemDatabasePath = text("SystemDatabasePath");
    for (const auto& v : kTexts) this->*v.member = text(v.name);
    for (const auto& v : kShiftedTexts) this->*v.member = UnshiftText(text(v.name));
    for (const auto& v : kNumbers) this->*v.member = number(v.name, 0);
    for (const auto& v : kWhenZero) {
        const int value = number(v.name, 0);
        this->*v.member = value == 0 ? v.fallback : value;
    }
    for (const auto& v : kWhenBelowOne) {
        const int value = number(v.name, 0);
        this->*v.member = value < 1 ? v.fallback : value;
    }
    RC = number("RC", 0);
    iLastCheckedYear = number("iLastCheckedYear", 0);
    iLastCheckedMonth = number("iLastCheckedMonth", 0);
    iLastCheckedDay = number("iLastCheckedDay", 0);
    ServiceURL = text("ServiceURL", ServiceURL);
    ServiceName = text("ServiceName", ServiceName);
}

bool AppSettings::ApplyPathDefaults() {
    bool changed = false;
    const DataFolders folders = Folders();
    if (CookbookPath.empty()) {
        CookbookPath = folders.StandardBox();
        changed = true;
    }
    if (SystemDatabasePath.empty()) {
        SystemDatabasePath = folders.SystemDatabase();
        changed = true;
    }
    return changed;
}

bool AppSettings::LastCheckValid() const {
    return iLastCheckedYear >= 1 && iLastCheckedYear <= 9999 && iLastCheckedMonth >= 1 &&
           iLastCheckedMonth <= 12 && iLastCheckedDay >= 1 &&
           iLastCheckedDay <= DaysInMonth(iLastCheckedYear, iLastCheckedMonth);
}

bool AppSettings::Save(SettingsStore& store) const {
    for (const auto& v : kTexts) store.WriteText(v.name, this->*v.member);
    for (const auto& v : kShiftedTexts) {
        const bool keep = v.member != &AppSettings::UserInfo || KeepPW != 0;
        store.WriteText(v.name, keep ? ShiftText(this->*v.member) : std::string());
    }
    for (const auto& v : kNumbers) store.WriteNumber(v.name, this->*v.member);
    for (const auto& v : kWhenZero) store.WriteNumber(v.name, this->*v.member);
    for (const auto& v : kWhenBelowOne) store.WriteNumber(v.name, this->*v.member);
    const bool valid = LastCheckValid();
    store.WriteNumber("iLastCheckedYear", valid ? iLastCheckedYear : -1);
    store.WriteNumber("iLastCheckedMonth", valid ? iLastCheckedMonth : -1);
    store.WriteNumber("iLastCheckedDay", valid ? iLastCheckedDay : -1);
    store.WriteText("ServiceURL", ServiceURL);
    store.WriteText("ServiceName", ServiceName);
    return store.Flush();
}

}  // namespace pantrio
