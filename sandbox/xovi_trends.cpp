#include "sandbox/xovi_trends.h"

#include "sandbox/demo_data.h"
#include "sandbox/xml_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>

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

namespace {

// Whole days from 1 January 2000 to a "yyyy-mm-dd" date; -1 for any other text.
long dayNumber(const std::string &date) {
    int y = 0, m = 0, d = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3 || m < 1 ||
        m > 12 || d < 1 || d > 31)
        return -1;
    // Days from the civil date (proleptic Gregorian), shifted to start in March.
    y -= m <= 2;
    const long era = y / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 730425; // 730425: days from 0000-03-01 to 2000-01-01
}

long today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return dayNumber(text);
}

// How a watched keyword has fared: where it stood, how it drifted per year, how strongly it
// swings with the seasons, and how often a week finds it outside the top 100.
struct Story {
    double start;
    double perYear;
    double season;
    unsigned gapsPerHundred;
};

Story storyOf(const std::string &keyword) {
    const std::vector<std::string> &watched = demo::watchedKeywords();
    static const Story stories[] = {
        {4, -0.3, 1, 0},  // gärtnerei: the name is known, near the top for years
        {38, -6, 6, 3},   // kletterrosen kaufen: climbing, strongest in spring
        {22, -2, 8, 4},   // apfelbaum pflanzen: swings with the planting seasons
        {58, 5, 4, 18},   // schattenstauden: slipping, often out of the top 100
        {30, -3, 12, 6},  // rasen vertikutieren: a spring and autumn keyword
        {75, -13, 3, 10}, // hochbeet bauen: new page, a steep climb
        {17, 1.5, 10, 5}, // heckenschnitt: a summer keyword, slowly losing ground
    };
    for (std::size_t i = 0; i < watched.size() && i < std::size(stories); ++i)
        if (watched[i] == keyword)
            return stories[i];
    const unsigned h = stableHash(keyword);
    return Story{double(8 + h % 60), double(int(h / 64 % 9) - 4), double(h / 8 % 6), 8};
}

} // namespace

std::string demoTrendPosition(const std::string &keyword, const std::string &date) {
    const long day = dayNumber(date), now = today();
    if (day < 0 || day > now)
        return {}; // the service knows no rankings of days to come
    const Story story = storyOf(keyword);
    if (stableHash(keyword + "|gap|" + date) % 100 < story.gapsPerHundred)
        return {}; // that week the keyword was not among the first hundred results
    // The story spans the six years of the date table, whatever year it is now.
    const double years = 5 + double(day - now) / 365.25;
    constexpr double kTwoPi = 6.283185307179586;
    const double phase = double(day) / 365.25;                              // 0 on 1 January 2000
    const double season = -story.season * std::cos(kTwoPi * (phase - 0.3)); // best in spring
    const double noise = double(int(stableHash(keyword + date) % 7) - 3);
    const long rank = std::lround(story.start + story.perYear * years + season + noise);
    if (rank > 100)
        return {};
    return std::to_string(rank < 1 ? 1 : rank);
}

TrendData sampleTrendData(const std::string &key) {
    TrendData data;
    data.key = key;
    data.otherwise = demoTrendPosition;
    return data;
}

} // namespace sandbox
