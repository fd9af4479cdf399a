#include "net/http_client.h"

#include "net/body_decoding.h"
#include "net/cookie_store.h"
#include "net/http_auth.h"
#include "net/url.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <curl/curl.h>
#include <functional>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#ifdef __linux__
#include <linux/tcp.h> // tcp_info with the count of received bytes
#endif
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace kf::net {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxAuthRepeats = 3;
// How often a waiting transfer asks its wait hook whether to go on.
constexpr auto kWaitHookInterval = std::chrono::milliseconds(50);

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString socketError(int code, const QString &text) {
    return QStringLiteral("Socket Error # %1\r\n%2").arg(code).arg(text);
}

QString systemText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// The resolver's own code and text for a host that does not resolve.
QString resolveError(const QString &host) {
    QByteArray name = host.toUtf8();
    if (name.startsWith('[') && name.endsWith(']'))
        name = name.mid(1, name.size() - 2);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *result = nullptr;
    const int rc = getaddrinfo(name.constData(), nullptr, &hints, &result);
    if (result)
        freeaddrinfo(result);
    if (rc == 0 || rc == EAI_SYSTEM)
        return socketError(EAI_NONAME, QString::fromLocal8Bit(gai_strerror(EAI_NONAME)));
    return socketError(rc, QString::fromLocal8Bit(gai_strerror(rc)));
}

} // namespace

struct HttpClient::Impl {
    Transport transport;
    int connectMs = 30000;
    int stallMs = 60000;

    CURLM *multi = nullptr;
    CURL *easy = nullptr;
    QByteArray connectionKey; // scheme://host:port of the connection the handles may hold
    QByteArray caFileInUse;   // KELVARO_CA_FILE when the handles were made
    CookieStore cookies;
    std::function<bool()> waitHook;
    bool inFetch = false; // the hook may run a window's events: no second fetch meanwhile

    // State of the transfer in progress.
    char errorBuffer[CURL_ERROR_SIZE] = {};
    QByteArray statusLine;
    int statusCode = 0;
    HeaderLines headers; // of the latest response
    QByteArray body;
    bool requestStarted = false;
    bool aborted = false;      // the wait hook gave the transfer up
    bool headComplete = false; // the empty line that ends the final response's head arrived
    Clock::time_point lastByte;
    unsigned long long bytesReceived = 0;       // on the socket, as the system counts them
    curl_socket_t openSocket = CURL_SOCKET_BAD; // of the connection the handles hold
    QString hostForCookies;
    QByteArray pathForCookies;
    QByteArray caFile;
    QString caError;

    explicit Impl(Transport t) : transport(t) { globalInit(); }
    ~Impl() { dropHandles(); }

    void dropHandles() {
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi); // closes the open connection
        easy = nullptr;
        multi = nullptr;
        connectionKey.clear();
    }

    void makeHandles() {
        multi = curl_multi_init();
        curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 1L);
        easy = curl_easy_init();
        if (!multi || !easy)
            throw FetchError(QStringLiteral("Could not initialise the HTTP library."));
    }

    QByteArray headerValue(const char *name) const {
        QByteArray value;
        bool found = false;
        for (const auto &h : headers) {
            if (h.first.compare(name, Qt::CaseInsensitive) == 0) {
                value = h.second;
                found = true;
            }
        }
        return found ? value : QByteArray();
    }
    bool hasHeader(const char *name) const {
        return std::any_of(headers.begin(), headers.end(), [name](const auto &h) {
            return h.first.compare(name, Qt::CaseInsensitive) == 0;
        });
    }
    // A Content-Length that is no number within range cannot say where the body ends (a
    // chunked body says it by itself).
    bool contentLengthReadable() const {
        if (!hasHeader("Content-Length") || hasHeader("Transfer-Encoding"))
            return true;
        const QByteArray value = headerValue("Content-Length");
        bool ok = false;
        const qlonglong length = value.toLongLong(&ok);
        return ok && length >= 0;
    }

    // A Proxy-Connection header that names "close" among its options, as curl reads
    // Connection.
    bool proxyConnectionClose() const {
        for (const QByteArray &value : headerValues("Proxy-Connection"))
            for (const QByteArray &option : value.split(','))
                if (option.trimmed().compare("close", Qt::CaseInsensitive) == 0)
                    return true;
        return false;
    }

    QList<QByteArray> headerValues(const char *name) const {
        QList<QByteArray> values;
        for (const auto &h : headers)
            if (h.first.compare(name, Qt::CaseInsensitive) == 0)
                values.append(h.second);
        return values;
    }

    static size_t onHeader(char *data, size_t size, size_t count, void *user) {
        auto *self = static_cast<Impl *>(user);
        const size_t n = size * count;
        self->lastByte = Clock::now();
        QByteArray line(data, static_cast<qsizetype>(n));
        const bool emptyLine = line == "\r\n" || line == "\n";
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty()) {
            // The end of a head; an interim 1xx head is followed by another. curl also ends a
            // head at a line of stray CRs ("\r\r\n"), which no complete head ends with.
            self->headComplete = emptyLine && (self->statusCode >= 200 || self->statusCode < 100);
            return n;
        }
        if (line.startsWith("HTTP/")) {
            // A new response (interim 1xx responses are followed by the final one).
            self->headComplete = false;
            self->statusLine = line;
            self->headers.clear();
            self->body.clear();
            const QList<QByteArray> words = line.split(' ');
            self->statusCode = words.size() > 1 ? words.at(1).toInt() : 0;
            return n;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            self->headers.append({name, value});
            if (name.compare("Set-Cookie", Qt::CaseInsensitive) == 0 ||
                name.compare("Set-Cookie2", Qt::CaseInsensitive) == 0)
                self->cookies.take(value, self->hostForCookies, self->pathForCookies,
                                   std::time(nullptr));
        }
        return n;
    }

    static size_t onBody(char *data, size_t size, size_t count, void *user) {
        auto *self = static_cast<Impl *>(user);
        const size_t n = size * count;
        self->lastByte = Clock::now();
        self->body.append(data, static_cast<qsizetype>(n));
        return n;
    }

    // Called once the connection is made or reused, just before the request goes out.
    static int onRequestStart(void *user, char *, char *, int, int) {
        auto *self = static_cast<Impl *>(user);
        self->requestStarted = true;
        self->lastByte = Clock::now();
        return CURL_PREREQFUNC_OK;
    }

    // The connection's socket is followed from its opening to its closing.
    static curl_socket_t onOpenSocket(void *user, curlsocktype, curl_sockaddr *address) {
        auto *self = static_cast<Impl *>(user);
        const curl_socket_t fd = ::socket(address->family, address->socktype, address->protocol);
        if (fd != CURL_SOCKET_BAD)
            self->openSocket = fd;
        return fd;
    }
    static int onCloseSocket(void *user, curl_socket_t fd) {
        auto *self = static_cast<Impl *>(user);
        if (self->openSocket == fd)
            self->openSocket = CURL_SOCKET_BAD;
        return ::close(fd);
    }

    // Trust the system's CA store (curl's default) plus the bundle named by KELVARO_CA_FILE.
    static CURLcode onSslContext(CURL *, void *sslCtx, void *user) {
        auto *self = static_cast<Impl *>(user);
        if (self->caFile.isEmpty())
            return CURLE_OK;
        X509_STORE *store = SSL_CTX_get_cert_store(static_cast<SSL_CTX *>(sslCtx));
        if (!store || X509_STORE_load_file(store, self->caFile.constData()) != 1) {
            self->caError = QStringLiteral("Error creating SSL context. (cannot load the CA "
                                           "bundle \"%1\")")
                                .arg(QString::fromLocal8Bit(self->caFile));
            return CURLE_SSL_CACERT_BADFILE;
        }
        return CURLE_OK;
    }

    // Header lines reach the callbacks only when whole: a head arriving byte by byte still
    // restarts the stall timer through the socket's own count of received bytes.
    void noteBytesOnSocket() {
#ifdef __linux__
        const curl_socket_t fd = openSocket;
        if (fd == CURL_SOCKET_BAD)
            return;
        tcp_info info{};
        socklen_t size = sizeof info;
        if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &size) != 0 ||
            size < offsetof(tcp_info, tcpi_bytes_received) + sizeof info.tcpi_bytes_received)
            return;
        if (info.tcpi_bytes_received != bytesReceived) {
            bytesReceived = info.tcpi_bytes_received;
            lastByte = Clock::now();
        }
#endif
    }

    QString transportErrorText(CURLcode rc, const UrlParts &url) const {
        long osErrno = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
        const QString detail = QString::fromLocal8Bit(errorBuffer).trimmed();
        switch (rc) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return resolveError(url.host);
        case CURLE_COULDNT_CONNECT:
            if (osErrno == 0)
                osErrno = ECONNREFUSED;
            return socketError(int(osErrno), systemText(int(osErrno)));
        case CURLE_SEND_ERROR:
            if (osErrno == 0)
                osErrno = ECONNRESET;
            return socketError(int(osErrno), systemText(int(osErrno)));
        case CURLE_RECV_ERROR:
            if (osErrno != 0)
                return socketError(int(osErrno), systemText(int(osErrno)));
            // A reply curl cannot read (a bad chunk size): its body never ends as it should.
            return QStringLiteral("Connection Closed Gracefully.");
        case CURLE_OUT_OF_MEMORY:
            // curl's word for a header line past its limit: the head never completes.
            if (!requestStarted)
                break;
            return QStringLiteral("Connection Closed Gracefully.");
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
            return QStringLiteral("Connection Closed Gracefully.");
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_UNSUPPORTED_PROTOCOL:
            // A head curl cannot read (a negative or empty length, no status line): the reply
            // never completes as it should.
            if (!requestStarted)
                break;
            return QStringLiteral("Connection Closed Gracefully.");
        case CURLE_OPERATION_TIMEDOUT:
            if (!requestStarted) {
                // curl reports a handshake that runs out of time as "SSL connection timeout".
                if (url.tls && detail.contains(QLatin1String("SSL")))
                    return QStringLiteral("TLS handshake failed: ") + systemText(ETIMEDOUT);
                return socketError(ETIMEDOUT, systemText(ETIMEDOUT));
            }
            return QStringLiteral("Read timed out.");
        case CURLE_PEER_FAILED_VERIFICATION:
            return QStringLiteral("TLS certificate verification failed: ") + detail;
        case CURLE_SSL_CONNECT_ERROR:
            return QStringLiteral("TLS handshake failed: ") + detail;
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
            if (!caError.isEmpty())
                return caError;
            return QStringLiteral("Error creating SSL context. (") + detail + QLatin1Char(')');
        case CURLE_SSL_CIPHER:
            return QStringLiteral("SetCipher failed.");
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_ENGINE_NOTFOUND:
            return QStringLiteral("Could not load SSL library.");
        default:
            break;
        }
        return detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(rc)) : detail;
    }

    // One request on the wire (a GET, or a POST of a form when formBody is set); returns curl's
    // result. Response parts land in the members.
    CURLcode transfer(const UrlParts &url, const QByteArray &authorization,
                      const std::optional<QByteArray> &formBody) {
        statusLine.clear();
        statusCode = 0;
        headers.clear();
        body.clear();
        errorBuffer[0] = 0;
        requestStarted = false;
        aborted = false;
        headComplete = false;
        bytesReceived = 0;
        caError.clear();
        hostForCookies = url.host;
        pathForCookies = pathOfTarget(url.target);

        const QByteArray hostPart = url.host.toUtf8() + ':' + QByteArray::number(url.port);
        const QByteArray curlUrl = url.scheme.toLatin1() + "://" + hostPart + url.target;

        curl_easy_reset(easy);
        curl_easy_setopt(easy, CURLOPT_URL, curlUrl.constData());
        curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
        if (formBody) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(formBody->size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, formBody->constData());
        } else {
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(connectMs));
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Impl::onRequestStart);
        curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &Impl::onOpenSocket);
        curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &Impl::onCloseSocket);
        curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
        // Proxies from the environment serve the services, never this machine itself.
        QByteArray noProxy = qgetenv("no_proxy");
        if (noProxy.isEmpty())
            noProxy = qgetenv("NO_PROXY");
        noProxy += noProxy.isEmpty() ? "" : ",";
        noProxy += "localhost,127.0.0.0/8,::1";
        curl_easy_setopt(easy, CURLOPT_NOPROXY, noProxy.constData());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR,
                         transport == Transport::PlainOnly ? "http" : "http,https");
        if (url.tls) {
            curl_easy_setopt(easy, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
            curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
            curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
            curl_easy_setopt(easy, CURLOPT_CA_CACHE_TIMEOUT, 0L);
            curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &Impl::onSslContext);
            curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, this);
        }

        // The request form: exactly these header lines, in this order.
        QList<QByteArray> lines;
        lines << "Host: " + hostHeader(url) << "Accept: text/html, */*"
              << "Accept-Encoding: identity"
              << "User-Agent: Mozilla/3.0 (compatible; Indy Library)";
        if (!authorization.isEmpty())
            lines << "Authorization: " + authorization;
        const QByteArray cookie =
            cookies.header(url.host, pathForCookies, url.tls, std::time(nullptr));
        if (!cookie.isEmpty())
            lines << "Cookie: " + cookie;
        if (formBody) // the length follows from curl; no "Expect: 100-continue" round trip
            lines << "Content-Type: application/x-www-form-urlencoded"
                  << "Expect:";
        curl_slist *list = nullptr;
        for (const QByteArray &line : lines)
            list = curl_slist_append(list, line.constData());
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, list);

        CURLcode result = CURLE_OK;
        bool stalled = false;
        // A copy: while it runs, the hook may replace the client's (the last long run ending).
        const std::function<bool()> hook = waitHook;
        auto nextHook = Clock::now() + kWaitHookInterval;
        curl_multi_add_handle(multi, easy);
        const auto stall = std::chrono::milliseconds(stallMs);
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                break;
            if (running == 0)
                break;
            int waitMs = 1000;
            if (requestStarted) {
                noteBytesOnSocket();
                const auto left = stall - std::chrono::duration_cast<std::chrono::milliseconds>(
                                              Clock::now() - lastByte);
                if (left.count() <= 0) {
                    stalled = true;
                    break;
                }
                waitMs = int(std::min<long long>(left.count(), 1000));
            }
            if (hook) {
                if (Clock::now() >= nextHook) {
                    if (!hook()) {
                        aborted = true;
                        break;
                    }
                    nextHook = Clock::now() + kWaitHookInterval;
                }
                const auto untilHook =
                    std::chrono::duration_cast<std::chrono::milliseconds>(nextHook - Clock::now());
                waitMs = int(std::clamp<long long>(untilHook.count(), 1, waitMs));
            }
            curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
        }
        int pending = 0;
        bool done = false;
        while (CURLMsg *msg = curl_multi_info_read(multi, &pending)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) {
                result = msg->data.result;
                done = true;
            }
        }
        curl_multi_remove_handle(multi, easy); // an unfinished transfer closes its connection
        curl_slist_free_all(list);
        if (aborted)
            return CURLE_ABORTED_BY_CALLBACK;
        if (stalled)
            return CURLE_OPERATION_TIMEDOUT;
        if (!done)
            return CURLE_RECV_ERROR;
        return result;
    }

    // The body of a 2xx reply as received; its Content-Type stays in the headers.
    QByteArray fetchBody(const QString &text, const std::optional<QByteArray> &formBody) {
        if (inFetch)
            throw FetchError(QStringLiteral("Ein anderer Abruf läuft noch."));
        inFetch = true;
        struct Leave {
            bool &flag;
            ~Leave() { flag = false; }
        } leave{inFetch};
        // A fetch that fails before its request goes out leaves no headers of an earlier one.
        headers.clear();
        headComplete = false;
        const UrlParts url = splitUrl(text);
        if (url.tls && transport == Transport::PlainOnly)
            throw FetchError(QStringLiteral("IOHandler value is not valid"));

        // At most one open connection: a fetch to another scheme, host or port closes it first.
        // A change of the extra CA bundle starts afresh too (no TLS session made under the old
        // trust survives).
        const QByteArray key = url.scheme.toLatin1() + "://" + url.host.toLower().toUtf8() + ':' +
                               QByteArray::number(url.port);
        caFile = qgetenv("KELVARO_CA_FILE");
        if (multi && (key != connectionKey || (url.tls && caFile != caFileInUse)))
            dropHandles();
        if (!multi)
            makeHandles();
        connectionKey = key;
        if (url.tls)
            caFileInUse = caFile;

        QByteArray authorization;
        const bool haveCredentials = url.hasUser && !url.password.isEmpty();
        for (int repeat = 0;; ++repeat) {
            CURLcode rc = transfer(url, authorization, formBody);
            // A reply cut off inside its head, or one whose length cannot be believed, is
            // never an empty success.
            if (rc == CURLE_OK && (!headComplete || !contentLengthReadable()))
                rc = CURLE_PARTIAL_FILE;
            if (aborted) {
                headComplete = false; // nothing of a reply given up is kept
                dropHandles();
                throw FetchAborted();
            }
            if (rc != CURLE_OK) {
                const QString message = transportErrorText(rc, url);
                dropHandles(); // the next fetch starts on a new connection
                throw FetchError(message);
            }
            // curl closes on "Connection: close" itself; the proxy form is honoured here.
            if (proxyConnectionClose()) {
                dropHandles();
                makeHandles();
                connectionKey = key;
            }
            const QByteArray contentType = headerValue("Content-Type");
            if (statusCode >= 200 && statusCode < 300 && !hasHeader("Location"))
                return std::exchange(body, QByteArray());
            if (statusCode == 401 && haveCredentials && repeat < kMaxAuthRepeats) {
                const QByteArray next = authorizationFor(
                    headerValues("WWW-Authenticate"), url.user.toUtf8(), url.password.toUtf8(),
                    formBody ? "POST" : "GET", url.target, repeat + 1);
                if (!next.isEmpty()) {
                    authorization = next;
                    continue;
                }
            }
            throw FetchError(QString::fromLatin1(statusLine), statusCode,
                             decodeBody(body, contentType));
        }
    }
};

HttpClient::HttpClient(Transport transport) : d(new Impl(transport)) {}
HttpClient::~HttpClient() = default;

QString HttpClient::fetch(const QString &url) {
    const QByteArray body = d->fetchBody(url, std::nullopt);
    return decodeBody(body, d->headerValue("Content-Type"));
}

QByteArray HttpClient::fetchBytes(const QString &url) {
    return d->fetchBody(url, std::nullopt);
}

QString HttpClient::post(const QString &url, const QByteArray &formBody) {
    const QByteArray body = d->fetchBody(url, formBody);
    return decodeBody(body, d->headerValue("Content-Type"));
}

HeaderLines HttpClient::lastHeaders() const {
    return d->headComplete ? d->headers : HeaderLines();
}

void HttpClient::setWaitHook(std::function<bool()> hook) {
    d->waitHook = std::move(hook);
}

void HttpClient::setTimeouts(int connectMs, int stallMs) {
    d->connectMs = std::max(1, connectMs);
    d->stallMs = std::max(1, stallMs);
}

} // namespace kf::net
