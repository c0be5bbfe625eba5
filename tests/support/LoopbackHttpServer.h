// A web server on the loopback interface standing in for the recipe service:
// it answers every GET with the page it is given and records the path and
// the decoded query of each request. It runs on a thread of its own from
// construction to destruction.
#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pantrio::test {

class LoopbackHttpServer {
public:
    struct Request {
        std::string path;
        std::map<std::string, std::string> query;  // decoded
    };

    explicit LoopbackHttpServer(int status = 200,
                                std::string page = "<html><body>Thank you!</body></html>")
        : status_(status), page_(std::move(page)) {
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Request seen{request.path, {}};
            for (const auto& [key, value] : request.params) seen.query[key] = value;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(std::move(seen));
            }
            response.status = status_;
            response.set_content(page_, "text/html; charset=utf-8");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~LoopbackHttpServer() {
        server_.stop();
        thread_.join();
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:PORT"; the port is -1 when none could be bound.
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    bool Listening() const { return port_ > 0; }
    std::vector<Request> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    httplib::Server server_;
    int status_;
    std::string page_;
    int port_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<Request> requests_;
};

}  // namespace pantrio::test
