#include "mail/MailStream.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace pantrio {

namespace {

constexpr int kSliceMs = 250;

using Clock = std::chrono::steady_clock;

// OpenSSL writes to the socket with write(), which raises SIGPIPE when the
// server has gone. The signal is held back for this thread while TLS writes
// and any that became pending is taken away, so the program is not ended and
// the write fails with EPIPE instead.
class SigpipeGuard {
public:
    SigpipeGuard() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &old_);
    }
    ~SigpipeGuard() {
        sigset_t pending;
        sigpending(&pending);
        if (!wasPending_ && sigismember(&pending, SIGPIPE) == 1) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec zero{0, 0};
            sigtimedwait(&pipe, nullptr, &zero);
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }

private:
    sigset_t old_;
    bool wasPending_ = false;
};

addrinfo* Resolve(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &result) != 0) return nullptr;
    return result;
}

std::string OpenSslErrorText() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return "the secure connection failed";
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return text;
}

}  // namespace

struct MailStream::Tls {
    SSL_CTX* context = nullptr;
    SSL* ssl = nullptr;
    ~Tls() {
        if (ssl) SSL_free(ssl);
        if (context) SSL_CTX_free(context);
    }
};

MailStream::MailStream() = default;

MailStream::~MailStream() {
    Close();
}

bool MailStream::Encrypted() const {
    return tls_ && tls_->ssl;
}

bool MailStream::Fail(int error, std::string text) {
    lastError_ = error;
    errorText_ = std::move(text);
    return false;
}

bool MailStream::WaitFor(short events) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
    for (;;) {
        if (Cancelled()) return Fail(ECANCELED, "cancelled");
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return Fail(kMailErrorTimedOut, "timed out");
        pollfd item{fd_, events, 0};
        const int ready = poll(&item, 1, static_cast<int>(std::min<long long>(left, kSliceMs)));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return Fail(errno, std::strerror(errno));
    }
}

bool MailStream::Connect(const std::string& host, int port, const std::string& localAddress) {
    Close();
    addrinfo* server = Resolve(host, port);
    if (!server) return Fail(kMailErrorInvalidArgument, "unknown host " + host);
    addrinfo* local = nullptr;
    if (!localAddress.empty()) {
        local = Resolve(localAddress, 0);
        if (!local) {
            freeaddrinfo(server);
            return Fail(kMailErrorInvalidArgument, "unknown local address " + localAddress);
        }
    }
    bool connected = false;
    for (addrinfo* entry = server; entry && !connected; entry = entry->ai_next) {
        fd_ = socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                     entry->ai_protocol);
        if (fd_ < 0) {
            Fail(errno, std::strerror(errno));
            continue;
        }
        if (local && bind(fd_, local->ai_addr, local->ai_addrlen) != 0) {
            Fail(errno, std::strerror(errno));
        } else if (connect(fd_, entry->ai_addr, entry->ai_addrlen) == 0) {
            connected = true;
        } else if (errno == EINPROGRESS && WaitFor(POLLOUT)) {
            int error = 0;
            socklen_t size = sizeof error;
            getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size);
            if (error == 0) {
                connected = true;
            } else {
                Fail(error, std::strerror(error));
            }
        } else if (errno != EINPROGRESS) {
            Fail(errno, std::strerror(errno));
        }
        if (!connected) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    freeaddrinfo(server);
    if (local) freeaddrinfo(local);
    return connected;
}

bool MailStream::StartTls(const std::string& host, const std::string& caFile) {
    if (fd_ < 0) return Fail(ENOTCONN, "not connected");
    auto tls = std::make_unique<Tls>();
    tls->context = SSL_CTX_new(TLS_client_method());
    if (!tls->context) return Fail(EPROTO, OpenSslErrorText());
    SSL_CTX_set_min_proto_version(tls->context, TLS1_2_VERSION);
    SSL_CTX_set_verify(tls->context, SSL_VERIFY_PEER, nullptr);
    const int loaded = caFile.empty()
                           ? SSL_CTX_set_default_verify_paths(tls->context)
                           : SSL_CTX_load_verify_locations(tls->context, caFile.c_str(), nullptr);
    if (loaded != 1) return Fail(EPROTO, "cannot load the certificates of " + caFile);
    tls->ssl = SSL_new(tls->context);
    if (!tls->ssl) return Fail(EPROTO, OpenSslErrorText());
    // The name the certificate must carry: an address is checked against
    // the certificate's IP entries, a name against its DNS entries and sent
    // as the server name indication.
    in6_addr probe;
    const bool isAddress = inet_pton(AF_INET, host.c_str(), &probe) == 1 ||
                           inet_pton(AF_INET6, host.c_str(), &probe) == 1;
    X509_VERIFY_PARAM* param = SSL_get0_param(tls->ssl);
    if (isAddress) {
        X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str());
    } else {
        SSL_set_hostflags(tls->ssl, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
        SSL_set1_host(tls->ssl, host.c_str());
        SSL_set_tlsext_host_name(tls->ssl, host.c_str());
    }
    SSL_set_fd(tls->ssl, fd_);
    for (;;) {
        ERR_clear_error();
        const int result = SSL_connect(tls->ssl);
        if (result == 1) break;
        const int error = SSL_get_error(tls->ssl, result);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            if (!WaitFor(error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT)) return false;
            continue;
        }
        const long verify = SSL_get_verify_result(tls->ssl);
        if (verify != X509_V_OK)
            return Fail(EPROTO, std::string("the server's certificate is not trusted: ") +
                                    X509_verify_cert_error_string(verify));
        return Fail(EPROTO, OpenSslErrorText());
    }
    tls_ = std::move(tls);
    return true;
}

bool MailStream::Send(std::string_view data) {
    if (fd_ < 0) return Fail(ENOTCONN, "not connected");
    std::size_t sent = 0;
    while (sent < data.size()) {
        if (Cancelled()) return Fail(ECANCELED, "cancelled");
        if (Encrypted()) {
            SigpipeGuard guard;
            ERR_clear_error();
            const int result =
                SSL_write(tls_->ssl, data.data() + sent,
                          static_cast<int>(std::min<std::size_t>(data.size() - sent, 1 << 20)));
            if (result > 0) {
                sent += static_cast<std::size_t>(result);
                continue;
            }
            const int error = SSL_get_error(tls_->ssl, result);
            if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
                if (!WaitFor(error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT)) return false;
                continue;
            }
            return Fail(error == SSL_ERROR_SYSCALL && errno ? errno : EPIPE, OpenSslErrorText());
        }
        const ssize_t result = ::send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (result >= 0) {
            sent += static_cast<std::size_t>(result);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(POLLOUT)) return false;
        } else if (errno != EINTR) {
            return Fail(errno, std::strerror(errno));
        }
    }
    return true;
}

MailStream::ReadResult MailStream::Read(std::string& out, int waitMs) {
    if (fd_ < 0) {
        Fail(ENOTCONN, "not connected");
        return ReadResult::Closed;
    }
    const bool buffered = Encrypted() && SSL_pending(tls_->ssl) > 0;
    if (!buffered) {
        pollfd item{fd_, POLLIN, 0};
        const int ready = poll(&item, 1, waitMs);
        if (ready == 0 || (ready < 0 && errno == EINTR)) return ReadResult::Nothing;
        if (ready < 0) {
            Fail(errno, std::strerror(errno));
            return ReadResult::Closed;
        }
    }
    char buffer[4096];
    if (Encrypted()) {
        ERR_clear_error();
        const int result = SSL_read(tls_->ssl, buffer, sizeof buffer);
        if (result > 0) {
            out.append(buffer, static_cast<std::size_t>(result));
            return ReadResult::Data;
        }
        const int error = SSL_get_error(tls_->ssl, result);
        // Part of a record arrived; the rest comes with a later wait.
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE)
            return ReadResult::Nothing;
        Fail(error == SSL_ERROR_ZERO_RETURN ? ECONNRESET : EPROTO, OpenSslErrorText());
        return ReadResult::Closed;
    }
    const ssize_t result = ::recv(fd_, buffer, sizeof buffer, 0);
    if (result > 0) {
        out.append(buffer, static_cast<std::size_t>(result));
        return ReadResult::Data;
    }
    if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return ReadResult::Nothing;
    Fail(result == 0 ? ECONNRESET : errno,
         result == 0 ? "the server closed the connection" : std::strerror(errno));
    return ReadResult::Closed;
}

void MailStream::Close() {
    if (tls_ && tls_->ssl && fd_ >= 0) {
        SigpipeGuard guard;
        SSL_shutdown(tls_->ssl);
    }
    tls_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace pantrio
