#include "service/RecipeServer.h"

#include <httplib.h>

#include <charconv>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>

#include "base/Text.h"
#include "core/ServiceAddresses.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "service/PostedRecipe.h"
#include "service/ServicePages.h"
#include "service/ServiceStore.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

using Request = httplib::Request;
using Response = httplib::Response;

constexpr const char* kContentSecurityPolicy =
    "default-src 'none'; style-src 'self'; img-src 'self' data:; form-action 'self'";
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr std::size_t kMaxSearchChars = 200;
constexpr std::size_t kMaxCommentChars = 8000;
constexpr std::size_t kMaxPasswordBytes = 1024;
constexpr int kArchivePageSize = 50;
constexpr int kNewestCount = 10;

// A request that cannot be answered as asked: the status and the message of
// the page that says why.
struct Refusal {
    int status;
    std::string title;
    std::string message;
};

// When each request began, for the log line; a server thread answers one
// request at a time.
thread_local std::chrono::steady_clock::time_point requestStart;

// The fields of a request: the query's, then a form body's, by name (the
// first of a repeated name counts).
using Form = std::multimap<std::string, std::string>;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Percent escapes decoded and "+" read as a blank; a "%" that starts no
// escape stays as it is.
std::string DecodeFormText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

void AddFormText(std::string_view text, Form& form) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('&'), text.size());
        const std::string_view pair = text.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (!pair.empty())
            form.emplace(DecodeFormText(pair.substr(0, equals)),
                         equals == std::string_view::npos
                             ? std::string()
                             : DecodeFormText(pair.substr(equals + 1)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

// The fields of the address's query.
Form QueryForm(const Request& request) {
    Form form;
    const std::size_t query = request.target.find('?');
    if (query != std::string::npos)
        AddFormText(std::string_view(request.target).substr(query + 1), form);
    return form;
}

// Adds the fields of a posted body, read here rather than by the server
// library so that the request limit, not the library's small limit for
// forms, applies. 0 when read; 413 when the body is larger than
// kMaxRequestBody, 400 when it breaks off.
int ReadPostedForm(const Request& request, const httplib::ContentReader& reader, Form& form) {
    std::size_t total = 0;
    auto fits = [&total](std::size_t length) {
        total += length;
        return total <= kMaxRequestBody;
    };
    if (request.is_multipart_form_data()) {
        std::vector<std::pair<std::string, std::string>> parts;
        const bool read = reader(
            [&](const httplib::MultipartFormData& part) {
                parts.emplace_back(part.name, "");
                return true;
            },
            [&](const char* data, std::size_t length) {
                if (!fits(length) || parts.empty()) return false;
                parts.back().second.append(data, length);
                return true;
            });
        for (auto& [name, value] : parts) form.emplace(name, std::move(value));
        return total > kMaxRequestBody ? 413 : read ? 0 : 400;
    }
    std::string body;
    const bool read = reader([&](const char* data, std::size_t length) {
        if (!fits(length)) return false;
        body.append(data, length);
        return true;
    });
    if (StartsWithNoCase(request.get_header_value("Content-Type"),
                         "application/x-www-form-urlencoded"))
        AddFormText(body, form);
    return total > kMaxRequestBody ? 413 : read ? 0 : 400;
}

bool Has(const Form& form, const char* name) {
    return form.find(name) != form.end();
}

std::string Field(const Form& form, const char* name) {
    const auto found = form.find(name);
    return found == form.end() ? std::string() : found->second;
}

bool ParseWhole(const std::string& text, long& value) {
    const std::string trimmed = Trim(text);
    const char* end = trimmed.data() + trimmed.size();
    auto [at, error] = std::from_chars(trimmed.data(), end, value);
    return !trimmed.empty() && error == std::errc() && at == end;
}

bool ParseNumber(const std::string& text, double& value) {
    const std::string trimmed = Trim(text);
    const char* end = trimmed.data() + trimmed.size();
    auto [at, error] = std::from_chars(trimmed.data(), end, value);
    return !trimmed.empty() && error == std::errc() && at == end;
}

// A whole number from `low` to `high`; an absent key gives `fallback`.
long WholeField(const Form& form, const char* key, long low, long high, long fallback) {
    if (!Has(form, key)) return fallback;
    long value = 0;
    if (!ParseWhole(Field(form, key), value) || value < low || value > high)
        throw Refusal{
            400, "Bad request",
            Format("The value of \"%s\" must be a whole number from %ld to %ld.", key, low, high)};
    return value;
}

std::string SearchText(const Form& form, const char* key) {
    std::string value = Trim(Field(form, key));
    if (CharCount(value) > kMaxSearchChars)
        throw Refusal{
            400, "Bad request",
            Format("The search text \"%s\" is longer than %zu characters.", key, kMaxSearchChars)};
    // The program's empty ingredient slot.
    if (value == "%") return {};
    return SearchKey(value);
}

double MinimumRating(const Form& form, const char* key) {
    const std::string text = Field(form, key);
    if (Trim(text).empty()) return 0;
    double value = 0;
    if (!ParseNumber(text, value) || value < 0 || value > 5)
        throw Refusal{400, "Bad request",
                      Format("The minimum rating \"%s\" must be a number from 0 to 5.", key)};
    return value;
}

ServiceQuery QueryOf(const Form& form) {
    ServiceQuery query;
    query.titleContains = SearchText(form, "tc");
    query.titleBegins = SearchText(form, "ts");
    for (const char* key : {"c1", "c2", "c3"}) query.keywords.push_back(SearchText(form, key));
    for (const char* key : {"i1", "i2", "i3", "i4", "i5"})
        query.ingredients.push_back(SearchText(form, key));
    query.mainIngredient = SearchText(form, "pi");
    query.cuisine = SearchText(form, "cu");
    query.minTaste = MinimumRating(form, "ta");
    query.minAffordability = MinimumRating(form, "af");
    query.minEase = MinimumRating(form, "ef");
    query.minAppearance = MinimumRating(form, "ap");
    return query;
}

// Compares in time that depends on the lengths only, not on where the texts
// differ.
bool SameSecret(std::string_view given, std::string_view expected) {
    const std::size_t length = std::max(given.size(), expected.size());
    unsigned difference = given.size() == expected.size() ? 0u : 1u;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char a = i < given.size() ? given[i] : 0;
        const unsigned char b = i < expected.size() ? expected[i] : 0;
        difference |= static_cast<unsigned>(a ^ b);
    }
    return difference == 0;
}

// Control characters of a logged text as "?", so a request cannot write
// lines of its own into the log.
std::string LogText(std::string_view text) {
    std::string out(text.substr(0, 300));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return out;
}

void Html(Response& response, const std::string& page, int status = 200) {
    response.status = status;
    response.set_content(page, kHtml);
}

}  // namespace

struct RecipeServer::Impl {
    using Handler = std::function<void(const Request&, const Form&, Response&)>;

    Impl(ServiceStore& s, ServerSettings c) : store(s), settings(std::move(c)) {}

    ServiceStore& store;
    ServerSettings settings;
    httplib::Server server;
    std::map<std::string, Handler> gets, posts;  // by lower-cased path
    std::mutex logMutex;

    void Install();
    void Dispatch(const std::map<std::string, Handler>& table, const Request& request,
                  const Form& form, Response& response);
    void Log(const Request& request, const Response& response);

    void Home(const Request& request, const Form& form, Response& response);
    void Archive(const Request& request, const Form& form, Response& response);
    void ShowRecipe(const Request& request, const Form& form, Response& response);
    void Search(const Request& request, const Form& form, Response& response);
    void Post(const Request& request, const Form& form, Response& response);
    void SubmitComments(const Request& request, const Form& form, Response& response);
    void UpdateCheck(const Request& request, const Form& form, Response& response);
};

void RecipeServer::Impl::Install() {
    auto bind = [this](void (Impl::*method)(const Request&, const Form&, Response&)) {
        return [this, method](const Request& request, const Form& form, Response& response) {
            (this->*method)(request, form, response);
        };
    };
    gets["/"] = bind(&Impl::Home);
    gets["/index.htm"] = bind(&Impl::Home);
    gets["/recipearchive.htm"] = bind(&Impl::Archive);
    gets["/private/sec/displayrecipe.aspx"] = bind(&Impl::ShowRecipe);
    gets["/private/search.aspx"] = bind(&Impl::Search);
    gets["/private/submitcomments.aspx"] = bind(&Impl::SubmitComments);
    gets["/utils/checkforupdate.aspx"] = bind(&Impl::UpdateCheck);
    posts["/private/postrecipe.aspx"] = bind(&Impl::Post);
    gets["/tellafriend.aspx"] = [](const Request& request, const Form&, Response& response) {
        const std::string host = request.get_header_value("Host");
        Html(response, TellAFriendPage(host.empty() ? std::string() : "http://" + host));
    };
    gets["/home/welcomeuser.aspx"] = [](const Request&, const Form& form, Response& response) {
        long runs = 0;
        if (!ParseWhole(Field(form, "rc"), runs) || runs < 0 || runs > 1000000000) runs = 0;
        Html(response, WelcomePage(static_cast<int>(runs)));
    };
    gets["/wizard1.aspx"] = [](const Request&, const Form&, Response& response) {
        Html(response, WizardPage());
    };
    gets["/forums"] = [this](const Request&, const Form&, Response& response) {
        Html(response, ForumsPage(store.Newest(kNewestCount)));
    };
    gets["/cooknimport.htm"] = [](const Request&, const Form&, Response& response) {
        Html(response, CooknImportPage());
    };
    gets["/style.css"] = [](const Request&, const Form&, Response& response) {
        response.set_content(StyleSheet(), "text/css; charset=utf-8");
    };

    server.set_payload_max_length(kMaxRequestBody);
    server.set_pre_routing_handler([](const Request&, Response&) {
        requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get(".*", [this](const Request& request, Response& response) {
        Dispatch(gets, request, QueryForm(request), response);
    });
    server.Post(".*", [this](const Request& request, Response& response,
                             const httplib::ContentReader& reader) {
        Form form = QueryForm(request);
        int refused = ReadPostedForm(request, reader, form);
        // The library refuses a declared length beyond the limit itself.
        if (refused && response.status == 413) refused = 413;
        if (refused) {
            Html(
                response,
                refused == 413
                    ? MessagePage("Too large", "The request is larger than this site takes (4 MB).")
                    : MessagePage("Bad request", "The request could not be read in full."),
                refused);
            return;
        }
        Dispatch(posts, request, form, response);
    });
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const Request&,
                                                                     Response& response) {
        if (!response.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        switch (response.status) {
            case 404:
                Html(response, MessagePage("Page not found", "There is no such page here."), 404);
                break;
            case 413:
                Html(response,
                     MessagePage("Too large", "The request is larger than this site takes (4 MB)."),
                     413);
                break;
            default:
                Html(response,
                     MessagePage("Request refused", Format("The request could not be answered "
                                                           "(status %d).",
                                                           response.status)),
                     response.status);
        }
        return httplib::Server::HandlerResponse::Handled;
    }));
    server.set_post_routing_handler([](const Request&, Response& response) {
        response.set_header("Content-Security-Policy", kContentSecurityPolicy);
        response.set_header("X-Content-Type-Options", "nosniff");
        response.set_header("Referrer-Policy", "same-origin");
    });
    server.set_logger(
        [this](const Request& request, const Response& response) { Log(request, response); });
}

void RecipeServer::Impl::Dispatch(const std::map<std::string, Handler>& table,
                                  const Request& request, const Form& form, Response& response) {
    const auto found = table.find(ToLower(request.path));
    try {
        if (found == table.end()) {
            const bool otherMethod = (&table == &gets ? posts : gets).count(ToLower(request.path));
            if (otherMethod)
                Html(response,
                     MessagePage(
                         "Method not allowed",
                         Format("This address does not take %s requests.", request.method.c_str())),
                     405);
            else
                Html(response, MessagePage("Page not found", "There is no such page here."), 404);
            return;
        }
        found->second(request, form, response);
    } catch (const Refusal& refusal) {
        Html(response, MessagePage(refusal.title, refusal.message), refusal.status);
    } catch (const ServiceStoreError& error) {
        if (settings.log) {
            std::lock_guard lock(logMutex);
            *settings.log << "database error: " << LogText(error.what()) << std::endl;
        }
        Html(response,
             MessagePage("Service unavailable",
                         "The recipe service could not reach its database. Please try later."),
             503);
    }
}

void RecipeServer::Impl::Log(const Request& request, const Response& response) {
    if (!settings.log) return;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - requestStart);
    std::string line =
        request.method + " " + LogText(request.path) + " " + std::to_string(response.status) + " " +
        std::to_string(response.body.size()) + " " +
        std::to_string(requestStart.time_since_epoch().count() ? elapsed.count() : 0) + "ms";
    if (request.has_param("refer")) line += " refer=" + LogText(request.get_param_value("refer"));
    requestStart = {};
    std::lock_guard lock(logMutex);
    *settings.log << line << std::endl;
}

void RecipeServer::Impl::Home(const Request&, const Form& form, Response& response) {
    const std::string referrer = Trim(Field(form, "refer"));
    if (!referrer.empty()) store.CountReferrer(CutChars(referrer, 100));
    Html(response, HomePage(store.Newest(kNewestCount), store.RecipeCount()));
}

void RecipeServer::Impl::Archive(const Request&, const Form& form, Response& response) {
    const int count = store.RecipeCount();
    const int pages = std::max(1, (count + kArchivePageSize - 1) / kArchivePageSize);
    long page = 1;
    if (!ParseWhole(Field(form, "page"), page) || page < 1) page = 1;
    if (page > pages) page = pages;
    const int number = static_cast<int>(page);
    Html(response, ArchivePage(store.ByTitle((number - 1) * kArchivePageSize, kArchivePageSize),
                               number, pages));
}

void RecipeServer::Impl::ShowRecipe(const Request&, const Form& form, Response& response) {
    long number = 0;
    std::optional<ServiceRecipe> stored;
    if (ParseWhole(Field(form, "id"), number) && number > 0) stored = store.Recipe(number);
    if (!stored) {
        Html(response, MessagePage("Recipe not found", "There is no recipe with that number."),
             404);
        return;
    }
    Recipe recipe;
    if (ReadRecipeDocument(recipe, stored->document) != 0)
        throw ServiceStoreError(Format("stored recipe %ld does not read", number));
    Html(response,
         RecipePage(std::move(recipe), number, store.Averages(number), store.Comments(number)));
}

void RecipeServer::Impl::Search(const Request& request, const Form& form, Response& response) {
    const std::vector<RecipeHeading> results = store.Search(QueryOf(form));
    if (request.get_header_value("Accept").find("application/json") != std::string::npos)
        response.set_content(ResultsJson(results), "application/json; charset=utf-8");
    else
        Html(response, ResultsPage(results));
}

void RecipeServer::Impl::Post(const Request&, const Form& form, Response& response) {
    const std::string title = Field(form, "title");
    const std::string page = Field(form, "recipehtml");
    const std::string document = Field(form, "recipexml");
    if (!settings.postPassword.empty()) {
        const std::string password = Field(form, "password");
        if (password.size() > kMaxPasswordBytes || !SameSecret(password, settings.postPassword)) {
            Html(response,
                 PasswordPage({{"title", title}, {"recipehtml", page}, {"recipexml", document}},
                              !password.empty()),
                 403);
            return;
        }
    }
    if (page.size() > kMaxPostedPage)
        throw Refusal{400, "Recipe not taken", "The posted page is larger than 2 MB."};
    Recipe recipe;
    std::string error;
    if (!ReadPostedRecipe(document, recipe, error)) throw Refusal{400, "Recipe not taken", error};

    long number = 0;
    if (recipe.UniqueID > 0 && store.Recipe(recipe.UniqueID)) number = recipe.UniqueID;
    if (number == 0) number = store.FindDuplicate(recipe.Title, DuplicateKey(recipe.Instructions));
    const bool updated = number > 0;
    if (!updated) number = store.AddRecipe(StoredRecipe(recipe, 0, page));
    store.UpdateRecipe(StoredRecipe(recipe, number, page));
    Html(response, PostedPage({number, recipe.Title}, updated));
}

void RecipeServer::Impl::SubmitComments(const Request&, const Form& form, Response& response) {
    long number = 0;
    if (!ParseWhole(Field(form, "uniqueID"), number))
        throw Refusal{400, "Bad request", "The comments do not say which recipe they are for."};
    ServiceComment comment;
    comment.recipe = number;
    comment.notes = Field(form, "txtNotes");
    if (CharCount(comment.notes) > kMaxCommentChars)
        throw Refusal{400, "Comments not taken",
                      Format("Comments are limited to %zu characters.", kMaxCommentChars)};
    comment.makeAgain = ToUpper(Trim(Field(form, "radioMake")));
    if (comment.makeAgain != "YES" && comment.makeAgain != "NO" &&
        comment.makeAgain != "DIDNOTMAKE")
        throw Refusal{400, "Comments not taken",
                      "Please say whether you would make the recipe again (YES, NO or "
                      "DIDNOTMAKE)."};
    comment.taste = static_cast<int>(WholeField(form, "tasteRating", 0, 5, 0));
    comment.appearance = static_cast<int>(WholeField(form, "appearanceRating", 0, 5, 0));
    comment.ease = static_cast<int>(WholeField(form, "easeRating", 0, 5, 0));
    comment.affordability = static_cast<int>(WholeField(form, "affordabilityRating", 0, 5, 0));
    comment.activeMinutes = static_cast<int>(WholeField(form, "am", 0, 100000, 0));
    comment.totalMinutes = static_cast<int>(WholeField(form, "tm", 0, 100000, 0));
    const std::optional<ServiceRecipe> recipe =
        number > 0 ? store.Recipe(number) : std::optional<ServiceRecipe>();
    if (!recipe || !store.AddComment(comment)) {
        Html(response, MessagePage("Recipe not found", "There is no recipe with that number."),
             404);
        return;
    }
    Html(response, CommentThanksPage({number, recipe->title}));
}

void RecipeServer::Impl::UpdateCheck(const Request&, const Form& form, Response& response) {
    int major = 0, minor = 0, micro = 0;
    ProductVersion(major, minor, micro);
    const long given[3] = {WholeField(form, "maj", 0, 100000, -1),
                           WholeField(form, "min", 0, 100000, -1),
                           WholeField(form, "mic", 0, 100000, -1)};
    if (given[0] < 0 || given[1] < 0 || given[2] < 0)
        throw Refusal{400, "Bad request", "The update check needs maj, min and mic."};
    const long own[3] = {major, minor, micro};
    const bool newer = std::lexicographical_compare(given, given + 3, own, own + 3);
    Html(response,
         MessagePage("Update check",
                     newer ? Format("A newer version %d.%d.%d is available.", major, minor, micro)
                           : std::string("You have the latest version.")));
}

RecipeServer::RecipeServer(ServiceStore& store, ServerSettings settings)
    : impl_(std::make_unique<Impl>(store, std::move(settings))) {
    impl_->Install();
}

RecipeServer::~RecipeServer() = default;

int RecipeServer::Bind(const std::string& address, int port) {
    if (port == 0) return impl_->server.bind_to_any_port(address.c_str());
    return impl_->server.bind_to_port(address.c_str(), port) ? port : -1;
}

bool RecipeServer::Run() {
    return impl_->server.listen_after_bind();
}

void RecipeServer::Stop() {
    impl_->server.stop();
}

}  // namespace pantrio
