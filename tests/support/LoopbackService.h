// A recipe service on the loopback interface for the posting tests: it
// speaks the three paths pantrio-cli and the posting form use (the posting
// form's POST, the JSON search and the recipe page with the embedded
// exchange document) and keeps the posted recipes in memory. It stands in
// for the real service only where that is not at hand.
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
        std::string title, recipehtml, recipexml, password;
    };

    // Starts listening on a free port of 127.0.0.1; Base() is empty when it
    // could not. With a `password`, posts without it get 403.
    explicit LoopbackService(std::string password = "");
    ~LoopbackService();
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    // "http://127.0.0.1:PORT"
    const std::string& Base() const { return base_; }
    // The posts received, by the number they were given.
    std::map<long, Posting> Postings() const;
    // When set, a post is answered with a thank-you page that holds no
    // number, as a misbehaving site would.
    void WithholdNumbers(bool withhold) { withhold_ = withhold; }

private:
    void Serve();

    std::string password_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::string base_;
    mutable std::mutex mutex_;
    std::map<long, Posting> postings_;
    std::atomic<bool> withhold_ = false;
};

}  // namespace pantrio::test
