#pragma once

// Exact bytes of files, for tests that check what the program wrote or feed it what another
// editor would write.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace testing_files {

inline QByteArray readBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

} // namespace testing_files
