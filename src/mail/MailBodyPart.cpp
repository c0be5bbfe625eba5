#include "mail/MailBodyPart.h"

#include <uuid/uuid.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/Text.h"
#include "mail/MailEncoding.h"

namespace pantrio {

namespace {

std::string NewBoundary() {
    uuid_t id;
    uuid_generate(id);
    char text[37];
    uuid_unparse_lower(id, text);
    return text;
}

// A parameter value as an RFC 2045 section 5.1 quoted string, so file names
// with blanks or specials survive.
std::string Quoted(std::string_view value) {
    const std::string clean = CleanHeaderValue(value);
    return "\"" + ReplaceAll(ReplaceAll(clean, "\\", "\\\\"), "\"", "\\\"") + "\"";
}

// RFC 2045 section 7 and RFC 2392: a content id is a message id in angle
// brackets, which is what lets a reader match it to a "cid:" address.
std::string BracketedId(const std::string& id) {
    if (!id.empty() && id.front() == '<') return CleanHeaderValue(id);
    return "<" + CleanHeaderValue(id) + ">";
}

}  // namespace

MailBodyPart::MailBodyPart() : boundary_(NewBoundary()) {}

MailBodyPart::MailBodyPart(const MailBodyPart& other) {
    CopyFrom(other);
}

MailBodyPart& MailBodyPart::operator=(const MailBodyPart& other) {
    if (this != &other) {
        // Copy first: `other` may live inside this part's own tree.
        MailBodyPart copy(other);
        children_.clear();
        CopyFrom(copy);
    }
    return *this;
}

MailBodyPart::~MailBodyPart() = default;

void MailBodyPart::CopyFrom(const MailBodyPart& other) {
    filePath_ = other.filePath_;
    fileTitle_ = other.fileTitle_;
    contentType_ = other.contentType_;
    charset_ = other.charset_;
    contentBase_ = other.contentBase_;
    contentId_ = other.contentId_;
    contentLocation_ = other.contentLocation_;
    text_ = other.text_;
    quotedPrintable_ = other.quotedPrintable_;
    base64_ = other.base64_;
    boundary_ = other.boundary_;
    for (const auto& child : other.children_) AddChild(*child);
}

void MailBodyPart::SetText(std::string_view text) {
    text_ = WithLineEnds(text, "\r\n");
    contentType_ = "text/plain";
}

bool MailBodyPart::SetAttachmentFile(const std::string& path) {
    // A folder has a status too, but no body to send.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return false;
    filePath_ = path;
    fileTitle_ = std::filesystem::path(path).filename().string();
    contentType_ = "application/octet-stream";
    return true;
}

void MailBodyPart::SetContentId(std::string id) {
    contentId_ = std::move(id);
    contentLocation_.clear();
}

void MailBodyPart::SetContentLocation(std::string location) {
    contentLocation_ = std::move(location);
    contentId_.clear();
}

void MailBodyPart::AddChild(const MailBodyPart& child) {
    children_.push_back(std::make_unique<MailBodyPart>(child));
    children_.back()->parent_ = this;
}

void MailBodyPart::RemoveChild(std::size_t index) {
    if (index >= children_.size()) throw std::out_of_range("MailBodyPart::RemoveChild");
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string MailBodyPart::PartHeader() const {
    const bool attachment = !filePath_.empty();
    const bool multipart = !children_.empty();
    const std::string parentBoundary = parent_ ? parent_->boundary_ : std::string();

    std::string header = attachment ? "\r\n\r\n--" : "\r\n--";
    header += parentBoundary + "\r\nContent-Type: " + CleanHeaderValue(contentType_);
    // Only a text carries a charset; a file or a container declaring one
    // would claim something it does not hold.
    if (!attachment && !multipart) header += "; charset=" + CleanHeaderValue(charset_);
    if (attachment) header += "; name=" + Quoted(fileTitle_);
    if (multipart) header += "; boundary=\"" + boundary_ + "\"";
    header += "\r\n";
    if (attachment) {
        header +=
            "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=" +
            Quoted(fileTitle_) + "\r\n";
    } else if (!multipart) {
        // A multipart entity carries no transfer encoding of its own
        // (RFC 2045 section 6.4); its children carry theirs.
        if (base64_) {
            header += "Content-Transfer-Encoding: base64\r\n";
        } else if (quotedPrintable_) {
            header += "Content-Transfer-Encoding: quoted-printable\r\n";
        }
    }
    if (!contentBase_.empty()) header += "Content-Base: " + CleanHeaderValue(contentBase_) + "\r\n";
    if (!contentId_.empty()) header += "Content-ID: " + BracketedId(contentId_) + "\r\n";
    if (!contentLocation_.empty())
        header += "Content-Location: " + CleanHeaderValue(contentLocation_) + "\r\n";
    header += "\r\n";
    return header;
}

bool MailBodyPart::PartBody(std::string& body) const {
    body.clear();
    if (!filePath_.empty()) {
        std::ifstream file(filePath_, std::ios::binary);
        if (!file) return false;
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        if (file.bad()) return false;
        body = Base64Lines(bytes);
        return true;
    }
    if (base64_) {
        body = Base64Lines(text_);
    } else if (quotedPrintable_) {
        body = EncodeQuotedPrintable(text_);
    } else {
        body = text_;
    }
    return true;
}

std::string MailBodyPart::PartFooter() const {
    return children_.empty() ? std::string() : "\r\n--" + boundary_ + "--";
}

}  // namespace pantrio
