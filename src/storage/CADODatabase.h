// A connection to one database file (a recipe box or the support database).
// Statements are Jet-dialect text; the connection translates each statement
// to SQLite once and keeps the prepared form by statement shape. It never
// shows a message and never throws: failures are results, and the last one is
// described in ErrorReport() in the fixed two-line format.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;

namespace pantrio {

class StatementCache;
struct ErrorDetails;

// How long a commit waits for the disk, for every connection opened later.
// The program always keeps Full; only test programs, whose files are thrown
// away, choose less.
enum class DiskSync { Full, Normal, Off };

class CADODatabase {
public:
    CADODatabase();
    virtual ~CADODatabase();
    CADODatabase(const CADODatabase&) = delete;
    CADODatabase& operator=(const CADODatabase&) = delete;

    // Opens the database named by the connection string's "Data Source=" key.
    // An open connection is closed first; a non-empty `connection` replaces
    // ConnectString(). The file must exist: a connection never creates one.
    // The key "Mode=Read" opens the file read-only. The provider, user,
    // password, workgroup and database-password keys are accepted and ignored,
    // as are `user` and `password`: the files carry no access control here.
    bool Connect(const std::string& connection = "", const std::string& user = "",
                 const std::string& password = "");
    bool Connected() const;
    void Disconnect();

    const std::string& ConnectString() const { return connectString_; }
    void SetConnectString(const std::string& text) { connectString_ = text; }
    const std::string& ErrorReport() const { return errorReport_; }
    std::uint32_t ErrorCode() const { return errorCode_; }
    int ConnectTimeout() const { return connectTimeout_; }
    void SetConnectTimeout(int seconds) { connectTimeout_ = seconds; }

    // The file of the open connection; empty when closed.
    const std::string& FilePath() const { return filePath_; }

    // Transactions. BeginTransaction nests: an inner call opens a savepoint,
    // so an operation that is atomic on its own (a recipe save) also runs
    // inside the transaction of a bulk import. Each returns false on failure.
    bool BeginTransaction();
    bool CommitTransaction();
    bool RollbackTransaction();
    int TransactionDepth() const { return transactionDepth_; }
    // A number that changes, across all connections of the process, whenever
    // what a transaction wrote may have been undone or others may have
    // written since: at each outermost BeginTransaction and at each rollback.
    // With the connection's count of changed rows it tells a bulk writer
    // that the box is still as its last statement left it.
    std::uint64_t WriteEpoch() const { return epoch_; }

    static void SetDiskSync(DiskSync mode);

    // Builds the connection string of the program's fixed form for a file.
    static std::string MakeConnectString(const std::string& systemDatabasePath,
                                         const std::string& filePath);

    // For the access layer itself (CADORecordset).
    sqlite3* Handle() const { return db_; }
    // A number of its own for every connection made in this process, so that
    // what was read through one is never taken for what another would read.
    std::uint64_t ConnectionSerial() const { return serial_; }
    // Whether reads go through a memory map of the file (up to 256 MB)
    // instead of a system call and a copy per page: a search that visits
    // tens of thousands of recipes spends most of its time there otherwise.
    // On for every connection; bulk writing turns it off (ReadMapPause), as
    // the pages it maps would count as the program's memory while saving
    // nothing. Writes never go through the map. Returns the previous state.
    bool SetReadMap(bool on);
    StatementCache& Cache() { return *cache_; }
    void SetError(std::uint32_t code, const std::string& report);

private:
    void SetConnectionError(const ErrorDetails& error);
    bool ExecControl(const std::string& sql);

    sqlite3* db_ = nullptr;
    std::uint64_t serial_ = 0;
    bool mapped_ = false;
    std::unique_ptr<StatementCache> cache_;
    std::string connectString_;
    std::string errorReport_;
    std::uint32_t errorCode_ = 0;
    int connectTimeout_ = 0;
    std::string filePath_;
    int transactionDepth_ = 0;
    std::uint64_t epoch_ = 0;
};

// Reads without the memory map for a scope: bulk writing, which touches
// every page of a growing file once.
class ReadMapPause {
public:
    explicit ReadMapPause(CADODatabase& db) : db_(db), was_(db.SetReadMap(false)) {}
    ~ReadMapPause() { db_.SetReadMap(was_); }
    ReadMapPause(const ReadMapPause&) = delete;
    ReadMapPause& operator=(const ReadMapPause&) = delete;

private:
    CADODatabase& db_;
    bool was_;
};

// Keeps a transaction open for a scope and rolls it back unless committed.
class Transaction {
public:
    explicit Transaction(CADODatabase& db) : db_(db), active_(db.BeginTransaction()) {}
    ~Transaction() {
        if (active_) db_.RollbackTransaction();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool Active() const { return active_; }
    // A commit that fails rolls the work back, so the scope never leaves an
    // open transaction behind.
    bool Commit() {
        if (!active_) return false;
        active_ = false;
        if (db_.CommitTransaction()) return true;
        db_.RollbackTransaction();
        return false;
    }
    void Rollback() {
        if (active_) db_.RollbackTransaction();
        active_ = false;
    }

private:
    CADODatabase& db_;
    bool active_;
};

}  // namespace pantrio
