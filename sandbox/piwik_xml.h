#pragma once

// The XML of an analytics server's replies, in the shape of a classic Piwik server (the one the
// program was written against) or of today's server (Matomo). One writer for the stand-in and
// the tests' replies.

#include <string>
#include <vector>

namespace sandbox::piwik {

enum class Shape { Today, Classic };

// One <row>: its attributes ("idgoal='1'") and its children in order, each a simple element
// or a nested table (subtable, goals, comparisons) of rows.
struct Row {
    struct Child {
        std::string name, value;
        std::vector<Row> table; // a nested table when not empty
    };
    std::string attributes;
    std::vector<Child> children;

    Row &add(const std::string &name, const std::string &value) {
        children.push_back({name, value, {}});
        return *this;
    }
    Row &addTable(const std::string &name, std::vector<Row> rows) {
        children.push_back({name, {}, std::move(rows)});
        return *this;
    }
};

// The declaration, then tab-indented rows below <result> with LF line ends, or an empty
// <result /> when there is no row. Values are written as given (escape them first).
std::string render(const std::vector<Row> &rows);

// "<result>" with one "<error message=...>", the message escaped.
std::string errorReply(const std::string &message);

// The figures of one referrer row (referrer kinds, keywords, websites), as text.
struct Referrer {
    std::string label, visitors, visits, actions, maxActions, duration, bounces;
    std::string converted = "0";
};
// A referrer row of one day or summed over several days. Today's server adds nb_users to day
// rows, leaves the unique visitors out of multi-day rows (only their daily sum, after the
// converted visits), and with `goals` puts the goal figures in a nested table after them.
Row referrerRow(const Referrer &r, bool oneDay, Shape shape, bool goals = false);

// Live.getCounters: classic servers answer visits, actions, converted visits, visitors; today's
// visits, actions, visitors, converted visits.
std::string liveCounters(const std::string &visits, const std::string &actions,
                         const std::string &visitors, const std::string &converted, Shape shape);

// SEO.getRank: one row per figure, label, rank and id; today's rows carry more elements.
struct SeoFigure {
    std::string id, label, rank;
};
std::string seoRank(const std::vector<SeoFigure> &figures, Shape shape);

} // namespace sandbox::piwik
