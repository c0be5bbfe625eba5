// A stand-in for the recipe service on the loopback interface, for the tests
// that need a site pantrio-service cannot play (one that answers a posting
// without a number) or cannot be started beside (the window tests). It takes
// the posting form's POST, keeps the posts in memory and answers with the
// assigned-number marker.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace pantrio::test {

class LoopbackService {
public:
    struct Posting {
        std::string title, recipehtml, recipexml;
    };

    // Starts listening on a free port of 127.0.0.1; Base() is empty when it
    // could not.
    LoopbackService();
    ~LoopbackService();
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    // "http://127.0.0.1:PORT"
    const std::string& Base() const { return base_; }
    // The posts received, by the number they were given (from 1001 on).
    std::map<long, Posting> Postings() const;
    // When set, a post is answered with a thank-you page that holds no
    // number, as a misbehaving site would.
    void WithholdNumbers(bool withhold) { withhold_ = withhold; }

private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::string base_;
    mutable std::mutex mutex_;
    std::map<long, Posting> postings_;
    std::atomic<bool> withhold_ = false;
};

}  // namespace pantrio::test
