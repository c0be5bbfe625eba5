// Runs the built pantrio-cli as a user would, with its own configuration,
// data and home folders inside a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

struct CliRun {
    int code = -1;
    std::string out, err;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string ShellQuoted(const std::string& text) {
    return "'" + ReplaceAll(text, "'", "'\\''") + "'";
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.Ok()) << temp.Error();
        for (const char* dir : {"config", "data", "home"})
            std::filesystem::create_directories(temp.PathOf(dir));
    }

    CliRun Cli(const std::vector<std::string>& arguments) {
        std::string command = "env XDG_CONFIG_HOME=" + ShellQuoted(temp.PathOf("config")) +
                              " XDG_DATA_HOME=" + ShellQuoted(temp.PathOf("data")) +
                              " HOME=" + ShellQuoted(temp.PathOf("home")) + " " +
                              ShellQuoted(PANTRIO_CLI_PATH);
        for (const auto& a : arguments) command += " " + ShellQuoted(a);
        command += " >" + ShellQuoted(temp.PathOf("out")) + " 2>" + ShellQuoted(temp.PathOf("err"));
        CliRun run;
        const int status = std::system(command.c_str());
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(temp.PathOf("out"));
        run.err = ReadFile(temp.PathOf("err"));
        return run;
    }

    std::string Root() { return temp.PathOf("data") + "/Pantrio"; }

    TempDataRoot temp{false};
};

}  // namespace pantrio::test
