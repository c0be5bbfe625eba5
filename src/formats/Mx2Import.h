// MasterCook MX2 import: the XML export of MasterCook (and of programs that
// write its format). The document's root holds one RcpE element per recipe,
// with the title and author as attributes and servings, times, categories,
// ingredient lines (IngR with quantity, unit and name attributes and an IPrp
// preparation child), directions (DirS/DirT), description, cuisine, source
// and notes as children. Every recipe is stored with SaveAsNew in one
// transaction.
#pragma once

#include <string>
#include <string_view>

#include "formats/Importer.h"

namespace pantrio {

class Recipe;
class XmlDocument;

// Files larger than this are not read.
constexpr std::size_t kMaxMx2Bytes = 64 * 1024 * 1024;

// Whether the first bytes of a file are an MX2 document (for .txt files).
bool LooksLikeMx2(std::string_view head);

// Reads the RcpE element the cursor of `doc` stands on (as main entry) into
// `recipe`; the cursor is where it was afterwards.
void ReadMx2Recipe(XmlDocument& doc, Recipe& recipe);

ImportSummary ImportMx2(const std::string& path, RecipeDB& db, ImportProgress& window,
                        const ImportOptions& options = {});

}  // namespace pantrio
