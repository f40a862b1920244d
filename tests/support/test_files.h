#pragma once
// Whole files for the tests: read as they lie, written over.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace quz::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file's content with `bytes`; fails the test when it cannot.
inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace quz::test
