// The addresses of the recipe service's web site. The site is outside the
// program; only its paths and query keys are fixed here, and its base address
// is configuration (AppSettings::ServiceURL). Query values are
// percent-encoded, so texts with "&", "#", blanks or apostrophes arrive as
// typed.
#pragma once

#include <string>

namespace pantrio {

struct FindCriteria;

class ServiceAddresses {
public:
    // `base` is the site's address ("http://host:port"); a trailing "/" is
    // dropped.
    explicit ServiceAddresses(std::string base);

    const std::string& Base() const { return base_; }
    // False when no address is set: no recipe service is set up, and the
    // service's pages are not asked for.
    bool Configured() const { return !base_.empty(); }

    // "/private/sec/displayrecipe.aspx?id=N"
    std::string RecipePage(long serviceNumber) const;
    // "/Private/search.aspx?Q=true" and "&key=value" for each criterion that
    // is present, in the order tc, ts, c1..c3, i1..i5, pi, cu, ta, af, ef, ap.
    // Keywords 4 and 5 are not sent; an ingredient slot that is empty or
    // holds the empty-slot marker "%" is not sent; ratings go as "%.3f"
    // when above 0.
    std::string Search(const FindCriteria& criteria) const;
    // The keyword search: "/Private/search.aspx?Q=true&tc=" + the trimmed text.
    std::string SearchText(const std::string& text) const;
    // "/utils/checkforupdate.aspx?maj=%d&min=%d&mic=%d"
    std::string UpdateCheck(int major, int minor, int micro) const;
    // "/tellafriend.aspx"
    std::string TellAFriend() const;
    // "/home/welcomeuser.aspx?rc=" + the run count
    std::string Welcome(int runCount) const;
    // "/index.htm?refer=" + "htmpublish", "txteml" or "htmleml"
    std::string Home(const std::string& referrer) const;
    // "/private/postrecipe.aspx": where the posting form goes (POST).
    std::string PostRecipe() const;
    // "/recipearchive.htm": the first favourite address by default.
    std::string RecipeArchive() const;
    // "/wizard1.aspx?refer=productmenu"
    std::string IdeaWizard() const;
    // "/forums"
    std::string Forums() const;
    // "/cooknimport.htm"
    std::string CooknImport() const;

    // "/private/submitcomments.aspx?" with the comments and ratings of a
    // recipe known to the service.
    struct Comments {
        std::string notes;
        std::string makeAgain;  // "YES", "NO" or "DIDNOTMAKE"
        double taste = 0, appearance = 0, effort = 0, affordability = 0;
        long uniqueID = 0;
        int activeMinutes = 0, totalMinutes = 0;
    };
    std::string SubmitComments(const Comments& comments) const;

private:
    std::string base_;
};

// The program's own version as major, minor and third number (the build's
// version "0.1.0" gives 0, 1, 0).
void ProductVersion(int& major, int& minor, int& micro);

}  // namespace pantrio
