// Plain HTTP requests to the recipe service for the programs without a
// browser (pantrio-cli). The window reaches the service through the View
// tab's browser instead. Addresses are whole ("http://host:port/path?query"),
// as ServiceAddresses builds them; "https://" works as well.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pantrio {

struct ServiceResponse {
    // The HTTP status; 0 when no answer came (refused, unreachable, time-out,
    // bad address), with the reason in `error`.
    int status = 0;
    std::string body;
    std::string contentType;
    std::string error;

    bool Ok() const { return status >= 200 && status < 300; }
};

class ServiceClient {
public:
    using Fields = std::vector<std::pair<std::string, std::string>>;

    // Seconds to wait for the connection and for each read.
    explicit ServiceClient(int timeoutSeconds = 30) : timeout_(timeoutSeconds) {}

    // GET `address`; `accept` goes into the Accept header when not empty.
    ServiceResponse Get(const std::string& address, const std::string& accept = "") const;
    // POST `fields` to `address` as an application/x-www-form-urlencoded form.
    ServiceResponse PostForm(const std::string& address, const Fields& fields) const;

    // Splits "scheme://host[:port]/path?query" into the origin
    // ("scheme://host[:port]") and the rest ("/path?query", "/" when empty).
    // False when the address is not http or https.
    static bool SplitAddress(const std::string& address, std::string& origin, std::string& path);

private:
    int timeout_;
};

}  // namespace pantrio
