#include "loopback_service.h"

#include <httplib.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>

namespace sandbox {

std::string Request::param(const std::string &name) const {
    for (const auto &[key, value] : params)
        if (key == name)
            return value;
    return {};
}

bool Request::has(const std::string &name) const {
    for (const auto &entry : params)
        if (entry.first == name)
            return true;
    return false;
}

std::string Request::header(const std::string &name) const {
    for (const auto &[key, value] : headers)
        if (std::equal(key.begin(), key.end(), name.begin(), name.end(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return value;
    return {};
}

std::string decodeQueryValue(const std::string &text) {
    return httplib::detail::decode_url(text, true);
}

namespace {

template <typename Write> std::string toPem(Write write) {
    BIO *bio = BIO_new(BIO_s_mem());
    write(bio);
    char *data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    std::string out(data, size_t(length));
    BIO_free(bio);
    return out;
}

} // namespace

Certificate makeLoopbackCertificate(const std::string &commonName) {
    EVP_PKEY *key = EVP_EC_gen("P-256");
    X509 *cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), long(std::time(nullptr) & 0x7fffffff));
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600L * 24);
    X509_set_pubkey(cert, key);
    X509_NAME *name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char *>(commonName.c_str()), -1, -1,
                               0);
    X509_set_issuer_name(cert, name);
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    const char *extensions[][2] = {{"subjectAltName", "DNS:localhost,IP:127.0.0.1"},
                                   {"basicConstraints", "critical,CA:TRUE"},
                                   {"keyUsage", "critical,digitalSignature,keyCertSign"}};
    for (auto &e : extensions) {
        X509_EXTENSION *extension = X509V3_EXT_conf(nullptr, &ctx, e[0], e[1]);
        X509_add_ext(cert, extension, -1);
        X509_EXTENSION_free(extension);
    }
    X509_sign(cert, key, EVP_sha256());

    Certificate result;
    result.certPem = toPem([&](BIO *b) { PEM_write_bio_X509(b, cert); });
    result.keyPem = toPem(
        [&](BIO *b) { PEM_write_bio_PrivateKey(b, key, nullptr, nullptr, 0, nullptr, nullptr); });
    X509_free(cert);
    EVP_PKEY_free(key);
    return result;
}

namespace {

std::unique_ptr<httplib::Server> makeTlsServer(const Certificate &certificate) {
    BIO *certBio = BIO_new_mem_buf(certificate.certPem.data(), int(certificate.certPem.size()));
    X509 *cert = PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr);
    BIO *keyBio = BIO_new_mem_buf(certificate.keyPem.data(), int(certificate.keyPem.size()));
    EVP_PKEY *key = PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr);
    auto server = std::make_unique<httplib::SSLServer>(cert, key);
    X509_free(cert);
    EVP_PKEY_free(key);
    BIO_free(certBio);
    BIO_free(keyBio);
    return server;
}

} // namespace

LoopbackService::LoopbackService(Scheme scheme) : scheme_(scheme) {
    if (scheme == Scheme::Https) {
        const Certificate certificate = makeLoopbackCertificate();
        certPem_ = certificate.certPem;
        server_ = makeTlsServer(certificate);
    } else {
        server_ = std::make_unique<httplib::Server>();
    }

    auto serve = [this](const httplib::Request &in, httplib::Response &out) {
        Request request;
        request.method = in.method;
        request.target = in.target;
        request.path = in.path;
        request.body = in.body;
        for (const auto &[key, value] : in.params)
            request.params.emplace_back(key, value);
        for (const auto &[key, value] : in.headers)
            request.headers.emplace_back(key, value);

        std::vector<Handler> handlers;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            handlers = handlers_;
        }
        std::optional<Reply> reply;
        for (const auto &handler : handlers)
            if ((reply = handler(request)))
                break;
        if (!reply)
            reply = Reply::withStatus(404, "<html><body><h1>404 Not Found</h1></body></html>");

        // A slow page waits in short steps so that stopping the service is never held up.
        for (int waited = 0; waited < reply->delayMs; waited += 10) {
            {
                std::lock_guard lock(mutex_);
                if (stopping_)
                    break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        out.status = reply->status;
        for (const auto &[key, value] : reply->headers)
            out.set_header(key, value);
        out.set_content(reply->body, reply->contentType);
    };
    server_->Get(".*", serve);
    server_->Post(".*", serve);
    // One request per connection, so that stopping never waits for an idle kept-alive one.
    server_->set_keep_alive_max_count(1);
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    for (int waited = 0; !server_->is_running() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackService::~LoopbackService() {
    stop();
}

void LoopbackService::stop() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    server_->stop();
    thread_.join();
}

void LoopbackService::handle(Handler handler) {
    std::lock_guard lock(mutex_);
    handlers_.push_back(std::move(handler));
}

void LoopbackService::prepend(Handler handler) {
    std::lock_guard lock(mutex_);
    handlers_.insert(handlers_.begin(), std::move(handler));
}

std::string LoopbackService::base() const {
    return (scheme_ == Scheme::Https ? "https://127.0.0.1:" : "http://127.0.0.1:") +
           std::to_string(port_);
}

std::vector<Request> LoopbackService::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> LoopbackService::targets() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    out.reserve(requests_.size());
    for (const auto &request : requests_)
        out.push_back(request.target);
    return out;
}

void LoopbackService::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

} // namespace sandbox
