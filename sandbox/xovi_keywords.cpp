#include "sandbox/xovi_keywords.h"

#include "sandbox/demo_data.h"
#include "sandbox/xml_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace sandbox::xovi {

namespace {

// ---- XML as the service writes it ------------------------------------------------------------

class XmlWriter {
public:
    XmlWriter() { out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }
    void open(const std::string &tag, const std::string &attributes = {}) {
        indent();
        out_ += '<' + tag + (attributes.empty() ? "" : " " + attributes) + ">\n";
        ++depth_;
    }
    void close(const std::string &tag) {
        --depth_;
        indent();
        out_ += "</" + tag + ">\n";
    }
    void leaf(const std::string &tag, const std::string &value) {
        indent();
        out_ += '<' + tag + '>' + xmlEscaped(value) + "</" + tag + ">\n";
    }
    std::string take() { return std::move(out_); }
    void reserve(std::size_t bytes) { out_.reserve(bytes); }

private:
    void indent() { out_.append(std::size_t(depth_) * 2, ' '); }
    std::string out_;
    int depth_ = 0;
};

std::string decimal(double value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    return buffer;
}

void requestEcho(XmlWriter &xml, const std::vector<std::pair<std::string, std::string>> &fields) {
    xml.open("request");
    for (const auto &[name, value] : fields)
        xml.leaf(name, value);
    xml.close("request");
}

// ---- looking up what was asked --------------------------------------------------------------

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The service finds a domain whatever scheme, letter case or trailing slash it is given with.
std::string hostOf(const std::string &domain) {
    std::string host = lower(domain);
    for (const char *scheme : {"http://", "https://"})
        if (host.rfind(scheme, 0) == 0)
            host.erase(0, std::char_traits<char>::length(scheme));
    while (!host.empty() && host.back() == '/')
        host.pop_back();
    return host;
}

const EngineKeywords *findEngine(const KeywordDataSet &data, const std::string &domain,
                                 const std::string &engine) {
    const std::string host = hostOf(domain);
    for (const DomainKeywords &d : data.domains)
        if (hostOf(d.domain) == host)
            for (const EngineKeywords &e : d.engines)
                if (e.engine == engine)
                    return &e;
    return nullptr;
}

std::string engineNamed(int id) {
    for (const char *engine : {"google.de", "google.at", "google.ch", "bing.de"})
        if (engineId(engine) == id)
            return engine;
    return {};
}

Reply xmlReply(std::string body) {
    return Reply::xml(std::move(body));
}

std::optional<Reply> keywordReply(const KeywordDataSet &data, const Request &request,
                                  const std::string &method) {
    const std::string domain = request.param("domain");
    if (domain.empty())
        return xmlReply(errorXml(201, "Parameter domain is missing"));
    std::string engine;
    if (method == "getKeywords") {
        engine = request.param("sengine");
        if (engineId(engine) == 0)
            return xmlReply(errorXml(202, "Unknown search engine: " + engine));
    } else {
        if (!request.has("sengineid"))
            return xmlReply(errorXml(201, "Parameter sengineid is missing"));
        engine = engineNamed(std::atoi(request.param("sengineid").c_str()));
        if (engine.empty())
            return xmlReply(errorXml(202, "Unknown search engine id"));
    }
    std::size_t limit = 100;
    if (request.has("limit"))
        limit = std::size_t(std::max(0, std::atoi(request.param("limit").c_str())));
    static const EngineKeywords nothing;
    const EngineKeywords *found = findEngine(data, domain, engine);
    EngineKeywords shown = found ? *found : nothing;
    shown.engine = engine;
    return xmlReply(keywordsXml(method, domain, shown, limit, data.date));
}

// ---- generated keywords ---------------------------------------------------------------------

// A small deterministic generator, the same on every platform.
class Random {
public:
    explicit Random(unsigned seed) : state_(seed * 2654435761u + 1013904223u) {}
    unsigned next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int between(int low, int high) { return low + int(next() % unsigned(high - low + 1)); }

private:
    unsigned state_;
};

std::string slug(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3 && i + 1 < text.size()) { // the umlauts and sharp s of UTF-8
            switch (static_cast<unsigned char>(text[++i])) {
            case 0xA4:
                out += "ae";
                break;
            case 0xB6:
                out += "oe";
                break;
            case 0xBC:
                out += "ue";
                break;
            case 0x9F:
                out += "ss";
                break;
            default:
                out += '-';
            }
        } else if (c == '&') {
            out += "und";
        } else if (std::isalnum(c)) {
            out += char(c);
        } else if (!out.empty() && out.back() != '-') {
            out += '-';
        }
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

struct Topic {
    std::vector<std::string> terms;
    std::vector<std::string> pages; // the ranking page of each term; empty: one made from it
    std::vector<std::string> modifiers;
    std::vector<std::string> places;
};

// The main domain: a nursery whose keywords lead to the pages the demo's sitemap lists.
Topic nurseryTopic() {
    Topic topic;
    for (const demo::RankingPage &page : demo::rankingPageTerms()) {
        topic.terms.push_back(page.term);
        topic.pages.push_back(page.url);
    }
    topic.modifiers = {"kaufen", "bio",    "winterhart", "tipps",
                       "preise", "online", "im topf",    "sorten"};
    topic.places = demo::places();
    return topic;
}

Topic projectTopic(const demo::ProjectTopic &project) {
    return Topic{project.terms, {}, project.modifiers, demo::places()};
}

// The n-th keyword of a topic: terms first, then with a modifier, then with a place.
std::string topicKeyword(const Topic &topic, std::size_t n) {
    const std::size_t terms = topic.terms.size();
    const std::size_t modifiers = topic.modifiers.size() + 1;
    const std::string &term = topic.terms[n % terms];
    n /= terms;
    std::string keyword = term;
    if (n % modifiers)
        keyword += ' ' + topic.modifiers[n % modifiers - 1];
    n /= modifiers;
    if (n) {
        keyword += ' ' + topic.places[(n - 1) % topic.places.size()];
        if (n > topic.places.size())
            keyword += ' ' + std::to_string((n - 1) / topic.places.size() + 1);
    }
    return keyword;
}

Keyword makeKeyword(const std::string &domain, const std::string &text, const std::string &page,
                    Random &random) {
    static const int volumes[] = {10,   20,   30,   50,   70,   90,   110,   140,   170,
                                  210,  260,  320,  390,  480,  590,  720,   880,   1000,
                                  1300, 1600, 2400, 3600, 5400, 8100, 12100, 18100, 27100};
    Keyword k;
    k.keyword = text;
    k.position = random.between(1, 100);
    const std::string section = slug(text.substr(0, text.find(' ')));
    k.url = page.empty() ? "http://" + domain + "/" + section + "/" : page;
    if (random.next() % 3 == 0 && page.empty())
        k.url += slug(text) + ".html";
    k.searchVolume = volumes[random.next() % (sizeof volumes / sizeof *volumes)];
    k.cpc = random.between(5, 320) / 100.0;
    k.competition = random.between(0, 100) / 100.0;
    return k;
}

std::vector<Keyword> topicKeywords(const Topic &topic, const std::string &domain, std::size_t first,
                                   std::size_t count, unsigned seed) {
    Random random(seed);
    std::vector<Keyword> out;
    out.reserve(count);
    for (std::size_t n = first; n < first + count; ++n) {
        const std::size_t term = n % topic.terms.size();
        const std::string page = term < topic.pages.size() ? topic.pages[term] : std::string();
        out.push_back(makeKeyword(domain, topicKeyword(topic, n), page, random));
    }
    return out;
}

// One engine's view: `count` ranking keywords sorted by position, every twelfth one newly
// gained, and a few that dropped out.
EngineKeywords engineView(const Topic &topic, const std::string &domain, const std::string &engine,
                          std::size_t count, unsigned seed) {
    EngineKeywords e;
    e.engine = engine;
    e.ranking = topicKeywords(topic, domain, 0, count, seed);
    std::stable_sort(e.ranking.begin(), e.ranking.end(),
                     [](const Keyword &a, const Keyword &b) { return a.position < b.position; });
    for (std::size_t i = 5; i < e.ranking.size(); i += 12)
        e.gained.push_back(e.ranking[i]);
    e.lost = topicKeywords(topic, domain, count, std::max<std::size_t>(2, count / 15), seed + 7);
    return e;
}

DomainKeywords sampleDomain(const Topic &topic, const std::string &domain, std::size_t googleDe,
                            unsigned seed) {
    DomainKeywords d;
    d.domain = domain;
    d.engines.push_back(engineView(topic, domain, "google.de", googleDe, seed));
    d.engines.push_back(engineView(topic, domain, "google.at", googleDe / 2, seed + 1));
    d.engines.push_back(engineView(topic, domain, "google.ch", googleDe / 3, seed + 2));
    return d;
}

} // namespace

int engineId(const std::string &engine) {
    if (engine == "google.de")
        return 1;
    if (engine == "google.at")
        return 2;
    if (engine == "google.ch")
        return 28;
    if (engine == "bing.de")
        return 51;
    return 0;
}

std::string errorXml(int code, const std::string &message) {
    XmlWriter xml;
    xml.open("xovi");
    xml.leaf("status", "error");
    xml.open("error");
    xml.leaf("code", std::to_string(code));
    xml.leaf("message", message);
    xml.close("error");
    xml.close("xovi");
    return xml.take();
}

std::string creditStateXml(const KeywordDataSet &data) {
    XmlWriter xml;
    xml.open("xovi");
    xml.leaf("status", "ok");
    requestEcho(xml, {{"service", "user"}, {"method", "getcreditstate"}});
    xml.open("result");
    xml.open("creditstate");
    xml.leaf("creditsleft", std::to_string(data.creditsLeft));
    xml.leaf("creditsused", std::to_string(data.creditsUsed));
    xml.leaf("creditslimit", std::to_string(data.creditsLeft + data.creditsUsed));
    xml.leaf("resetdate", data.date.substr(0, 8) + "01");
    xml.close("creditstate");
    xml.close("result");
    xml.close("xovi");
    return xml.take();
}

std::string keywordsXml(const std::string &method, const std::string &domain,
                        const EngineKeywords &engine, std::size_t limit, const std::string &date) {
    const bool all = method == "getKeywords";
    const bool gained = method == "getnewKeywords";
    const std::vector<Keyword> &list = all ? engine.ranking : gained ? engine.gained : engine.lost;
    const std::size_t shown = std::min(limit, list.size());

    XmlWriter xml;
    xml.reserve(400 + shown * 330);
    xml.open("xovi");
    xml.leaf("status", "ok");
    requestEcho(xml, {{"service", "seo"},
                      {"method", method},
                      {"domain", domain},
                      {all ? "sengine" : "sengineid",
                       all ? engine.engine : std::to_string(engineId(engine.engine))},
                      {"limit", std::to_string(limit)}});
    xml.leaf("apiCreditsUsed", std::to_string(shown));
    xml.open("result");
    const std::string group = all ? "keywords" : gained ? "newkeywords" : "lostkeywords";
    xml.open(group, "count=\"" + std::to_string(shown) + "\" total=\"" +
                        std::to_string(list.size()) + "\"");
    for (std::size_t i = 0; i < shown; ++i) {
        const Keyword &k = list[i];
        if (all) {
            // The page first, then the keyword and its position: the program reads these three.
            xml.open("ranking");
            xml.leaf("url", k.url);
            xml.leaf("keyword", k.keyword);
            xml.leaf("position", std::to_string(k.position));
            xml.leaf("searchvolume", std::to_string(k.searchVolume));
            xml.leaf("cpc", decimal(k.cpc, 2));
            xml.leaf("competition", decimal(k.competition, 2));
            xml.leaf("date", date);
            xml.close("ranking");
        } else {
            const std::string tag = gained ? "newkeyword" : "lostkeyword";
            xml.open(tag);
            xml.leaf("keyword", k.keyword);
            xml.leaf("position", std::to_string(k.position));
            xml.leaf("url", k.url);
            xml.leaf("searchvolume", std::to_string(k.searchVolume));
            xml.leaf(gained ? "firstseen" : "lastseen", date);
            xml.close(tag);
        }
    }
    xml.close(group);
    xml.close("result");
    xml.close("xovi");
    return xml.take();
}

Handler keywordService(KeywordDataSet data) {
    return [data = std::move(data)](const Request &request) -> std::optional<Reply> {
        const std::string &path = request.path;
        if (path.size() < 9 || path.compare(path.size() - 9, 9, "index.php") != 0)
            return std::nullopt;
        const std::string service = request.param("service");
        const std::string method = request.param("method");
        const bool credits = service == "user" && method == "getcreditstate";
        const bool keywords =
            service == "seo" &&
            (method == "getKeywords" || method == "getnewKeywords" || method == "getLostKeywords");
        if (!credits && !keywords)
            return std::nullopt;
        const std::string key = request.param("key");
        if (key.empty())
            return xmlReply(errorXml(100, "No API key given"));
        if (!data.key.empty() && key != data.key)
            return xmlReply(errorXml(101, "Invalid API key"));
        if (credits)
            return xmlReply(creditStateXml(data));
        return keywordReply(data, request, method);
    };
}

KeywordDataSet sampleKeywordData(const std::string &key) {
    KeywordDataSet data;
    data.key = key;
    data.creditsLeft = 48250;
    data.creditsUsed = 1750;
    data.domains.push_back(sampleDomain(nurseryTopic(), demo::kMainDomain, 120, 11));
    const std::vector<demo::ProjectTopic> &others = demo::otherProjectTopics();
    const std::size_t sizes[] = {90, 36};
    for (std::size_t i = 0; i < others.size(); ++i)
        data.domains.push_back(sampleDomain(projectTopic(others[i]), others[i].domain, sizes[i % 2],
                                            unsigned(23 + 14 * i)));
    return data;
}

std::vector<Keyword> generatedKeywords(const std::string &domain, std::size_t count,
                                       unsigned seed) {
    return topicKeywords(projectTopic(demo::otherProjectTopics().front()), domain, 0, count, seed);
}

} // namespace sandbox::xovi
