#include "mail/MailMessage.h"

#include "mail/MailEncoding.h"

namespace pantrio {

namespace {

std::string AddressList(const std::vector<MailAddress>& addresses, const std::string& charset) {
    std::string list;
    for (const MailAddress& address : addresses) {
        if (!list.empty()) list += ',';
        list += RenderMailAddress(address, charset);
    }
    return list;
}

}  // namespace

void MailMessage::AddRecipient(MailAddress address, RecipientKind kind) {
    switch (kind) {
        case RecipientKind::To:
            to.push_back(std::move(address));
            break;
        case RecipientKind::Cc:
            cc.push_back(std::move(address));
            break;
        case RecipientKind::Bcc:
            bcc.push_back(std::move(address));
            break;
    }
}

void MailMessage::SetMime(bool on) {
    if (on == mime_) return;
    mime_ = on;
    root_.RemoveChildren();
    if (!on) return;
    const std::string text = root_.Text();
    root_.SetText("This is a multi-part message in MIME format");
    root_.SetContentType("multipart/mixed");
    if (!text.empty()) {
        MailBodyPart first;
        first.SetCharset(root_.Charset());
        first.SetText(text);
        root_.AddChild(first);
    }
}

void MailMessage::AddBodyPart(const MailBodyPart& part) {
    SetMime(true);
    root_.AddChild(part);
}

std::string MailMessage::HeaderText() const {
    return HeaderText(std::time(nullptr));
}

std::string MailMessage::HeaderText(std::time_t when) const {
    const std::string& charset = root_.Charset();
    std::string header = "From: " + RenderMailAddress(from, charset) +
                         "\r\nTo: " + AddressList(to, charset) + "\r\n";
    if (!cc.empty()) header += "Cc: " + AddressList(cc, charset) + "\r\n";
    header += "Subject: " + EncodeHeaderWord(CleanHeaderValue(subject), charset);
    if (!xMailer.empty()) header += "\r\nX-Mailer: " + CleanHeaderValue(xMailer);
    header += "\r\n";
    if (mime_) {
        if (root_.ChildCount() > 0) {
            // A multipart body has no transfer encoding of its own
            // (RFC 2045 section 6.4).
            header += "MIME-Version: 1.0\r\nContent-Type: " + root_.ContentType() +
                      "; boundary=\"" + root_.Boundary() + "\"\r\n";
        } else {
            if (root_.Base64()) {
                header += "Content-Transfer-Encoding: base64\r\n";
            } else if (root_.QuotedPrintable()) {
                header += "Content-Transfer-Encoding: quoted-printable\r\n";
            }
            header += "MIME-Version: 1.0\r\nContent-Type: " + root_.ContentType() +
                      "; charset=" + charset + "\r\n";
        }
    } else {
        header += "Content-Type: " + root_.ContentType() + ";\r\n\tcharset=" + charset + "\r\n";
    }
    if (!replyTo.address.empty())
        header += "Reply-To: " + RenderMailAddress(replyTo, charset) + "\r\n";
    header += "Date: " + MailDateText(when) + "\r\n";
    for (const std::string& line : extraHeaders) header += CleanHeaderValue(line) + "\r\n";
    return header;
}

}  // namespace pantrio
