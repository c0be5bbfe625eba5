// The command line of pantrio-service.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pantrio {

struct ServiceArguments {
    int port = 8686;
    std::string listen = "127.0.0.1";
    std::string dataFolder;    // empty: DefaultServiceFolder()
    std::string databaseURL;   // postgresql://…; empty: the SQLite file in the data folder
    std::string passwordFile;  // empty: posting needs no password
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name ("--key value" or
// "--key=value"); nullopt with the reason in `error` for a usage error.
std::optional<ServiceArguments> ParseServiceArguments(const std::vector<std::string>& arguments,
                                                      std::string& error);

std::string ServiceUsageText();

// $XDG_DATA_HOME/Pantrio/service, or ~/.local/share/Pantrio/service.
std::string DefaultServiceFolder();

// The posting password: the first line of `path` without its line end; false
// with the reason when the file cannot be read or the line is empty.
bool ReadPasswordFile(const std::string& path, std::string& password, std::string& error);

}  // namespace pantrio
