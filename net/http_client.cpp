#include "net/http_client.h"

// Placeholder until the libcurl client lands: every fetch fails.
namespace kf::net {

struct HttpClient::Impl {
    Transport transport;
};

HttpClient::HttpClient(Transport transport) : d(new Impl{transport}) {}
HttpClient::~HttpClient() = default;

QString HttpClient::fetch(const QString &)
{
    throw FetchError(QStringLiteral("Unknown Protocol"));
}

void HttpClient::setTimeouts(int, int) {}

} // namespace kf::net
