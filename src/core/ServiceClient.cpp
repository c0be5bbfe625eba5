#include "core/ServiceClient.h"

#include <httplib.h>

#include "base/Text.h"

namespace pantrio {

namespace {

// Answers larger than this are cut off with an error: a recipe page or a
// result list is far smaller, and a hostile site must not fill the memory.
constexpr std::size_t kMaxBody = 32u * 1024u * 1024u;

ServiceResponse Answer(const httplib::Result& result) {
    ServiceResponse response;
    if (!result) {
        response.error = httplib::to_string(result.error());
        return response;
    }
    response.status = result->status;
    response.body = result->body;
    response.contentType = result->get_header_value("Content-Type");
    return response;
}

ServiceResponse BadAddress(const std::string& address) {
    ServiceResponse response;
    response.error = "not an http or https address: " + address;
    return response;
}

void Configure(httplib::Client& client, int timeout) {
    client.set_connection_timeout(timeout, 0);
    client.set_read_timeout(timeout, 0);
    client.set_write_timeout(timeout, 0);
    client.set_follow_location(true);
}

}  // namespace

bool ServiceClient::SplitAddress(const std::string& address, std::string& origin,
                                 std::string& path) {
    const std::string trimmed = Trim(address);
    std::size_t schemeEnd = trimmed.find("://");
    if (schemeEnd == std::string::npos) return false;
    const std::string scheme = ToLower(trimmed.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https") return false;
    std::size_t hostStart = schemeEnd + 3;
    std::size_t pathStart = trimmed.find_first_of("/?#", hostStart);
    if (pathStart == std::string::npos) pathStart = trimmed.size();
    if (pathStart == hostStart) return false;
    origin = scheme + "://" + trimmed.substr(hostStart, pathStart - hostStart);
    path = trimmed.substr(pathStart);
    std::size_t fragment = path.find('#');
    if (fragment != std::string::npos) path.erase(fragment);
    if (path.empty() || path[0] != '/') path.insert(0, "/");
    return true;
}

ServiceResponse ServiceClient::Get(const std::string& address, const std::string& accept) const {
    std::string origin, path;
    if (!SplitAddress(address, origin, path)) return BadAddress(address);
    httplib::Client client(origin);
    if (!client.is_valid()) return BadAddress(address);
    Configure(client, timeout_);
    httplib::Headers headers;
    if (!accept.empty()) headers.emplace("Accept", accept);
    std::string body;
    bool tooLarge = false;
    auto result = client.Get(path, headers, [&](const char* data, std::size_t length) {
        if (body.size() + length > kMaxBody) {
            tooLarge = true;
            return false;
        }
        body.append(data, length);
        return true;
    });
    if (tooLarge) {
        ServiceResponse response;
        response.error = "the answer is larger than 32 MB";
        return response;
    }
    ServiceResponse response = Answer(result);
    if (result) response.body = std::move(body);
    return response;
}

ServiceResponse ServiceClient::PostForm(const std::string& address, const Fields& fields) const {
    std::string origin, path;
    if (!SplitAddress(address, origin, path)) return BadAddress(address);
    httplib::Client client(origin);
    if (!client.is_valid()) return BadAddress(address);
    Configure(client, timeout_);
    httplib::Params params;
    for (const auto& [name, value] : fields) params.emplace(name, value);
    return Answer(client.Post(path, params));
}

}  // namespace pantrio
