#include "mail/RecipeMail.h"

#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "formats/XmlEscapes.h"
#include "mail/MailEncoding.h"

namespace pantrio {

const char* const kRecipeMailSubjectPrefix = "Pantrio Recipe:";
const char* const kRecipeMailDefaultNote =
    "I'm sending you this recipe, which can be directly imported into Pantrio for Windows.";
const char* const kRecipeMailAttachmentName = "Pantrio_Recipe.rxf";

namespace {

std::string TextFooter(const std::string& site) {
    return "Import the recipe attachment directly into Pantrio for Windows, and gain access to "
           "thousands more great recipes.  Get your free copy at " +
           site + "/index.htm?refer=txteml";
}

std::string HtmlFooter(const std::string& site) {
    return "<BR>Import the recipe attached recipe without any typing into Pantrio(tm), the recipe "
           "sharing system for Windows.  Try your free copy today at <a href='" +
           site + "/index.htm?refer=htmleml'>" + site + "</A>.";
}

// The note is what the user typed, not markup: it is shown as typed, line
// breaks included, and can carry no element into the page.
std::string NoteAsHtml(const std::string& note) {
    return WithLineEnds(EscapeXmlText(note), "<BR>");
}

// An image the page refers to by content id. A file that is missing leaves a
// part of the image's type without a body, so the page shows an empty frame
// rather than the mail failing.
MailBodyPart ImagePart(const std::string& file, const char* contentId, const char* type) {
    MailBodyPart part;
    part.SetAttachmentFile(file);
    part.SetContentId(contentId);
    part.SetContentType(type);
    return part;
}

}  // namespace

RecipeMailResult BuildRecipeMail(const RecipeMailContent& content, MailMessage& message) {
    RecipeMailResult result;
    const std::string path =
        (std::filesystem::path(content.attachmentFolder) / kRecipeMailAttachmentName).string();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << content.exchangeDocument;
        file.close();
        // Sending on without the file would attach whatever an earlier mail
        // left under that name, so a failure here stops the mail.
        if (!file) {
            result.error = "Could not create temporary file in " + content.attachmentFolder;
            return result;
        }
    }

    MailBodyPart html;
    html.SetText(NoteAsHtml(content.personalNote) + "<BR><BR><FONT SIZE=-1>" + content.mailPage +
                 "</FONT><BR><a href='" + content.siteAddress +
                 "'><IMG SRC='cid:FTR' ALT='Pantrio' BORDER=0></A>&nbsp;&nbsp;" +
                 HtmlFooter(content.siteAddress));
    html.SetContentType("text/html");

    MailBodyPart text;
    text.SetText(content.personalNote + "\n" + content.recipeText +
                 TextFooter(content.siteAddress));

    MailBodyPart alternative;
    alternative.SetContentType("multipart/alternative");
    alternative.AddChild(html);
    alternative.AddChild(text);

    MailBodyPart related;
    related.SetContentType("multipart/related");
    related.AddChild(alternative);
    related.AddChild(ImagePart(content.logoFile, "FTR", "image/gif"));
    if (!content.pictureFile.empty())
        related.AddChild(ImagePart(Trim(content.pictureFile), "RecipeImage", "image/jpeg"));
    if (!content.ratingFile.empty())
        related.AddChild(ImagePart(content.ratingFile, "RatingImg", "image/gif"));

    MailBodyPart attachment;
    attachment.SetAttachmentFile(path);

    message.AddBodyPart(related);
    message.BodyPart(0).SetContentLocation("http://localhost");
    message.AddBodyPart(attachment);

    result.ok = true;
    result.attachmentPath = path;
    return result;
}

}  // namespace pantrio
