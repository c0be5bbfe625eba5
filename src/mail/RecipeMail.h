// The mail that carries a recipe to a friend: the recipe as an HTML page with
// its pictures as related parts, a plain-text alternative, and the recipe's
// exchange document as an attachment the receiver's program imports again.
// The caller renders the recipe; this file only assembles the message.
#pragma once

#include <string>

#include "mail/MailMessage.h"

namespace pantrio {

// Texts of the recipe mail.
extern const char* const kRecipeMailSubjectPrefix;   // "Pantrio Recipe:"
extern const char* const kRecipeMailDefaultNote;     // the note the dialog offers
extern const char* const kRecipeMailAttachmentName;  // "Pantrio_Recipe.rxf"

struct RecipeMailContent {
    std::string personalNote;      // plain text typed by the user
    std::string recipeText;        // the recipe as plain text
    std::string mailPage;          // the recipe's mail page (HTML)
    std::string siteAddress;       // the recipe service's site, without a final "/"
    std::string logoFile;          // the logo image shown under the recipe
    std::string pictureFile;       // empty unless the page shows the picture
    std::string ratingFile;        // empty unless the page shows the rating star
    std::string exchangeDocument;  // the recipe's exchange document
    std::string attachmentFolder;  // where the attachment file is written
};

struct RecipeMailResult {
    bool ok = false;
    std::string attachmentPath;  // written; the caller removes it after sending
    std::string error;           // why nothing can be sent
};

// Fills an empty message with the recipe's body:
//   multipart/mixed
//     multipart/related (Content-Location "http://localhost")
//       multipart/alternative: text/html, text/plain
//       image/gif "FTR" (logo), image/jpeg "RecipeImage", image/gif "RatingImg"
//     application/octet-stream: the exchange document
// Addresses and subject are the caller's. Fails, leaving the message as it
// was, when the attachment file cannot be written.
RecipeMailResult BuildRecipeMail(const RecipeMailContent& content, MailMessage& message);

}  // namespace pantrio
