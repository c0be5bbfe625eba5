#include "formats/ImportQueue.h"

#include <utility>

namespace pantrio {

ImportQueue::ImportQueue(std::size_t maxRecipes, std::size_t maxEvents)
    : maxRecipes_(maxRecipes > 0 ? maxRecipes : 1), maxEvents_(maxEvents > 0 ? maxEvents : 1) {}

bool ImportQueue::Full() const {
    return recipes_ >= maxRecipes_ || events_.size() >= maxEvents_;
}

bool ImportQueue::Push(ImportEvent event) {
    std::vector<std::deque<ImportEvent>> spent;  // freed once the lock is released
    std::unique_lock lock(mutex_);
    if (!spent_.empty()) spent.swap(spent_);
    while (!closed_ && Full()) {
        pusherWaiting_ = true;
        notFull_.wait(lock);
        pusherWaiting_ = false;
    }
    if (closed_) return false;
    if (event.recipe) ++recipes_;
    events_.push_back(std::move(event));
    // Waking costs a system call; only a taker that found the queue empty waits.
    if (takerWaiting_) notEmpty_.notify_one();
    return true;
}

bool ImportQueue::TakeAll(std::deque<ImportEvent>& out) {
    std::unique_lock lock(mutex_);
    while (!closed_ && events_.empty()) {
        takerWaiting_ = true;
        notEmpty_.wait(lock);
        takerWaiting_ = false;
    }
    if (events_.empty()) return false;
    if (out.empty()) {
        out.swap(events_);
    } else {
        for (ImportEvent& event : events_) out.push_back(std::move(event));
        events_.clear();
    }
    recipes_ = 0;
    if (pusherWaiting_) notFull_.notify_one();
    return true;
}

void ImportQueue::GiveBack(std::deque<ImportEvent>& spent) {
    if (spent.empty()) return;
    std::lock_guard lock(mutex_);
    spent_.push_back(std::move(spent));
    spent.clear();
}

void ImportQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    notEmpty_.notify_all();
    notFull_.notify_all();
}

}  // namespace pantrio
