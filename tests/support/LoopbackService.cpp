#include "support/LoopbackService.h"

#include <httplib.h>

#include <chrono>

namespace pantrio::test {

LoopbackService::LoopbackService() : server_(std::make_unique<httplib::Server>()) {
    server_->Post("/private/postrecipe.aspx", [this](const httplib::Request& request,
                                                     httplib::Response& response) {
        if (withhold_) {
            response.set_content("<html><body>Thank you!</body></html>", "text/html");
            return;
        }
        std::lock_guard lock(mutex_);
        const long number = 1001 + static_cast<long>(postings_.size());
        postings_[number] = {request.get_param_value("title"),
                             request.get_param_value("recipehtml"),
                             request.get_param_value("recipexml")};
        response.set_content("<html><body>Thank you!<!-- saved --><!--@CRFASSIGNUNIQUEID=" +
                                 std::to_string(number) + "--></body></html>",
                             "text/html");
    });
    const int port = server_->bind_to_any_port("127.0.0.1");
    if (port <= 0) return;
    base_ = "http://127.0.0.1:" + std::to_string(port);
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // The socket already takes connections; stop() only ends a server that
    // runs, so the destructor waits for that.
    for (int i = 0; i < 5000 && !server_->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackService::~LoopbackService() {
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

std::map<long, LoopbackService::Posting> LoopbackService::Postings() const {
    std::lock_guard lock(mutex_);
    return postings_;
}

}  // namespace pantrio::test
