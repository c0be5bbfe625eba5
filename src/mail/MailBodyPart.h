// One node of a mail's MIME tree (RFC 2045, RFC 2046): a text or an attached
// file, or a multipart container of child parts. A part owns its children;
// adding a child stores a deep copy, so callers keep their own objects.
//
// Texts are UTF-8 and the default charset says so. Rendering gives the exact
// text of the part's header, body and footer; the SMTP connection dot-stuffs
// the whole data stream itself, so nothing here is stuffed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

class MailBodyPart {
public:
    MailBodyPart();
    MailBodyPart(const MailBodyPart& other);
    MailBodyPart& operator=(const MailBodyPart& other);
    ~MailBodyPart();

    // Stores the text with every line end made "\r\n" and makes the content
    // type "text/plain".
    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    // Makes the part an attachment of the file: its name (without folder)
    // becomes the file title and the type "application/octet-stream". False,
    // and nothing changed, when the file's status cannot be read.
    bool SetAttachmentFile(const std::string& path);
    const std::string& FilePath() const { return filePath_; }
    const std::string& FileTitle() const { return fileTitle_; }

    void SetContentType(std::string type) { contentType_ = std::move(type); }
    const std::string& ContentType() const { return contentType_; }
    void SetCharset(std::string charset) { charset_ = std::move(charset); }
    const std::string& Charset() const { return charset_; }
    void SetContentBase(std::string base) { contentBase_ = std::move(base); }
    const std::string& ContentBase() const { return contentBase_; }
    // A content id and a content location exclude each other: setting one
    // empties the other.
    void SetContentId(std::string id);
    const std::string& ContentId() const { return contentId_; }
    void SetContentLocation(std::string location);
    const std::string& ContentLocation() const { return contentLocation_; }
    // Base64 takes precedence over quoted-printable when both are on.
    void SetQuotedPrintable(bool on) { quotedPrintable_ = on; }
    bool QuotedPrintable() const { return quotedPrintable_; }
    void SetBase64(bool on) { base64_ = on; }
    bool Base64() const { return base64_; }

    // A fresh UUID for every new part; copies keep it.
    const std::string& Boundary() const { return boundary_; }

    void AddChild(const MailBodyPart& child);
    std::size_t ChildCount() const { return children_.size(); }
    // An index outside the list throws std::out_of_range.
    const MailBodyPart& Child(std::size_t index) const { return *children_.at(index); }
    MailBodyPart& Child(std::size_t index) { return *children_.at(index); }
    void RemoveChild(std::size_t index);
    void RemoveChildren() { children_.clear(); }
    const MailBodyPart* Parent() const { return parent_; }

    // The boundary line and the headers of the part, ending with the blank
    // line before its body.
    std::string PartHeader() const;
    // The encoded body. False when the attached file cannot be read.
    bool PartBody(std::string& body) const;
    // The closing boundary of a part with children, else empty.
    std::string PartFooter() const;

private:
    void CopyFrom(const MailBodyPart& other);

    std::string filePath_;
    std::string fileTitle_;
    std::string contentType_ = "text/plain";
    std::string charset_ = "UTF-8";
    std::string contentBase_;
    std::string contentId_;
    std::string contentLocation_;
    std::string text_;
    bool quotedPrintable_ = true;
    bool base64_ = false;
    std::string boundary_;
    std::vector<std::unique_ptr<MailBodyPart>> children_;
    MailBodyPart* parent_ = nullptr;
};

}  // namespace pantrio
