#include "storage/CADODatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <vector>

#include "base/Text.h"
#include "storage/ErrorReport.h"
#include "storage/JetFunctions.h"
#include "storage/StatementCache.h"

namespace pantrio {

namespace {

// Every commit waits until the file is on disk (SQLite's default), so a
// stored recipe survives a power cut. Only a test program relaxes that, for
// its thousands of short-lived files, through SetDiskSync before it opens any.
std::atomic<DiskSync> diskSync{DiskSync::Full};

void ApplyDiskSync(sqlite3* db) {
    switch (diskSync.load()) {
        case DiskSync::Full:
            break;
        case DiskSync::Normal:
            sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
            break;
        case DiskSync::Off:
            sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
            break;
    }
}

// Settings of every connection for bulk work; neither changes what is on
// disk after a commit.
// - A bulk import changes more pages in one transaction than SQLite's
//   default cache of 2 MB holds; a larger cache keeps the pages that every
//   insert touches (the ends of the tables and their indexes) in memory until
//   the commit. The memory is taken only as pages are read.
// - A recipe saved by SaveAsNew inside another transaction is a savepoint,
//   and SQLite keeps the pages a savepoint may have to restore in a temporary
//   file; in memory they cost no writes. Those pages only serve a rollback to
//   the savepoint and are never needed after a crash.
const char* const kBulkPragmas = "PRAGMA cache_size=-16384; PRAGMA temp_store=MEMORY";

// The source of write epochs, shared by all connections.
std::uint64_t NextEpoch() {
    static std::atomic<std::uint64_t> epochs{0};
    return ++epochs;
}

// SQLite counts every allocation under a process-wide lock unless told not
// to before its first use. Nothing here reads those counts. When SQLite was
// already in use (by another part of the process) the call is refused and
// nothing changes.
void ConfigureSqliteOnce() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

// How long a statement waits for another connection's lock before it fails.
constexpr int kDefaultBusyMilliseconds = 5000;

struct ConnectionOptions {
    std::string dataSource;
    bool readOnly = false;
};

// Reads "key=value;key=value". A value may stand between double or single
// quotes; a piece without "=" belongs to the value before it (a file name
// with a semicolon). Keys are compared without regard to case. Only
// "Data Source" and "Mode" mean anything here: the provider, user, password,
// workgroup file and database password are accepted and ignored, because the
// files carry no access control of their own.
ConnectionOptions ParseConnectString(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t equals = text.find('=', pos);
        std::size_t semicolon = text.find(';', pos);
        if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
            std::size_t end = semicolon == std::string::npos ? text.size() : semicolon;
            if (!pairs.empty()) pairs.back().second.append(1, ';').append(text, pos, end - pos);
            pos = end + 1;
            continue;
        }
        std::string key = Trim(text.substr(pos, equals - pos));
        std::size_t valueStart = equals + 1;
        while (valueStart < text.size() && text[valueStart] == ' ') ++valueStart;
        std::string value;
        if (valueStart < text.size() && (text[valueStart] == '"' || text[valueStart] == '\'')) {
            std::size_t close = text.find(text[valueStart], valueStart + 1);
            if (close == std::string::npos) close = text.size();
            value = text.substr(valueStart + 1, close - valueStart - 1);
            std::size_t next = text.find(';', close);
            pos = next == std::string::npos ? text.size() : next + 1;
        } else {
            std::size_t end = text.find(';', valueStart);
            if (end == std::string::npos) end = text.size();
            value = text.substr(valueStart, end - valueStart);
            pos = end + 1;
        }
        pairs.emplace_back(key, value);
    }
    ConnectionOptions options;
    for (auto& [key, value] : pairs) {
        if (EqualsNoCase(key, "Data Source")) options.dataSource = Trim(value);
        if (EqualsNoCase(key, "Mode")) options.readOnly = EqualsNoCase(Trim(value), "Read");
    }
    return options;
}

}  // namespace

CADODatabase::CADODatabase() : cache_(std::make_unique<StatementCache>()) {}

CADODatabase::~CADODatabase() {
    Disconnect();
}

void CADODatabase::SetDiskSync(DiskSync mode) {
    diskSync.store(mode);
}

std::string CADODatabase::MakeConnectString(const std::string& systemDatabasePath,
                                            const std::string& filePath) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;User Id=Admin;password=crumbtray406;Persist "
           "Security Info=False;Jet OLEDB:System database=" +
           systemDatabasePath + ";Jet OLEDB:Database Password=crumbtray406;Data Source=" + filePath;
}

void CADODatabase::SetError(std::uint32_t code, const std::string& report) {
    errorCode_ = code;
    errorReport_ = report;
}

void CADODatabase::SetConnectionError(const ErrorDetails& error) {
    SetError(error.code, ConnectionErrorReport(connectString_, error));
}

bool CADODatabase::Connect(const std::string& connection, const std::string& user,
                           const std::string& password) {
    (void)user;
    (void)password;
    Disconnect();
    if (!connection.empty()) connectString_ = connection;
    const ConnectionOptions options = ParseConnectString(connectString_);
    const std::string& path = options.dataSource;
    if (path.empty()) {
        SetConnectionError(
            LayerError(SQLITE_CANTOPEN, "The connection string names no file (Data Source=)."));
        return false;
    }
    // SQLite would open a folder or create a missing file; a connection only
    // ever opens an existing database file.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        SetConnectionError(LayerError(SQLITE_CANTOPEN, "The file " + path + " does not exist."));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        SetConnectionError(
            LayerError(SQLITE_CANTOPEN, path + " is not a file that can hold a database."));
        return false;
    }

    sqlite3* db = nullptr;
    // A connection is used by one thread only, so SQLite need not lock its
    // own structures on every call.
    const int flags =
        (options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    ConfigureSqliteOnce();
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(
            db, connectTimeout_ > 0 ? connectTimeout_ * 1000 : kDefaultBusyMilliseconds);
        // Opening reads nothing; the first read tells a database from any other file.
        sqlite3_stmt* check = nullptr;
        rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'", -1,
                                &check, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(check);
        if (rc == SQLITE_ROW) {
            const int tables = sqlite3_column_int(check, 0);
            sqlite3_finalize(check);
            if (tables == 0) {
                sqlite3_close_v2(db);
                SetConnectionError(
                    LayerError(SQLITE_NOTADB, "The file " + path +
                                                  " holds no tables: it is not a recipe box "
                                                  "or support database."));
                return false;
            }
            rc = SQLITE_OK;
        } else {
            sqlite3_finalize(check);
        }
    }
    if (rc == SQLITE_OK) {
        ApplyDiskSync(db);
        sqlite3_exec(db, kBulkPragmas, nullptr, nullptr, nullptr);
    }
    mapped_ = false;
    if (rc == SQLITE_OK && !RegisterJetFunctions(db)) rc = sqlite3_extended_errcode(db);
    if (rc != SQLITE_OK) {
        SetConnectionError(SqliteError(db, rc));
        sqlite3_close_v2(db);
        return false;
    }
    static std::atomic<std::uint64_t> connections{0};
    db_ = db;
    serial_ = ++connections;
    epoch_ = NextEpoch();
    SetReadMap(true);
    filePath_ = path;
    transactionDepth_ = 0;
    cache_->Attach(db_);
    return true;
}

bool CADODatabase::Connected() const {
    return db_ != nullptr;
}

void CADODatabase::Disconnect() {
    if (!db_) return;
    cache_->CloseOpenResults();
    cache_->Clear();
    cache_->Attach(nullptr);
    // Closing ends an open transaction without its changes.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    filePath_.clear();
    transactionDepth_ = 0;
}

bool CADODatabase::ExecControl(const std::string& sql) {
    const int rc = cache_->RunControl(sql);
    if (rc == SQLITE_OK) return true;
    ErrorDetails error = SqliteError(db_, rc);
    error.description += " (" + sql + ")";
    SetConnectionError(error);
    return false;
}

bool CADODatabase::BeginTransaction() {
    if (!db_) {
        SetConnectionError(LayerError(SQLITE_MISUSE, "The database is not open."));
        return false;
    }
    // The database may have ended the transaction on its own (it does so after
    // a full disk or an I/O error); start afresh then.
    if (transactionDepth_ > 0 && sqlite3_get_autocommit(db_)) transactionDepth_ = 0;
    if (transactionDepth_ == 0) epoch_ = NextEpoch();
    const std::string sql =
        transactionDepth_ == 0 ? "BEGIN" : Format("SAVEPOINT sp_%d", transactionDepth_);
    if (!ExecControl(sql)) return false;
    ++transactionDepth_;
    return true;
}

bool CADODatabase::CommitTransaction() {
    if (!db_ || transactionDepth_ == 0) {
        SetConnectionError(LayerError(SQLITE_MISUSE, "No transaction is open."));
        return false;
    }
    if (sqlite3_get_autocommit(db_)) {
        transactionDepth_ = 0;
        SetConnectionError(LayerError(
            SQLITE_ABORT, "The database rolled the transaction back after an earlier failure."));
        return false;
    }
    const std::string sql =
        transactionDepth_ == 1 ? "COMMIT" : Format("RELEASE sp_%d", transactionDepth_ - 1);
    if (!ExecControl(sql)) return false;
    --transactionDepth_;
    return true;
}

bool CADODatabase::RollbackTransaction() {
    if (!db_ || transactionDepth_ == 0) {
        SetConnectionError(LayerError(SQLITE_MISUSE, "No transaction is open."));
        return false;
    }
    // A rollback may cut short the reads that are open on this connection.
    cache_->SnapshotOpenResults();
    epoch_ = NextEpoch();
    if (sqlite3_get_autocommit(db_)) {
        transactionDepth_ = 0;  // already rolled back by the database
        return true;
    }
    const std::string sql = transactionDepth_ == 1
                                ? std::string("ROLLBACK")
                                : Format("ROLLBACK TO sp_%d; RELEASE sp_%d", transactionDepth_ - 1,
                                         transactionDepth_ - 1);
    if (!ExecControl(sql)) return false;
    --transactionDepth_;
    return true;
}

bool CADODatabase::SetReadMap(bool on) {
    if (db_ == nullptr) return false;
    const bool was = mapped_;
    if (on != mapped_) {
        const char* sql = on ? "PRAGMA mmap_size=268435456" : "PRAGMA mmap_size=0";
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK) mapped_ = on;
    }
    return was;
}

}  // namespace pantrio
