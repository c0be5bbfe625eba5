// The importer table: one row per recipe file format the program reads,
// saying which file names (and, for shared extensions such as .txt, which
// file contents) it claims and which importer reads it. The menu commands
// pick a row by its id; the command line picks one by the file. A format is
// added by adding a row, at start-up or at run time.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Importer.h"

namespace pantrio {

struct ImporterRow {
    std::string id;  // the name callers pick the row by, such as "mealmaster"
    // Extensions, lower case with the dot, that this format claims outright.
    std::vector<std::string> extensions;
    // Extensions shared with other formats: the row claims such a file when
    // `sniff` recognises the first few kilobytes of it.
    std::vector<std::string> sniffedExtensions;
    std::function<bool(std::string_view head)> sniff;
    Importer import;
};

class ImporterTable {
public:
    // The program's formats: exchange files (.rxf), MasterCook MX2 (.mx2, and
    // .txt holding an mx2 document), MasterCook MXP (.mxp, and .txt exported
    // from MasterCook), MealMaster (.mmf, .mm, and .txt bearing MealMaster's
    // marks) and schema.org recipes in web pages (.html, .htm) and JSON-LD
    // documents (.json). .txt files are sniffed in that order.
    static ImporterTable Standard();

    // Adds a row; one with the id of an existing row replaces it.
    void Add(ImporterRow row);

    // The row with this id, or null.
    const ImporterRow* Find(std::string_view id) const;
    // The row for the file at `path`: by its extension, then by its content
    // among the rows that sniff that extension, in table order; null when no
    // row claims it.
    const ImporterRow* ForFile(const std::string& path) const;

private:
    std::vector<ImporterRow> rows_;
};

}  // namespace pantrio
