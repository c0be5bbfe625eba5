// The prepared statements of one connection, kept by the key of their
// StatementShape (the Jet text with its values lifted out), and the results
// that are open on that connection. A shape is translated to SQLite text and
// prepared once, when it is first met; afterwards a statement costs a hash
// look-up.
//
// A statement is leased to one result at a time; a second result of the same
// shape gets a statement of its own, finalized when returned. The cache holds
// at most `capacity` idle statements and drops the least recently used first.
//
// Open results register here so that the connection can keep them correct:
// before a statement changes data or a transaction is rolled back, every open
// result reads its remaining rows into memory (SQLite gives no stable answer
// to a read that is stepped while the same connection writes); before the
// connection closes, every open result is closed.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/StatementShape.h"

struct sqlite3;
struct sqlite3_stmt;

namespace pantrio {

class OpenResult {
public:
    virtual ~OpenResult() = default;
    // Reads the remaining rows into memory and gives back the statement.
    virtual void Snapshot() = 0;
    // The connection is closing: drop the rows and the statement.
    virtual void ConnectionClosing() = 0;
};

struct StatementLease {
    sqlite3_stmt* stmt = nullptr;
    bool cached = false;            // owned by the cache; otherwise finalized when returned
    bool startsWithSelect = false;  // the statement's first word is SELECT
};

class StatementCache {
public:
    explicit StatementCache(std::size_t capacity = 64) : capacity_(capacity) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Starts caching statements of `db` (nullptr: none).
    void Attach(sqlite3* db) { db_ = db; }

    // A prepared statement for the shape key `shape`. lease.stmt is null when
    // the shape could not be translated (the reason in `error`) or SQLite
    // refused the translated text (`error` empty, the result code in `rc`).
    StatementLease Acquire(std::string_view shape, int& rc, std::string& error);
    // Resets the statement, clears its values and returns it.
    void Return(StatementLease& lease);
    // Runs a transaction statement (BEGIN, COMMIT, SAVEPOINT ...), prepared
    // once and kept; a text of several statements is run as it stands.
    // The SQLite result code.
    int RunControl(const std::string& sql);

    // Finalizes every statement; call with no statement leased.
    void Clear();

    // A StatementShape to read a statement with, and back when done; reusing
    // them saves allocating their buffers for every statement.
    std::unique_ptr<StatementShape> TakeShape();
    void GiveBackShape(std::unique_ptr<StatementShape> shape);

    void Register(OpenResult* result);
    void Unregister(OpenResult* result);
    // Lets every open result except `except` read its rows into memory.
    void SnapshotOpenResults(const OpenResult* except = nullptr);
    // Closes every open result (the connection is closing).
    void CloseOpenResults();

    std::size_t Size() const { return entries_.size(); }
    std::size_t Capacity() const { return capacity_; }

private:
    struct Entry {
        std::string shape;
        std::string sql;
        sqlite3_stmt* stmt = nullptr;
        bool startsWithSelect = false;
        bool leased = false;
    };
    using EntryList = std::list<Entry>;  // most recently used first

    void EvictIdle();
    sqlite3_stmt* Prepare(const std::string& sql, int& rc);

    sqlite3* db_ = nullptr;
    std::size_t capacity_;
    EntryList entries_;
    // Keys view the shape held by the entry.
    std::unordered_map<std::string_view, EntryList::iterator> byShape_;
    std::unordered_map<sqlite3_stmt*, EntryList::iterator> byStmt_;
    std::vector<OpenResult*> open_;
    std::unordered_map<std::string, sqlite3_stmt*> control_;
    std::vector<std::unique_ptr<StatementShape>> spareShapes_;
};

}  // namespace pantrio
