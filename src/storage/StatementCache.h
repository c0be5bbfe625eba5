// The prepared statements of one connection, kept by their translated text
// (the statement's shape, with values lifted into parameters), and the
// results that are open on that connection.
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
#include <string>
#include <unordered_map>
#include <vector>

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
    bool cached = false;  // owned by the cache; otherwise finalized when returned
};

class StatementCache {
public:
    explicit StatementCache(std::size_t capacity = 64) : capacity_(capacity) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Starts caching statements of `db` (nullptr: none).
    void Attach(sqlite3* db) { db_ = db; }

    // A prepared statement for `sql`; lease.stmt is null when SQLite refused
    // the text, with the result code in `rc`.
    StatementLease Acquire(const std::string& sql, int& rc);
    // Resets the statement, clears its values and returns it.
    void Return(StatementLease& lease);
    // Finalizes every statement; call with no statement leased.
    void Clear();

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
        std::string sql;
        sqlite3_stmt* stmt = nullptr;
        bool leased = false;
    };
    using EntryList = std::list<Entry>;  // most recently used first

    void EvictIdle();

    sqlite3* db_ = nullptr;
    std::size_t capacity_;
    EntryList entries_;
    std::unordered_map<std::string, EntryList::iterator> bySql_;
    std::unordered_map<sqlite3_stmt*, EntryList::iterator> byStmt_;
    std::vector<OpenResult*> open_;
};

}  // namespace pantrio
