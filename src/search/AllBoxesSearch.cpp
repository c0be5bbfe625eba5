#include "search/AllBoxesSearch.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace fs = std::filesystem;

namespace {

// How deep below the Rbox folder boxes are looked for: the folder itself and
// the folders of boxes made by "New Recipe Box", with room for one more.
constexpr int kFolderDepth = 3;

// What the access layer's failure report says went wrong ("file is not a
// database"), short enough for the status line.
std::string ShortReason(const std::string& report, const char* fallback) {
    static const std::string kMeaning = "Code meaning = ";
    const std::size_t at = report.find(kMeaning);
    std::string reason;
    if (at != std::string::npos) {
        const std::size_t from = at + kMeaning.size();
        reason = Trim(report.substr(from, report.find('\n', from) - from));
    }
    if (reason.empty()) reason = fallback;
    return CutChars(reason, 80);
}

// Reads every row of the statement's result into `rows`, naming `box`.
bool ReadBox(RecipeDB& db, const std::string& statement, const std::string& box,
             std::vector<ResultRow>& rows, std::string& error) {
    CADORecordset rs(db);
    if (!rs.Run(statement)) {
        error = ShortReason(rs.ErrorReport(), "the search could not be run");
        return false;
    }
    std::set<long> seen;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ResultRow row = ReadResultRow(rs);
        if (!seen.insert(row.recipeID).second) continue;
        row.box = box;
        rows.push_back(std::move(row));
    }
    return true;
}

}  // namespace

bool SameBoxFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    if (a == b) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

std::string BoxName(const std::string& path) {
    return fs::path(path).stem().string();
}

std::string AllBoxesResult::StatusLine() const {
    std::string line =
        rows.size() == 1 ? std::string("1 recipe") : Format("%zu recipes", rows.size());
    line += boxesSearched == 1 ? std::string(" / 1 recipe box")
                               : Format(" / %d recipe boxes", boxesSearched);
    if (!skipped.empty()) {
        line += "; skipped: ";
        for (std::size_t i = 0; i < skipped.size(); ++i) line += (i ? ", " : "") + skipped[i];
    }
    return line;
}

std::vector<std::string> RecipeBoxFiles(const std::string& rboxFolder, const std::string& openBox) {
    std::set<std::string> found;
    auto add = [&found](const fs::path& path) {
        std::error_code ec;
        fs::path canonical = fs::weakly_canonical(path, ec);
        found.insert((ec ? path : canonical).string());
    };
    std::error_code ec;
    if (!rboxFolder.empty() && fs::is_directory(rboxFolder, ec)) {
        fs::recursive_directory_iterator it(rboxFolder,
                                            fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it.depth() >= kFolderDepth) it.disable_recursion_pending();
            std::error_code typeError;
            if (it->is_regular_file(typeError) &&
                EndsWithNoCase(it->path().filename().string(), ".crb"))
                add(it->path());
        }
    }
    if (!Trim(openBox).empty()) add(Trim(openBox));
    return {found.begin(), found.end()};
}

AllBoxesResult SearchAllBoxes(const std::vector<std::string>& boxes,
                              const BoxStatement& statementFor,
                              const std::string& systemDatabasePath) {
    AllBoxesResult result;
    for (const std::string& path : boxes) {
        RecipeDB db;
        db.SystemDatabasePath = systemDatabasePath;
        std::string error;
        if (!db.Open(path, true)) {
            error = ShortReason(db.ErrorReport(), "it cannot be opened");
        } else if (ReadBox(db, statementFor(db), path, result.rows, error)) {
            ++result.boxesSearched;
            continue;
        }
        result.skipped.push_back(BoxName(path) + " (" + error + ")");
    }
    // One box lists by title; the merged list does the same across boxes.
    std::stable_sort(result.rows.begin(), result.rows.end(),
                     [](const ResultRow& a, const ResultRow& b) {
                         const std::string ta = ToLowerText(a.title), tb = ToLowerText(b.title);
                         if (ta != tb) return ta < tb;
                         const std::string ba = BoxName(a.box), bb = BoxName(b.box);
                         return std::tie(ba, a.recipeID) < std::tie(bb, b.recipeID);
                     });
    return result;
}

}  // namespace pantrio
