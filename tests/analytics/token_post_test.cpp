// Current analytics servers refuse "secure only" tokens in the address: after their 401 the
// request goes once more as a form POST, and that server keeps getting the POST form.

#include "analytics_window.h"
#include "sandbox/loopback_service.h"

namespace {

// A current-generation server: token_auth is accepted in a POST body only.
class SecureOnlyServer {
public:
    SecureOnlyServer() {
        service.handle([](const sandbox::Request &r) -> std::optional<sandbox::Reply> {
            if (r.method == "POST" && r.body == "token_auth=secret42" &&
                r.target.find("token_auth") == std::string::npos)
                return sandbox::Reply::xml(piwik::allSites({{"5", "http://post.example"}}));
            return sandbox::Reply::withStatus(
                401, "Unable to authenticate with the provided token. It is either invalid, "
                     "expired or is required to be sent as a POST parameter.");
        });
    }
    QString url() const { return QString::fromStdString(service.base() + "/"); }
    // "GET <target>" or "POST <target> <body>" for each request.
    std::vector<std::string> seen() const {
        std::vector<std::string> out;
        for (const sandbox::Request &r : service.requests())
            out.push_back(r.method + ' ' + r.target + (r.body.empty() ? "" : ' ' + r.body));
        return out;
    }
    sandbox::LoopbackService service;
};

using TokenPostTest = AnalyticsWindow;

const std::string kSites = "/index.php?module=API&method=SitesManager.getAllSites&format=xml";

TEST_F(TokenPostTest, SecureOnlyServerGetsThePostFormAfterOne401) {
    SecureOnlyServer secure;
    edit("URL")->setText(secure.url());
    holeIds();
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"5", "http://post.example"}));
    holeIds();
    EXPECT_EQ(secure.seen(), (std::vector<std::string>{"GET " + kSites + "&token_auth=secret42",
                                                       "POST " + kSites + " token_auth=secret42",
                                                       "POST " + kSites + " token_auth=secret42"}));

    // A server that takes the address form still gets exactly that, from the same window.
    piwik.reply("SitesManager.getAllSites", piwik::allSites({{"1", "http://a.example"}}));
    edit("URL")->setText(piwik.baseUrl());
    holeIds();
    EXPECT_EQ(piwik.requests(), std::vector<std::string>{kSites + "&token_auth=secret42"});
    EXPECT_EQ(gridRow("StringGrid1", 0), QStringList({"1", "http://a.example"}));

    // Another window pair starts out with the address form again.
    QTemporaryDir other;
    Windows second = createWindows(other.path());
    second.form1->findChild<QLineEdit *>("URL")->setText(secure.url());
    second.form1->findChild<QLineEdit *>("Token")->setText("secret42");
    second.form1->findChild<QAction *>("HoleIds1")->trigger();
    EXPECT_EQ(secure.seen().at(3), "GET " + kSites + "&token_auth=secret42");
    EXPECT_EQ(secure.seen().size(), 5u);
}

} // namespace
