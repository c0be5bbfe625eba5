// The recipe service's web server: every path the program uses (letter case
// ignored), answered from a ServiceStore. Pages forbid scripts (a
// Content-Security-Policy on every answer), request bodies are limited, and
// each request leaves one line in the log.
#pragma once

#include <memory>
#include <ostream>
#include <string>

namespace pantrio {

class ServiceStore;

struct ServerSettings {
    // When not empty, posting a recipe needs this password.
    std::string postPassword;
    // Where the request lines go; null for none.
    std::ostream* log = nullptr;
};

// Request bodies beyond this answer 413.
inline constexpr std::size_t kMaxRequestBody = 4u * 1024u * 1024u;

class RecipeServer {
public:
    RecipeServer(ServiceStore& store, ServerSettings settings);
    ~RecipeServer();
    RecipeServer(const RecipeServer&) = delete;
    RecipeServer& operator=(const RecipeServer&) = delete;

    // Binds `address`:`port` (port 0: a free port); the bound port, or -1.
    int Bind(const std::string& address, int port);
    // Answers requests until Stop; false when it could not listen.
    bool Run();
    // Safe from any thread.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pantrio
