#include "sandbox/piwik_xml.h"

#include "sandbox/xml_text.h"

namespace sandbox::piwik {

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n";

void appendRow(std::string &out, const Row &row, int depth) {
    const std::string indent(size_t(depth), '\t');
    out += indent + "<row" + (row.attributes.empty() ? "" : " " + row.attributes) + ">\n";
    for (const Row::Child &child : row.children) {
        if (child.table.empty()) {
            out += indent + "\t<" + child.name + ">" + child.value + "</" + child.name + ">\n";
            continue;
        }
        out += indent + "\t<" + child.name + ">\n";
        for (const Row &nested : child.table)
            appendRow(out, nested, depth + 2);
        out += indent + "\t</" + child.name + ">\n";
    }
    out += indent + "</row>\n";
}

// Goal figures as today's server nests them in a row.
std::vector<Row> goalRows(const Referrer &r) {
    Row order, goal;
    order.attributes = "idgoal='ecommerceOrder'";
    order.add("nb_conversions", r.converted).add("nb_visits_converted", r.converted);
    order.add("revenue", "49.90").add("items", "2");
    goal.attributes = "idgoal='1'";
    goal.add("nb_conversions", r.converted).add("nb_visits_converted", r.converted);
    goal.add("revenue", "10");
    return {order, goal};
}

} // namespace

std::string render(const std::vector<Row> &rows) {
    if (rows.empty())
        return kDeclaration + "<result />";
    std::string out = kDeclaration + "<result>\n";
    for (const Row &row : rows)
        appendRow(out, row, 1);
    return out + "</result>";
}

std::string errorReply(const std::string &message) {
    return kDeclaration + "<result>\n\t<error message=\"" + xmlEscaped(message) +
           "\" />\n</result>";
}

Row referrerRow(const Referrer &r, bool oneDay, Shape shape, bool goals) {
    const bool today = shape == Shape::Today;
    Row row;
    row.add("label", r.label);
    if (oneDay) {
        row.add("nb_uniq_visitors", r.visitors).add("nb_visits", r.visits);
        row.add("nb_actions", r.actions);
        if (today)
            row.add("nb_users", "0");
        row.add("max_actions", r.maxActions).add("sum_visit_length", r.duration);
        row.add("bounce_count", r.bounces).add("nb_visits_converted", r.converted);
    } else {
        row.add("nb_visits", r.visits).add("nb_actions", r.actions);
        row.add("max_actions", r.maxActions).add("sum_visit_length", r.duration);
        row.add("bounce_count", r.bounces).add("nb_visits_converted", r.converted);
        row.add("sum_daily_nb_uniq_visitors", r.visitors);
        if (today)
            row.add("sum_daily_nb_users", "0");
    }
    if (today && goals) {
        row.addTable("goals", goalRows(r));
        row.add("nb_conversions", r.converted).add("revenue", "59.9");
    }
    return row;
}

std::string liveCounters(const std::string &visits, const std::string &actions,
                         const std::string &visitors, const std::string &converted, Shape shape) {
    Row row;
    row.add("visits", visits).add("actions", actions);
    if (shape == Shape::Today)
        row.add("visitors", visitors).add("visitsConverted", converted);
    else
        row.add("visitsConverted", converted).add("visitors", visitors);
    return render({row});
}

std::string seoRank(const std::vector<SeoFigure> &figures, Shape shape) {
    std::vector<Row> rows;
    for (const SeoFigure &f : figures) {
        Row row;
        row.add("label", xmlEscaped(f.label)).add("rank", xmlEscaped(f.rank));
        row.add("logo", "plugins/SEO/images/" + f.id + ".png");
        if (shape == Shape::Today)
            row.add("logo_link", "")
                .add("logo_tooltip", xmlEscaped(f.label))
                .add("rank_suffix", "");
        row.add("id", f.id);
        rows.push_back(row);
    }
    return render(rows);
}

} // namespace sandbox::piwik
