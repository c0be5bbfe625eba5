#include "storage/StatementCache.h"

#include <sqlite3.h>

#include <algorithm>

#include "storage/JetTranslator.h"
#include "storage/StatementShape.h"

namespace pantrio {

StatementCache::~StatementCache() {
    CloseOpenResults();
    Clear();
}

sqlite3_stmt* StatementCache::Prepare(const std::string& sql, int& rc) {
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()) + 1,
                            SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        if (rc == SQLITE_OK) rc = SQLITE_MISUSE;  // blank text: nothing to run
        return nullptr;
    }
    return stmt;
}

StatementLease StatementCache::Acquire(std::string_view shape, int& rc, std::string& error) {
    rc = SQLITE_OK;
    error.clear();
    StatementLease lease;
    if (!db_) {
        rc = SQLITE_MISUSE;
        return lease;
    }
    auto found = byShape_.find(shape);
    if (found != byShape_.end()) {
        Entry& entry = *found->second;
        lease.startsWithSelect = entry.startsWithSelect;
        if (!entry.leased) {
            entries_.splice(entries_.begin(), entries_, found->second);
            entry.leased = true;
            lease.stmt = entry.stmt;
            lease.cached = true;
            return lease;
        }
        // That shape is in use by an open result: this copy is temporary.
        lease.stmt = Prepare(entry.sql, rc);
        return lease;
    }
    JetStatement translated = TranslateJetShape(shape);
    if (!translated.Ok()) {
        rc = SQLITE_ERROR;
        error = std::move(translated.error);
        return lease;
    }
    sqlite3_stmt* stmt = Prepare(translated.sql, rc);
    if (!stmt) return lease;
    lease.stmt = stmt;
    lease.cached = true;
    lease.startsWithSelect = translated.startsWithSelect;
    entries_.push_front(Entry{std::string(shape), std::move(translated.sql), stmt,
                              translated.startsWithSelect, true});
    byShape_.emplace(entries_.front().shape, entries_.begin());
    byStmt_.emplace(stmt, entries_.begin());
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
        byShape_.erase(it->sql);
        byStmt_.erase(it->stmt);
        it = entries_.erase(it);
    }
}

int StatementCache::RunControl(const std::string& sql) {
    if (!db_) return SQLITE_MISUSE;
    // Nested savepoints have names of their own; a deep nesting is not kept.
    constexpr std::size_t kMaxControl = 32;
    if (sql.find(';') != std::string::npos)
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    bool kept = true;
    auto found = control_.find(sql);
    if (found != control_.end()) {
        stmt = found->second;
    } else {
        int rc = SQLITE_OK;
        stmt = Prepare(sql, rc);
        if (!stmt) return rc;
        kept = control_.size() < kMaxControl;
        if (kept) control_.emplace(sql, stmt);
    }
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) rc = SQLITE_OK;
    sqlite3_reset(stmt);
    if (!kept) sqlite3_finalize(stmt);
    return rc;
}

void StatementCache::Clear() {
    for (auto& [sql, stmt] : control_) sqlite3_finalize(stmt);
    control_.clear();
    for (Entry& e : entries_) sqlite3_finalize(e.stmt);
    entries_.clear();
    byShape_.clear();
    byStmt_.clear();
}

std::unique_ptr<StatementShape> StatementCache::TakeShape() {
    if (spareShapes_.empty()) return std::make_unique<StatementShape>();
    std::unique_ptr<StatementShape> shape = std::move(spareShapes_.back());
    spareShapes_.pop_back();
    return shape;
}

void StatementCache::GiveBackShape(std::unique_ptr<StatementShape> shape) {
    // A few are enough: one per result open at the same time. One that read a
    // very long statement is not kept, so its buffers are freed.
    if (shape && spareShapes_.size() < 8 && shape->Key().capacity() <= (1u << 20))
        spareShapes_.push_back(std::move(shape));
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
