// The byte stream under the SMTP connection: a TCP socket, optionally wrapped
// in TLS, whose every wait is cut into slices of 250 ms so that a time limit
// and a cancel flag set from another thread end it promptly. OpenSSL stays
// inside the .cpp file.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

namespace pantrio {

// Error values beside the system's errno values, kept as the program has
// always reported them.
inline constexpr int kMailErrorTimedOut = 10060;
inline constexpr int kMailErrorUnexpectedReply = 10043;
inline constexpr int kMailErrorInvalidArgument = 10022;
inline constexpr int kMailErrorBadCommand = 22;

class MailStream {
public:
    enum class ReadResult { Data, Nothing, Closed };

    MailStream();
    ~MailStream();
    MailStream(const MailStream&) = delete;
    MailStream& operator=(const MailStream&) = delete;

    // Set before use; both outlive the stream.
    void SetCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
    void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    // Resolves `host` (a dotted number or a name) and connects; binds to
    // `localAddress` first when it is not empty. A failed look-up gives
    // kMailErrorInvalidArgument, a refused connection the system's errno.
    bool Connect(const std::string& host, int port, const std::string& localAddress);
    // The TLS handshake on the open socket, verifying the server's
    // certificate chain and its name (or address) against `caFile`, or the
    // system's trust store when that is empty. `ErrorText` says why it failed.
    bool StartTls(const std::string& host, const std::string& caFile);
    bool Send(std::string_view data);
    // Waits at most `waitMs` for bytes and appends what arrived.
    ReadResult Read(std::string& out, int waitMs);
    void Close();

    bool IsOpen() const { return fd_ >= 0; }
    bool Encrypted() const;
    bool Cancelled() const { return cancel_ && cancel_->load(); }
    int LastError() const { return lastError_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    struct Tls;
    // Waits for the socket to become readable or writable, in slices, within
    // the timeout; false (with the error set) on timeout, cancel or failure.
    bool WaitFor(short events);
    bool Fail(int error, std::string text);

    int fd_ = -1;
    std::unique_ptr<Tls> tls_;
    const std::atomic<bool>* cancel_ = nullptr;
    int timeoutMs_ = 60000;
    int lastError_ = 0;
    std::string errorText_;
};

}  // namespace pantrio
