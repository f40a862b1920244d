#include "core/journal/journal_entries.h"

#include <QTest>

using namespace quz::journal;
using namespace Qt::StringLiterals;

class TestJournalEntries : public QObject {
    Q_OBJECT

private slots:
    void startEntryText()
    {
        QCOMPARE(startEntry(u"07.12.2026 0:08:40"_s, u"05"_s),
                 u"Старт 07.12.2026 0:08:40 Билет 05"_s);
        QVERIFY(!isErrorEntry(startEntry(u"07.12.2026 0:08:40"_s, u"05"_s)));
    }

    void errorEntryLayout_data()
    {
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle") << u"05"_s << u"12"_s << u"-> 05 вопрос 12"_s;
        QTest::newRow("first") << u"01"_s << u"01"_s << u"-> 01 вопрос 01"_s;
        QTest::newRow("last") << u"40"_s << u"20"_s << u"-> 40 вопрос 20"_s;
    }
    void errorEntryLayout()
    {
        QFETCH(QString, ticket);
        QFETCH(QString, question);
        const QString entry = errorEntry(ticket, question);
        QTEST(entry, "expected");
        QCOMPARE(entry.size(), 15);
        QVERIFY(isErrorEntry(entry));
        QCOMPARE(entryTicket(entry), ticket);
        QCOMPARE(entryQuestion(entry), question);
    }

    void fieldsOfOtherLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<QString>("question");
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("lone hyphen") << u"-"_s << QString() << QString();
        QTest::newRow("cut in ticket") << u"-> 5"_s << u"5"_s << QString();
        QTest::newRow("cut in question") << u"-> 05 вопрос 1"_s << u"05"_s << u"1"_s;
        QTest::newRow("longer line") << u"-> 05 вопрос 123"_s << u"05"_s << u"12"_s;
    }
    void fieldsOfOtherLines()
    {
        QFETCH(QString, line);
        QTEST(entryTicket(line), "ticket");
        QTEST(entryQuestion(line), "question");
    }

    void errorEntryKind_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("expected");
        QTest::newRow("error entry") << u"-> 05 вопрос 12"_s << true;
        QTest::newRow("lone hyphen") << u"-"_s << true;
        QTest::newRow("start entry") << u"Старт 07.12.2026 0:08:40 Билет 05"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank before hyphen") << u" -> 05 вопрос 12"_s << false;
    }
    void errorEntryKind()
    {
        QFETCH(QString, line);
        QTEST(isErrorEntry(line), "expected");
    }

    void duplicate_data()
    {
        const QString start = u"Старт 07.12.2026 0:08:40 Билет 05"_s;
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty journal") << QStringList{} << u"12"_s << false;
        QTest::newRow("same error last")
            << QStringList{start, u"-> 05 вопрос 12"_s} << u"12"_s << true;
        QTest::newRow("same question other ticket")
            << QStringList{u"-> 07 вопрос 12"_s} << u"12"_s << true;
        QTest::newRow("other question") << QStringList{u"-> 05 вопрос 12"_s} << u"13"_s << false;
        QTest::newRow("start entry last")
            << QStringList{u"-> 05 вопрос 12"_s, start} << u"12"_s << false;
        QTest::newRow("match not last")
            << QStringList{u"-> 05 вопрос 12"_s, u"-> 05 вопрос 13"_s} << u"12"_s << false;
        QTest::newRow("empty last line")
            << QStringList{u"-> 05 вопрос 12"_s, QString()} << u"12"_s << false;
        QTest::newRow("lone hyphen") << QStringList{u"-"_s} << u"12"_s << false;
        QTest::newRow("cut error line") << QStringList{u"-> 05 вопрос 1"_s} << u"12"_s << false;
        QTest::newRow("longer error line")
            << QStringList{u"-> 05 вопрос 12 !"_s} << u"12"_s << true;
        QTest::newRow("odd line with hyphen")
            << QStringList{u"-------------12"_s} << u"12"_s << true;
        QTest::newRow("placeholder") << placeholderLines() << u"12"_s << false;
    }
    void duplicate()
    {
        QFETCH(QStringList, journal);
        QFETCH(QString, question);
        const std::optional<QString> last =
            journal.isEmpty() ? std::nullopt : std::optional<QString>(journal.constLast());
        QTEST(isDuplicateError(last, question), "expected");
    }

    void placeholder()
    {
        const QStringList lines = placeholderLines();
        QCOMPARE(lines.size(), 28);
        QVERIFY(lines.at(0).isEmpty());
        QCOMPARE(lines.at(1), u" Для загрузки файла с"_s);
        QCOMPARE(lines.at(19), u"\"Ответить\" :)"_s);
        for (int i = 20; i < 27; ++i)
            QVERIFY2(lines.at(i).isEmpty(), qPrintable(QString::number(i + 1)));
        QVERIFY(!lines.at(27).trimmed().isEmpty());
        for (const QString &line : lines)
            QVERIFY2(!isErrorEntry(line), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestJournalEntries)
#include "tst_journal_entries.moc"
