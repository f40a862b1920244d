// The Windows-1251 conversion of the program's texts against Qt's own
// converter: every byte decodes to the same character, and every UTF-16 unit
// that a byte decodes to (and only those) encodes back to that byte.

#include "core/files/text_file.h"

#include <QHash>
#include <QStringDecoder>
#include <QTest>

using namespace quz::files;

class TestCp1251 : public QObject {
    Q_OBJECT
private slots:
    void everyByte();
    void everyCharacter();
};

void TestCp1251::everyByte()
{
    QStringDecoder qt("windows-1251");
    QVERIFY(qt.isValid());
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString expected = qt.decode(QByteArrayView(&byte, 1));
        QVERIFY2(!qt.hasError(), qPrintable(QString::number(b, 16)));
        QCOMPARE(fromCp1251(std::string_view(&byte, 1)), expected);
        QString appended = QStringLiteral("x");
        appendCp1251(appended, std::string_view(&byte, 1));
        QCOMPARE(appended, QStringLiteral("x") + expected);
    }
}

// The characters held are exactly the 256 that the bytes decode to, each
// encoded to its own byte; every other unit becomes '?'.
void TestCp1251::everyCharacter()
{
    QStringDecoder qt("windows-1251");
    QHash<char16_t, char> byteOf;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString ch = qt.decode(QByteArrayView(&byte, 1));
        byteOf.insert(ch.at(0).unicode(), byte);
    }
    QCOMPARE(byteOf.size(), 256);
    for (int unit = 0; unit < 0x10000; ++unit) {
        const QString ch{QChar(char16_t(unit))};
        const auto held = byteOf.constFind(char16_t(unit));
        const std::string expected(1, held != byteOf.constEnd() ? *held : '?');
        QVERIFY2(fitsCp1251(ch) == (held != byteOf.constEnd()),
                 qPrintable(QString::number(unit, 16)));
        QVERIFY2(toCp1251(ch) == expected, qPrintable(QString::number(unit, 16)));
    }
}

QTEST_GUILESS_MAIN(TestCp1251)
#include "tst_cp1251.moc"
