// Checks the demonstration program directory data/ that is copied beside the
// executable: every text file is Windows-1251 with CR LF line ends, the
// question file holds one well-formed record for each of the 800 questions,
// the comment file has every ticket header and the comments 1..21 in order,
// and the picture folder and the placeholder are real JPEG and BMP files.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr int kTickets = 40;
constexpr int kQuestions = 20;

QString demoPath(const QString &name)
{
    return QDir(QString::fromUtf8(QUZ_DEMO_DATA_DIR)).filePath(name);
}

QByteArray readDemoFile(const QString &name)
{
    QFile file(demoPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The lines of a CR LF text, without the empty piece after the final CR LF.
QStringList demoLines(const QString &name)
{
    QStringDecoder decoder("windows-1251");
    QString text = decoder.decode(readDemoFile(name));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

const QString kMarker = QStringLiteral("билет");

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT

private slots:
    void textFile_data();
    void textFile();
    void questionFile();
    void commentFile();
    void pictures();
    void placeholder();
};

void TestDemoData::textFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("questions") << QStringLiteral("vopros.txt");
    QTest::newRow("comments") << QStringLiteral("koment.txt");
    QTest::newRow("help") << QStringLiteral("Help.txt");
    QTest::newRow("install notes") << QStringLiteral("Установка!!!.txt");
}

void TestDemoData::textFile()
{
    QFETCH(QString, name);
    const QByteArray bytes = readDemoFile(name);
    QVERIFY2(!bytes.isEmpty(), qPrintable(demoPath(name)));
    QVERIFY(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n')
            QVERIFY2(i > 0 && bytes.at(i - 1) == '\r',
                     qPrintable(QStringLiteral("bare LF at %1").arg(i)));
        if (c == '\r')
            QVERIFY2(i + 1 < bytes.size() && bytes.at(i + 1) == '\n',
                     qPrintable(QStringLiteral("bare CR at %1").arg(i)));
    }

    QStringDecoder decoder("windows-1251");
    QVERIFY(decoder.isValid());
    const QString text = decoder.decode(bytes);
    QVERIFY(!decoder.hasError());
    QCOMPARE(text.size(), bytes.size());
    // Only printable characters besides the line ends: no NUL (which would end
    // the text), no tab, and none of the C1 codes that stand for bytes the
    // code page leaves undefined.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const bool lineEnd = u == u'\r' || u == u'\n';
        const bool control = u < 0x20 || (u >= 0x7f && u <= 0x9f);
        QVERIFY2(lineEnd || !control, qPrintable(QStringLiteral("control character U+%1 at %2")
                                                     .arg(u, 4, 16, QLatin1Char('0'))
                                                     .arg(i)));
    }
}

void TestDemoData::questionFile()
{
    const QStringList lines = demoLines(QStringLiteral("vopros.txt"));
    const QString bank = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QVERIFY(lines.size() > kTickets * kQuestions * 4);
    QVERIFY2(lines.constLast().contains(kMarker),
             "the last record must be closed by a line with the marker");

    static const QRegularExpression header(QStringLiteral("^билет(\\d\\d)(\\d\\d)([1-5])$"));
    QSet<QString> keys;
    int byCount[6] = {};
    int blankSeparated = 0;
    qsizetype i = 0;
    while (i < lines.size() - 1) {
        const QRegularExpressionMatch m = header.match(lines.at(i));
        QVERIFY2(
            m.hasMatch(),
            qPrintable(QStringLiteral("line %1 is not a header: %2").arg(i + 1).arg(lines.at(i))));
        const QString key = lines.at(i).left(9);
        QVERIFY2(!keys.contains(key), qPrintable(key));
        keys.insert(key);
        // The lookup takes the first occurrence of the key anywhere in the bank.
        QVERIFY2(bank.count(key) == 1, qPrintable(key));
        QVERIFY2(i + 1 < lines.size() && !lines.at(i + 1).trimmed().isEmpty(), qPrintable(key));

        qsizetype j = i + 2;
        int variants = 0;
        while (j < lines.size() && !lines.at(j).isEmpty() && !lines.at(j).contains(kMarker)) {
            QVERIFY2(!lines.at(j).trimmed().isEmpty(),
                     qPrintable(key + QStringLiteral(": blank variant")));
            ++variants;
            ++j;
        }
        QVERIFY2(j < lines.size(),
                 qPrintable(key + QStringLiteral(": record runs to the end of the file")));
        if (lines.at(j).isEmpty()) {
            ++j;
            ++blankSeparated;
            QVERIFY2(
                j < lines.size() && lines.at(j).contains(kMarker),
                qPrintable(key
                           + QStringLiteral(": a blank line must be followed by the next header")));
        }
        QVERIFY2(variants >= 2 && variants <= 5,
                 qPrintable(key + QStringLiteral(": %1 variants").arg(variants)));
        QVERIFY2(m.captured(3).toInt() <= variants,
                 qPrintable(key + QStringLiteral(": answer beyond the variants")));
        ++byCount[variants];
        i = j;
    }

    for (int t = 1; t <= kTickets; ++t)
        for (int q = 1; q <= kQuestions; ++q)
            QVERIFY2(
                keys.contains(kMarker + twoDigits(t) + twoDigits(q)),
                qPrintable(QStringLiteral("no record for ticket %1, question %2").arg(t).arg(q)));
    QCOMPARE(keys.size(), kTickets * kQuestions);

    // The demonstration set shows every variant count and both separators.
    for (int n = 2; n <= 5; ++n)
        QVERIFY2(byCount[n] > 0, qPrintable(QStringLiteral("no record with %1 variants").arg(n)));
    QVERIFY(blankSeparated > 0);
    QVERIFY(blankSeparated < kTickets * kQuestions);
}

void TestDemoData::commentFile()
{
    const QStringList lines = demoLines(QStringLiteral("koment.txt"));
    QVERIFY(!lines.isEmpty());
    QVERIFY2(!lines.constFirst().startsWith(kMarker),
             "a header on the first line is not found by the lookup");

    static const QRegularExpression numbered(QStringLiteral("^(\\d+)\\."));
    int ticket = 0;
    int next = 1; // number of the line that must come next within the ticket
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QString where = QStringLiteral("line %1: %2").arg(i + 1).arg(line.left(40));
        if (line.startsWith(kMarker)) {
            QVERIFY2(ticket == 0 || next == kQuestions + 2, qPrintable(where));
            ++ticket;
            QVERIFY2(line.startsWith(kMarker + twoDigits(ticket)), qPrintable(where));
            next = 1;
            continue;
        }
        QVERIFY2(ticket > 0, qPrintable(where));
        const QRegularExpressionMatch m = numbered.match(line);
        if (m.hasMatch()) {
            QVERIFY2(m.captured(1).toInt() == next, qPrintable(where));
            if (next <= kQuestions)
                QVERIFY2(line.mid(m.capturedEnd()).startsWith(QLatin1Char(' '))
                             && line.size() > m.capturedEnd() + 1,
                         qPrintable(where));
            ++next;
        } else {
            // A continuation line of comment next - 1, which must exist.
            QVERIFY2(next >= 2 && next <= kQuestions + 1, qPrintable(where));
        }
    }
    QCOMPARE(ticket, kTickets);
    QCOMPARE(next, kQuestions + 2);
}

void TestDemoData::pictures()
{
    QFile sample(demoPath(QStringLiteral("bmp/Quz_1_10.jpg")));
    QVERIFY2(sample.open(QIODevice::ReadOnly),
             "the sample picture decides whether the install notes show");
    QVERIFY(sample.read(3).startsWith("\xFF\xD8\xFF"));

    static const QRegularExpression pictureName(
        QStringLiteral("^Quz_([1-9]\\d?)_([1-9]\\d?)\\.jpg$"));
    const QStringList names = QDir(demoPath(QStringLiteral("bmp"))).entryList(QDir::Files);
    QVERIFY(names.size() >= 6);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = pictureName.match(name);
        QVERIFY2(m.hasMatch(), qPrintable(name));
        QVERIFY2(m.captured(1).toInt() <= kTickets && m.captured(2).toInt() <= kQuestions,
                 qPrintable(name));
        QVERIFY2(readDemoFile(QStringLiteral("bmp/") + name).startsWith("\xFF\xD8\xFF"),
                 qPrintable(name));
    }
}

void TestDemoData::placeholder()
{
    const QByteArray bmp = readDemoFile(QStringLiteral("emp.bmp"));
    QVERIFY(bmp.size() > 54);
    QVERIFY(bmp.startsWith("BM"));
    const auto le32 = [&bmp](int at) {
        return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(bmp.constData()) + at);
    };
    QCOMPARE(le32(2), quint32(bmp.size()));
    QVERIFY(le32(10) < quint32(bmp.size()));
    QVERIFY(le32(18) > 0 && le32(22) > 0);
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demo_data.moc"
