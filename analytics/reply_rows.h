#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kf::analytics {

// The analytics server's XML replies, read by element name. Text in, plain values out: no
// widget and no memo is involved.

// One record of a reply: the wanted elements among the row's own children, in the order they
// were asked for. Each value is the element's content as the reply holds it (entities stay as
// written, like the lines of the tag-per-line text).
struct ReplyRow {
    QStringList values;  // empty where the row lacks the element
    quint64 present = 0; // bit k: the row has wanted element k (an empty one included)
    bool has(int k) const { return (present >> k) & 1u; }
};

struct ReplyRows {
    // Every `row` that is a direct child of a `result` element, in reply order; a reply whose
    // XML breaks off keeps the rows completed before the break.
    QList<ReplyRow> rows;
    // The message of an error reply (`<error message="..."/>`), decoded; empty otherwise.
    QString error;
};

// Reads the rows of a reply. A row's values are its own children only, never those of the
// tables nested in it (`subtable`, `comparisons`, `goals`). At most 64 names are wanted.
ReplyRows readReplyRows(const QString &reply, const QStringList &wanted);

// The content of every element called `name`, at any depth (the entry pages' `url`s), up to a
// break in the XML.
QStringList readElementTexts(const QString &reply, const QString &name);

// The message of an error reply, or empty. Reads only the head of a reply that has rows.
QString serverErrorOf(const QString &reply);

} // namespace kf::analytics
