// The Jet functions that statements may call, registered on a SQLite
// connection under the names the translator gives them ("jet_isnull",
// "jet_len", ...). Dates are ISO text as stored; yes/no results are 1 and 0.
#pragma once

struct sqlite3;

namespace pantrio {

// False when SQLite refused a registration.
bool RegisterJetFunctions(sqlite3* db);

}  // namespace pantrio
