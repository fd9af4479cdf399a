#pragma once

// Helpers for tests that drive the real windows offscreen.

#include "app/application.h"
#include "core/dialogs.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace testing_gui {

// Takes the text of every message and error box while it lives.
class MessageCapture {
public:
    MessageCapture() {
        dialogs::setMessageSink([this](const QString &text) { texts_ << text; });
    }
    ~MessageCapture() { dialogs::setMessageSink({}); }
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    const QStringList &texts() const { return texts_; }
    void clear() { texts_.clear(); }

private:
    QStringList texts_;
};

// A fresh data folder; path("a/b") is a path inside it.
class DataFolder {
public:
    DataFolder() { EXPECT_TRUE(dir_.isValid()); }
    QString root() const { return dir_.path(); }
    QString path(const QString &relative) const { return dir_.filePath(relative); }

    void makeFolder(const QString &relative) const { QDir().mkpath(path(relative)); }
    void write(const QString &relative, const QByteArray &bytes) const {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.toStdString();
        f.write(bytes);
    }
    QByteArray read(const QString &relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(path(relative)); }

private:
    QTemporaryDir dir_;
};

// Finds a control by its layout name; the test fails when it is missing.
template <class T = QObject> T *control(QObject *window, const char *name) {
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// Memo and grid controls are reached through their invokable methods only.
inline QString memoText(QObject *memo) {
    QString text;
    QMetaObject::invokeMethod(memo, "text", Q_RETURN_ARG(QString, text));
    return text;
}
inline void setMemoText(QObject *memo, const QString &text) {
    QMetaObject::invokeMethod(memo, "setText", Q_ARG(QString, text));
}
inline int memoLineCount(QObject *memo) {
    int n = -1;
    QMetaObject::invokeMethod(memo, "lineCount", Q_RETURN_ARG(int, n));
    return n;
}
inline QString memoLine(QObject *memo, int i) {
    QString line;
    QMetaObject::invokeMethod(memo, "line", Q_RETURN_ARG(QString, line), Q_ARG(int, i));
    return line;
}
inline bool memoScrollBars(QObject *memo) {
    bool on = false;
    QMetaObject::invokeMethod(memo, "scrollBars", Q_RETURN_ARG(bool, on));
    return on;
}
inline int gridInt(QObject *grid, const char *method) {
    int n = -1;
    QMetaObject::invokeMethod(grid, method, Q_RETURN_ARG(int, n));
    return n;
}

} // namespace testing_gui
