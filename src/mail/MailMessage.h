// A mail to send: addresses, subject and a tree of MIME parts, with the
// header block of RFC 5322 in the order the program writes it. The message
// owns its parts; AddBodyPart stores a deep copy.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "mail/MailAddress.h"
#include "mail/MailBodyPart.h"

namespace pantrio {

class MailMessage {
public:
    enum class RecipientKind { To, Cc, Bcc };

    MailAddress from;  // also the envelope sender
    std::string subject;
    std::string xMailer = "CSMTPConnection v2.32";  // left out when empty
    MailAddress replyTo;                            // left out without an address
    std::vector<MailAddress> to;
    std::vector<MailAddress> cc;
    std::vector<MailAddress> bcc;  // envelope recipients only, never a header
    // Each written as a line of its own after the Date header.
    std::vector<std::string> extraHeaders;

    void AddRecipient(MailAddress address, RecipientKind kind);

    // Turning the multipart form on or off removes the root's children. On,
    // the root becomes "multipart/mixed" with the preamble "This is a
    // multi-part message in MIME format"; a text the root held moves into a
    // first child part of the root's charset.
    void SetMime(bool on);
    bool Mime() const { return mime_; }
    // SetMime(true), then a deep copy of `part` as the root's last child.
    void AddBodyPart(const MailBodyPart& part);
    std::size_t BodyPartCount() const { return root_.ChildCount(); }
    // An index outside the list throws std::out_of_range.
    MailBodyPart& BodyPart(std::size_t index) { return root_.Child(index); }
    void RemoveBodyPart(std::size_t index) { root_.RemoveChild(index); }

    MailBodyPart& Root() { return root_; }
    const MailBodyPart& Root() const { return root_; }
    // True when the body is the root's tree of parts; otherwise it is the
    // root's text alone.
    bool HasPartTree() const { return mime_ || root_.ChildCount() > 0; }

    // The header block dated now, and dated `when` (for tests). Each line
    // ends with "\r\n"; the blank line that ends the block is not included.
    std::string HeaderText() const;
    std::string HeaderText(std::time_t when) const;

private:
    MailBodyPart root_;
    bool mime_ = false;
};

}  // namespace pantrio
