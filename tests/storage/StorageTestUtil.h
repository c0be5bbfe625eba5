// Helpers of the access-layer tests: connection strings of the program's form.
#pragma once

#include <string>

#include "storage/CADODatabase.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

inline std::string ConnectStringFor(const TempDataRoot& data, const std::string& file) {
    return CADODatabase::MakeConnectString(data.PathOf("system.mdw"), file);
}

}  // namespace pantrio::test
