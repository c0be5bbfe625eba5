#include "service/ServiceArguments.h"

#include <cstdlib>
#include <fstream>

#include "base/Text.h"

namespace pantrio {

std::optional<ServiceArguments> ParseServiceArguments(const std::vector<std::string>& arguments,
                                                      std::string& error) {
    ServiceArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string key = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = key.find('=');
            StartsWith(key, "--") && equals != std::string::npos) {
            value = key.substr(equals + 1);
            key.erase(equals);
        }
        if (key == "--help" || key == "-h") {
            parsed.help = true;
            continue;
        }
        if (key == "--version") {
            parsed.version = true;
            continue;
        }
        if (key != "--port" && key != "--data" && key != "--listen" && key != "--database" &&
            key != "--post-password-file") {
            error = "unknown argument " + arguments[i];
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                error = key + " needs a value";
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (key == "--port") {
            char* end = nullptr;
            const long port = std::strtol(value->c_str(), &end, 10);
            if (value->empty() || *end != '\0' || port < 0 || port > 65535) {
                error = "--port needs a number from 0 to 65535";
                return std::nullopt;
            }
            parsed.port = static_cast<int>(port);
        } else if (value->empty()) {
            error = key + " needs a value";
            return std::nullopt;
        } else if (key == "--data") {
            parsed.dataFolder = *value;
        } else if (key == "--listen") {
            parsed.listen = *value;
        } else if (key == "--database") {
            if (!StartsWith(*value, "postgresql://") && !StartsWith(*value, "postgres://")) {
                error = "--database takes a postgresql:// address";
                return std::nullopt;
            }
            parsed.databaseURL = *value;
        } else {
            parsed.passwordFile = *value;
        }
    }
    return parsed;
}

std::string ServiceUsageText() {
    return "Usage: pantrio-service [options]\n"
           "A recipe-sharing site for Pantrio users: recipes posted from the program,\n"
           "search, comments and ratings.\n\n"
           "  --port N                  port to listen on (default 8686; 0 picks a free one)\n"
           "  --listen ADDR             address to listen on (default 127.0.0.1, this\n"
           "                            computer only; 0.0.0.0 opens the site to the network)\n"
           "  --data DIR                data folder holding service.db (default\n"
           "                            $XDG_DATA_HOME/Pantrio/service)\n"
           "  --database URL            store in PostgreSQL (postgresql://user@host/db)\n"
           "                            instead of the SQLite file\n"
           "  --post-password-file F    posting a recipe needs the password in F\n"
           "  --help                    this text\n"
           "  --version                 the version\n";
}

std::string DefaultServiceFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && *dataHome) {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.local/share";
    }
    return base + "/Pantrio/service";
}

bool ReadPasswordFile(const std::string& path, std::string& password, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the password file " + path;
        return false;
    }
    std::getline(file, password);
    if (!password.empty() && password.back() == '\r') password.pop_back();
    if (password.empty()) {
        error = "the password file " + path + " holds no password on its first line";
        return false;
    }
    return true;
}

}  // namespace pantrio
