// Builds the databases the program ships with: the support database
// Data/support.csy (schema plus USDA foods and seed rows) and two empty recipe
// boxes, the new-box template Data/cookbook_template_do_not_delete.crb and the
// default box Rbox/standard.crb. Every input is read and checked first; each
// file is then written under a temporary name in one transaction and renamed
// into place only when all three are complete, so a failed or interrupted
// build never leaves a half-written database behind.
#pragma once

#include <filesystem>
#include <string>

namespace pantrio::tools {

struct BuildOptions {
    std::filesystem::path schemaDir;  // holds support.sql and recipebox.sql
    std::filesystem::path seedDir;    // holds the seed files (SupportSeed.h)
    std::filesystem::path usdaFile;   // ABBREV.txt
    std::filesystem::path outDir;     // the shipped data folder
};

// Builds the three files. On success `summary` says what was written; on
// failure `error` says why and the files already in `outDir` are untouched.
bool BuildDatabases(const BuildOptions& options, std::string& summary, std::string& error);

}  // namespace pantrio::tools
