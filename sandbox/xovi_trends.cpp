#include "sandbox/xovi_trends.h"

#include "sandbox/xml_text.h"

namespace sandbox {

std::string xoviErrorReply(const std::string &message) {
    return std::string(xmlDeclaration()) +
           "<response>\n"
           "  <status>error</status>\n"
           "  <error>\n"
           "    <code>401</code>\n"
           "    <message>" +
           xmlEscaped(message) +
           "</message>\n"
           "  </error>\n"
           "</response>\n";
}

std::string trendReply(const std::string &keyword, const std::string &date,
                       const std::string &sengine, const std::string &position) {
    // The position is the first child of <data>: line 24 once every tag has a line of its own.
    return std::string(xmlDeclaration()) +
           "<response>\n"
           "  <meta>\n"
           "    <service>seo</service>\n"
           "    <method>getKeywordTrend</method>\n"
           "    <credits>1</credits>\n"
           "  </meta>\n"
           "  <data>\n"
           "    <position>" +
           xmlEscaped(position) + "</position>\n    <keyword>" + xmlEscaped(keyword) +
           "</keyword>\n    <date>" + xmlEscaped(date) + "</date>\n    <sengine>" +
           xmlEscaped(sengine) +
           "</sengine>\n"
           "    <searchVolume>1300</searchVolume>\n"
           "  </data>\n"
           "</response>\n";
}

Handler xoviTrends(TrendData data) {
    return [data = std::move(data)](const Request &r) -> std::optional<Reply> {
        if (!isXoviCall(r, "seo", "getKeywordTrend"))
            return std::nullopt;
        if (r.param("key") != data.key)
            return Reply::xml(xoviErrorReply("Invalid API key"));
        const std::string keyword = r.param("keyword"), date = r.param("date");
        std::string position;
        const auto kw = data.positions.find(keyword);
        if (kw != data.positions.end() && kw->second.count(date))
            position = kw->second.at(date);
        else if (data.otherwise)
            position = data.otherwise(keyword, date);
        return Reply::xml(trendReply(keyword, date, r.param("sengine"), position));
    };
}

TrendData sampleTrendData(const std::string &key) {
    TrendData data;
    data.key = key;
    data.otherwise = [](const std::string &keyword, const std::string &date) {
        // A base rank per keyword, a slow drift per month and a little weekly noise.
        const unsigned base = 3 + stableHash(keyword) % 40;
        const int month = date.size() >= 7 ? std::stoi(date.substr(5, 2)) : 1;
        const int drift = int(stableHash(keyword + "drift") % 5) - 2;
        const int noise = int(stableHash(keyword + date) % 5) - 2;
        const int rank = int(base) + drift * month / 2 + noise;
        return std::to_string(rank < 1 ? 1 : rank);
    };
    return data;
}

} // namespace sandbox
