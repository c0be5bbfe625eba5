#include "storage/StatementCache.h"

#include <sqlite3.h>

#include <algorithm>

namespace pantrio {

StatementCache::~StatementCache() {
    CloseOpenResults();
    Clear();
}

StatementLease StatementCache::Acquire(const std::string& sql, int& rc) {
    rc = SQLITE_OK;
    StatementLease lease;
    if (!db_) {
        rc = SQLITE_MISUSE;
        return lease;
    }
    auto found = bySql_.find(sql);
    if (found != bySql_.end() && !found->second->leased) {
        entries_.splice(entries_.begin(), entries_, found->second);
        found->second->leased = true;
        lease.stmt = found->second->stmt;
        lease.cached = true;
        return lease;
    }
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()) + 1,
                            SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        if (rc == SQLITE_OK) rc = SQLITE_MISUSE;  // blank text: nothing to run
        return lease;
    }
    lease.stmt = stmt;
    if (found != bySql_.end()) return lease;  // that shape is in use: this copy is temporary
    entries_.push_front(Entry{sql, stmt, true});
    bySql_.emplace(sql, entries_.begin());
    byStmt_.emplace(stmt, entries_.begin());
    lease.cached = true;
    EvictIdle();
    return lease;
}

void StatementCache::Return(StatementLease& lease) {
    if (!lease.stmt) return;
    sqlite3_reset(lease.stmt);
    sqlite3_clear_bindings(lease.stmt);
    auto found = lease.cached ? byStmt_.find(lease.stmt) : byStmt_.end();
    if (found != byStmt_.end()) {
        found->second->leased = false;
        EvictIdle();
    } else {
        sqlite3_finalize(lease.stmt);
    }
    lease = StatementLease{};
}

void StatementCache::EvictIdle() {
    if (entries_.size() <= capacity_) return;
    for (auto it = entries_.end(); it != entries_.begin() && entries_.size() > capacity_;) {
        --it;
        if (it->leased) continue;
        sqlite3_finalize(it->stmt);
        bySql_.erase(it->sql);
        byStmt_.erase(it->stmt);
        it = entries_.erase(it);
    }
}

void StatementCache::Clear() {
    for (Entry& e : entries_) sqlite3_finalize(e.stmt);
    entries_.clear();
    bySql_.clear();
    byStmt_.clear();
}

void StatementCache::Register(OpenResult* result) {
    if (std::find(open_.begin(), open_.end(), result) == open_.end()) open_.push_back(result);
}

void StatementCache::Unregister(OpenResult* result) {
    open_.erase(std::remove(open_.begin(), open_.end(), result), open_.end());
}

void StatementCache::SnapshotOpenResults(const OpenResult* except) {
    // Snapshot() unregisters the result, so work on a copy of the list.
    std::vector<OpenResult*> open = open_;
    for (OpenResult* r : open)
        if (r != except) r->Snapshot();
}

void StatementCache::CloseOpenResults() {
    std::vector<OpenResult*> open = open_;
    for (OpenResult* r : open) r->ConnectionClosing();
    open_.clear();
}

}  // namespace pantrio
