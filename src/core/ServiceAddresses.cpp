#include "core/ServiceAddresses.h"

#include <cstdio>

#include "base/Text.h"
#include "render/AppLink.h"
#include "search/FindCriteria.h"

#ifndef PANTRIO_VERSION
#define PANTRIO_VERSION "0.0.0"
#endif

namespace pantrio {

namespace {

void AddText(std::string& address, const char* key, const std::string& value) {
    if (value.empty()) return;
    address += "&";
    address += key;
    address += "=";
    address += PercentEncode(value);
}

void AddRating(std::string& address, const char* key, double value) {
    if (value > 0) address += Format("&%s=%.3f", key, value);
}

}  // namespace

ServiceAddresses::ServiceAddresses(std::string base) : base_(Trim(base)) {
    while (!base_.empty() && base_.back() == '/') base_.pop_back();
}

std::string ServiceAddresses::RecipePage(long serviceNumber) const {
    return base_ + Format("/private/sec/displayrecipe.aspx?id=%ld", serviceNumber);
}

std::string ServiceAddresses::Search(const FindCriteria& criteria) const {
    std::string address = base_ + "/Private/search.aspx?Q=true";
    if (criteria.titleBeginsWith) {
        AddText(address, "ts", criteria.titleText);
    } else {
        AddText(address, "tc", criteria.titleText);
    }
    // The order of the keys is fixed, so the title key goes first either way.
    static const char* const kKeywordKeys[] = {"c1", "c2", "c3"};
    for (int i = 0; i < 3; ++i) AddText(address, kKeywordKeys[i], criteria.keywords[i]);
    static const char* const kIngredientKeys[] = {"i1", "i2", "i3", "i4", "i5"};
    for (int i = 0; i < 5; ++i) {
        const std::string& ingredient = criteria.ingredients[i];
        if (ingredient != kEmptyIngredient) AddText(address, kIngredientKeys[i], ingredient);
    }
    AddText(address, "pi", criteria.mainIngredient);
    AddText(address, "cu", criteria.cuisine);
    AddRating(address, "ta", criteria.minimumTaste);
    AddRating(address, "af", criteria.minimumAffordability);
    AddRating(address, "ef", criteria.minimumEffort);
    AddRating(address, "ap", criteria.minimumAppearance);
    return address;
}

std::string ServiceAddresses::SearchText(const std::string& text) const {
    return base_ + "/Private/search.aspx?Q=true&tc=" + PercentEncode(Trim(text));
}

std::string ServiceAddresses::UpdateCheck(int major, int minor, int micro) const {
    return base_ + Format("/utils/checkforupdate.aspx?maj=%d&min=%d&mic=%d", major, minor, micro);
}

std::string ServiceAddresses::TellAFriend() const {
    return base_ + "/tellafriend.aspx";
}

std::string ServiceAddresses::Welcome(int runCount) const {
    return base_ + Format("/home/welcomeuser.aspx?rc=%d", runCount);
}

std::string ServiceAddresses::Home(const std::string& referrer) const {
    return base_ + "/index.htm?refer=" + PercentEncode(referrer);
}

std::string ServiceAddresses::PostRecipe() const {
    return base_ + "/private/postrecipe.aspx";
}

std::string ServiceAddresses::RecipeArchive() const {
    return base_ + "/recipearchive.htm";
}

std::string ServiceAddresses::IdeaWizard() const {
    return base_ + "/wizard1.aspx?refer=productmenu";
}

std::string ServiceAddresses::Forums() const {
    return base_ + "/forums";
}

std::string ServiceAddresses::CooknImport() const {
    return base_ + "/cooknimport.htm";
}

std::string ServiceAddresses::SubmitComments(const Comments& c) const {
    return base_ + "/private/submitcomments.aspx?txtNotes=" + PercentEncode(c.notes) +
           "&radioMake=" + PercentEncode(c.makeAgain) +
           Format(
               "&tasteRating=%.0f&appearanceRating=%.0f&easeRating=%.0f"
               "&affordabilityRating=%.0f&uniqueID=%ld&am=%d&tm=%d",
               c.taste, c.appearance, c.effort, c.affordability, c.uniqueID, c.activeMinutes,
               c.totalMinutes);
}

void ProductVersion(int& major, int& minor, int& micro) {
    major = minor = micro = 0;
    std::sscanf(PANTRIO_VERSION, "%d.%d.%d", &major, &minor, &micro);
}

}  // namespace pantrio
