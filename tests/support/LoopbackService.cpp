#include "support/LoopbackService.h"

#include <httplib.h>

#include <chrono>
#include <cstdlib>

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "formats/XmlEscapes.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"

namespace pantrio::test {

namespace {

std::string Unquoted(const std::string& posted) {
    return ReplaceAll(ReplaceAll(posted, "~doublequote", "\""), "~quote", "'");
}

}  // namespace

LoopbackService::LoopbackService(std::string password)
    : password_(std::move(password)), server_(std::make_unique<httplib::Server>()) {
    Serve();
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

void LoopbackService::Serve() {
    server_->Post("/private/postrecipe.aspx", [this](const httplib::Request& request,
                                                     httplib::Response& response) {
        Posting posting{request.get_param_value("title"), request.get_param_value("recipehtml"),
                        request.get_param_value("recipexml"), request.get_param_value("password")};
        std::lock_guard lock(mutex_);
        if (posting.password != password_) {
            response.status = 403;
            response.set_content("<html><body>Posting password needed.</body></html>", "text/html");
            return;
        }
        if (withhold_) {
            response.set_content("<html><body>Thank you!</body></html>", "text/html");
            return;
        }
        Recipe recipe;
        if (ReadRecipeDocument(recipe, Unquoted(posting.recipexml)) != 0) {
            response.status = 400;
            response.set_content("<html><body>Not a recipe.</body></html>", "text/html");
            return;
        }
        // A revision keeps its number.
        long number = recipe.UniqueID > 0 && postings_.count(recipe.UniqueID) != 0
                          ? recipe.UniqueID
                          : 1000 + static_cast<long>(postings_.size()) + 1;
        postings_[number] = std::move(posting);
        response.set_content("<html><body>Thank you!<!-- saved --><!--@CRFASSIGNUNIQUEID=" +
                                 std::to_string(number) + "--></body></html>",
                             "text/html");
    });
    server_->Get(R"(/Private/search\.aspx)", [this](const httplib::Request& request,
                                                    httplib::Response& response) {
        const std::string contains = request.get_param_value("tc");
        const std::string begins = request.get_param_value("ts");
        std::string results;
        std::lock_guard lock(mutex_);
        for (const auto& [number, posting] : postings_) {
            const std::string title = posting.title;
            if (!contains.empty() && FindNoCase(title, contains) == std::string::npos) continue;
            if (!begins.empty() && !StartsWithNoCase(title, begins)) continue;
            if (!results.empty()) results += ",";
            results += "{\"id\":" + std::to_string(number) + ",\"title\":\"" +
                       ReplaceAll(ReplaceAll(title, "\\", "\\\\"), "\"", "\\\"") + "\"}";
        }
        response.set_content("{\"results\":[" + results + "]}", "application/json");
    });
    server_->Get("/private/sec/displayrecipe.aspx", [this](const httplib::Request& request,
                                                           httplib::Response& response) {
        const long number = std::atol(request.get_param_value("id").c_str());
        std::lock_guard lock(mutex_);
        const auto found = postings_.find(number);
        Recipe recipe;
        if (found == postings_.end() ||
            ReadRecipeDocument(recipe, Unquoted(found->second.recipexml)) != 0) {
            response.status = 404;
            response.set_content("<html><body>No such recipe.</body></html>", "text/html");
            return;
        }
        recipe.UniqueID = static_cast<int>(number);
        response.set_content("<html><body><h1>" + EscapeXmlText(recipe.Title) + "</h1>" +
                                 kRecipeDataBegin + WriteRecipeDocument(recipe) + kRecipeDataEnd +
                                 "</body></html>",
                             "text/html");
    });
}

}  // namespace pantrio::test
