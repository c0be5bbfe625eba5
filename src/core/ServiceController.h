// The recipe service without a browser, for pantrio-cli: posts a recipe
// through the same form fields as the View tab's posting page and stores
// the number the service assigns exactly as the View tab does, searches the
// service, and imports a recipe page of the service through the View tab's
// page import. The service's address is given with each call, so a caller
// may use another service than the ServiceURL setting names.
#pragma once

#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/ServiceAddresses.h"
#include "core/ServiceClient.h"
#include "core/WebView.h"

namespace pantrio {

struct FindCriteria;

class ServiceController {
public:
    explicit ServiceController(ControllerContext context, ServiceClient client = ServiceClient());

    // The service the ServiceURL setting names (not Configured() when none).
    ServiceAddresses ConfiguredService() const;

    struct PostResult {
        bool ok = false;
        std::string number;   // the number the service answered with
        bool stored = false;  // false for a revision: the recipe kept its number
        std::string error;    // what went wrong, when not ok
    };
    // Posts recipe `recipeID` of the open box (a non-empty `password` goes
    // with it) and stores the number the service answers with as the
    // recipe's UniqueID with icon 1, unless it has one already (a revision).
    // Nothing is stored when the service refuses or its answer holds no
    // number.
    PostResult Post(const ServiceAddresses& service, int recipeID, const std::string& password);

    struct SearchHit {
        long number = 0;
        std::string title;
    };
    // The service's recipes that meet `criteria`; false with `error` set
    // when the service cannot be asked or gives no list.
    bool Search(const ServiceAddresses& service, const FindCriteria& criteria,
                std::vector<SearchHit>& hits, std::string& error);

    // Fetches recipe page `number` of the service and imports the recipe it
    // holds as the View tab's Import button does (a duplicate is found, not
    // stored again). recipeID is -1 when nothing was imported; a page that
    // cannot be fetched sets `error`, one that holds no readable recipe is
    // reported by the import itself.
    PageImportResult Import(const ServiceAddresses& service, long number, std::string& error);

private:
    // The reason an answer is not one to read: no answer or an HTTP error.
    static std::string Failure(const ServiceResponse& response, const std::string& what);

    ControllerContext context_;
    ServiceClient client_;
};

}  // namespace pantrio
