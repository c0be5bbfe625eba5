// pantrio-service: the recipe-sharing site. Opens its store (a SQLite file in
// the data folder, or PostgreSQL), binds its address and answers requests
// until SIGINT or SIGTERM.
#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

#include "service/PostgresServiceStore.h"
#include "service/RecipeServer.h"
#include "service/ServiceArguments.h"
#include "service/SqliteServiceStore.h"

using namespace pantrio;

namespace {

constexpr int kExitOk = 0, kExitFailure = 1, kExitUsage = 2;

std::unique_ptr<ServiceStore> OpenStore(const ServiceArguments& arguments, std::string& where) {
    if (!arguments.databaseURL.empty()) {
        where = "PostgreSQL";
        return std::make_unique<PostgresServiceStore>(arguments.databaseURL);
    }
    const std::string folder =
        arguments.dataFolder.empty() ? DefaultServiceFolder() : arguments.dataFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw ServiceStoreError("cannot create the data folder " + folder + ": " + error.message());
    where = folder + "/service.db";
    return std::make_unique<SqliteServiceStore>(where);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto arguments = ParseServiceArguments({argv + 1, argv + argc}, error);
    if (!arguments) {
        std::cerr << "pantrio-service: " << error << "\n\n" << ServiceUsageText();
        return kExitUsage;
    }
    if (arguments->help) {
        std::cout << ServiceUsageText();
        return kExitOk;
    }
    if (arguments->version) {
        std::cout << "pantrio-service " << PANTRIO_VERSION << "\n";
        return kExitOk;
    }

    ServerSettings settings;
    settings.log = &std::cerr;
    if (!arguments->passwordFile.empty() &&
        !ReadPasswordFile(arguments->passwordFile, settings.postPassword, error)) {
        std::cerr << "pantrio-service: " << error << "\n";
        return kExitFailure;
    }

    std::unique_ptr<ServiceStore> store;
    std::string where;
    try {
        store = OpenStore(*arguments, where);
    } catch (const ServiceStoreError& failure) {
        std::cerr << "pantrio-service: " << failure.what() << "\n";
        return kExitFailure;
    }

    // The signals are taken by one thread that stops the server; the
    // server's own threads never see them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    RecipeServer server(*store, settings);
    const int port = server.Bind(arguments->listen, arguments->port);
    if (port < 0) {
        std::cerr << "pantrio-service: cannot listen on " << arguments->listen << ":"
                  << arguments->port << "\n";
        return kExitFailure;
    }
    std::cerr << "pantrio-service " << PANTRIO_VERSION << ": recipes in " << where
              << (settings.postPassword.empty() ? "" : "; posting needs the password") << "\n";
    const bool loopback = arguments->listen == "127.0.0.1" || arguments->listen == "::1" ||
                          arguments->listen == "localhost";
    if (!loopback && settings.postPassword.empty())
        std::cerr << "pantrio-service: the site is open to the network and anyone who reaches it "
                     "can post recipes; --post-password-file keeps strangers out\n";
    const std::string host = arguments->listen.find(':') == std::string::npos
                                 ? arguments->listen
                                 : "[" + arguments->listen + "]";  // IPv6
    std::cout << "Listening on http://" << host << ":" << port << std::endl;

    std::thread waiter([&server, signals] {
        int received = 0;
        sigwait(&signals, &received);
        server.Stop();
    });
    const bool ran = server.Run();
    if (!ran) {
        // Wake the waiting thread so it can end.
        pthread_kill(waiter.native_handle(), SIGTERM);
    }
    waiter.join();
    return ran ? kExitOk : kExitFailure;
}
