#include "mail/MailServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace pantrio::test {

namespace {

const std::string kScriptDir = std::string(PANTRIO_TEST_DATA_DIR) + "/../mail";

// Starts `arguments` with its standard output on a pipe and, when `quiet`,
// its error output thrown away; the child's pid, or -1.
pid_t Spawn(const std::vector<std::string>& arguments, int& outFd, bool quiet) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (quiet) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
        }
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return -1;
    }
    outFd = fds[0];
    return pid;
}

// Reads from `fd` until end of file, or only the first line when `oneLine`,
// waiting at most `timeoutMs` for each piece.
std::string ReadOutput(int fd, bool oneLine, int timeoutMs) {
    std::string out;
    char buffer[4096];
    for (;;) {
        pollfd item{fd, POLLIN, 0};
        if (poll(&item, 1, timeoutMs) <= 0) break;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        out.append(buffer, static_cast<std::size_t>(got));
        if (oneLine && out.find('\n') != std::string::npos) break;
    }
    return out;
}

}  // namespace

std::string TestPython() {
    if (const char* python = std::getenv("PANTRIO_TEST_PYTHON")) return python;
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

std::string MailServer::SkipReason() {
    static const std::string reason = [] {
        std::string error;
        RunProgram({TestPython(), "-c", "import aiosmtpd"}, error);
        if (!error.empty())
            return TestPython() +
                   " cannot import aiosmtpd (install python3-aiosmtpd; scripts/setup.sh does)";
        RunProgram({"openssl", "version"}, error);
        if (!error.empty()) return std::string("the openssl command is missing");
        return std::string();
    }();
    return reason;
}

MailServer::~MailServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

bool MailServer::Start(const MailServerOptions& options, const std::string& storeDir,
                       const std::string& certDir, std::string& error) {
    std::vector<std::string> arguments = {TestPython(), kScriptDir + "/smtp_server.py", "--store",
                                          storeDir};
    if (!options.user.empty()) {
        arguments.insert(arguments.end(), {"--user", options.user, "--password", options.password});
    }
    if (options.tls || options.startTls) {
        arguments.insert(arguments.end(),
                         {"--cert", certDir + "/cert.pem", "--key", certDir + "/key.pem"});
    }
    if (options.tls) arguments.push_back("--tls");
    if (options.startTls) arguments.push_back("--starttls");
    if (options.allowPlainAuth) arguments.push_back("--allow-plain-auth");
    for (const auto& refused : options.refuseRecipients)
        arguments.insert(arguments.end(), {"--refuse-rcpt", refused});

    int out = -1;
    pid_ = Spawn(arguments, out, false);
    if (pid_ < 0) {
        error = "cannot start " + arguments[0];
        return false;
    }
    const std::string line = ReadOutput(out, true, 15000);
    close(out);
    port_ = std::atoi(line.c_str());
    if (port_ <= 0) error = "the mail server did not start: " + line;
    return port_ > 0;
}

std::string RunProgram(const std::vector<std::string>& arguments, std::string& error) {
    int out = -1;
    const pid_t pid = Spawn(arguments, out, true);
    if (pid < 0) {
        error = "cannot start " + arguments[0];
        return {};
    }
    std::string output = ReadOutput(out, false, 30000);
    close(out);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = arguments[0] + " failed";
        return {};
    }
    error.clear();
    return output;
}

bool MakeSelfSignedCertificate(const std::string& dir, std::string& error) {
    RunProgram({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1", "-keyout",
                dir + "/key.pem", "-out", dir + "/cert.pem"},
               error);
    return error.empty();
}

std::string MimeTree(const std::string& messageFile, const std::string& outDir,
                     std::string& error) {
    return RunProgram({TestPython(), kScriptDir + "/mime_tree.py", messageFile, outDir}, error);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace pantrio::test
