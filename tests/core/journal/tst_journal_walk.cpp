// The journal answer mode's decisions without a display: the line kept when
// the list turns single-selection, one walk step, what a line yields, and
// whole replays of a journal driven by a script of right and wrong answers.

#include "core/journal/journal_entries.h"
#include "core/journal/journal_walk.h"

#include <QTest>

using namespace quz::journal;
using namespace Qt::StringLiterals;

namespace {

const QString kStart = u"Старт 07.12.2026 0:08:40 Билет 01"_s;

// Replays `journal` from the line `first` as the journal window does: every
// 'R' of `answers` is a right answer to the question asked, every 'W' a
// wrong one (its error entry appended unless the duplicate test stops it).
// Returns the questions asked as "ticket/question" and leaves the journal as
// the replay left it; "done" ends the list when the walk ran past the end.
QStringList replay(JournalLines &journal, qsizetype first, bool deleteAnswered,
                   const QString &answers)
{
    QStringList asked;
    WalkStep step = walk(journal, first - 1);
    for (const QChar answer : answers) {
        if (!step.found)
            break;
        asked << step.entry.ticket + u'/' + step.entry.question;
        if (answer == u'W') {
            if (!isDuplicateError(journal.last(), step.entry.question))
                journal.append(errorEntry(step.entry.ticket, step.entry.question));
            continue;
        }
        const RightAnswer right = rightAnswer(step.cursor, deleteAnswered);
        if (right.deleteSelected)
            journal.remove({{step.cursor, 1}});
        step = walk(journal, right.cursor);
    }
    if (!step.found)
        asked << u"done"_s;
    return asked;
}

} // namespace

class TestJournalWalk : public QObject {
    Q_OBJECT
private slots:
    void singleSelection_data();
    void singleSelection();
    void step_data();
    void step();
    void lineYields_data();
    void lineYields();
    void replays_data();
    void replays();
};

void TestJournalWalk::singleSelection_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("anySelected");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("firstSelected");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty list") << 0 << false << -1 << -1 << -1;
    QTest::newRow("nothing selected: first line") << 5 << false << 3 << -1 << 0;
    QTest::newRow("several selected: the focus line") << 5 << true << 3 << 1 << 3;
    QTest::newRow("focus line not itself selected") << 5 << true << 4 << 1 << 4;
    QTest::newRow("no focus: first selected") << 5 << true << -1 << 2 << 2;
    QTest::newRow("focus past the end") << 5 << true << 7 << 2 << 2;
}

void TestJournalWalk::singleSelection()
{
    QFETCH(int, count);
    QFETCH(bool, anySelected);
    QFETCH(int, focus);
    QFETCH(int, firstSelected);
    QTEST(static_cast<int>(singleSelectionRow(count, anySelected, focus, firstSelected)),
          "expected");
}

void TestJournalWalk::step_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("newCursor");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("question");
    const QStringList mixed{kStart, u"-> 01 вопрос 03"_s, QString(), u"text"_s,
                            u"-> 02 вопрос 04"_s};
    QTest::newRow("selected line itself") << mixed << 0 << 1 << true << u"01/03"_s;
    QTest::newRow("passes over other lines") << mixed << 1 << 4 << true << u"02/04"_s;
    QTest::newRow("from before the first line") << mixed << -1 << 1 << true << u"01/03"_s;
    QTest::newRow("past the last entry") << mixed << 4 << 5 << false << QString();
    QTest::newRow("empty journal") << QStringList{} << -1 << 0 << false << QString();
    QTest::newRow("cursor already past the end") << mixed << 9 << 10 << false << QString();
    QTest::newRow("only start entries")
        << QStringList{kStart, kStart} << -1 << 2 << false << QString();
    QTest::newRow("placeholder") << placeholderLines() << -1 << 28 << false << QString();
}

void TestJournalWalk::step()
{
    QFETCH(QStringList, journal);
    QFETCH(int, cursor);
    QFETCH(bool, found);
    QFETCH(QString, question);
    const WalkStep s = walk(JournalLines(journal), cursor);
    QTEST(static_cast<int>(s.cursor), "newCursor");
    QCOMPARE(s.found, found);
    if (found)
        QCOMPARE(s.entry.ticket + u'/' + s.entry.question, question);
}

void TestJournalWalk::lineYields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("question");
    QTest::newRow("error entry") << u"-> 05 вопрос 12"_s << u"05"_s << u"12"_s;
    QTest::newRow("lone hyphen") << u"-"_s << QString() << QString();
    QTest::newRow("cut in the ticket") << u"-> 5"_s << u"5"_s << QString();
    QTest::newRow("cut in the question") << u"-> 05 вопрос 1"_s << u"05"_s << u"1"_s;
    QTest::newRow("letters where numbers stand")
        << u"-- аб вопрос вг и дальше"_s << u"аб"_s << u"вг"_s;
    QTest::newRow("longer line") << u"-> 40 вопрос 20 (повтор)"_s << u"40"_s << u"20"_s;
}

void TestJournalWalk::lineYields()
{
    QFETCH(QString, line);
    JournalLines journal;
    journal.append(line);
    const WalkStep s = walk(journal, -1);
    QVERIFY(s.found);
    QTEST(s.entry.ticket, "ticket");
    QTEST(s.entry.question, "question");
    // The same fields the entry reader of the journal gives.
    QCOMPARE(s.entry.ticket, entryTicket(line));
    QCOMPARE(s.entry.question, entryQuestion(line));
}

void TestJournalWalk::replays_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<int>("first");
    QTest::addColumn<bool>("deleteAnswered");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("after");

    const QString e13 = u"-> 01 вопрос 03"_s;
    const QString e24 = u"-> 02 вопрос 04"_s;
    const QString e35 = u"-> 03 вопрос 05"_s;
    const QStringList journal{kStart, e13, QString(), e24, u"заметка"_s, e35};

    QTest::newRow("starts at the selected line, deleting")
        << journal << 3 << true << u"RR"_s << QStringList{u"02/04"_s, u"03/05"_s, u"done"_s}
        << QStringList{kStart, e13, QString(), u"заметка"_s};
    QTest::newRow("whole journal without deleting")
        << journal << 0 << false << u"RRR"_s
        << QStringList{u"01/03"_s, u"02/04"_s, u"03/05"_s, u"done"_s} << journal;
    QTest::newRow("deleting leaves only other lines")
        << journal << 0 << true << u"RRR"_s
        << QStringList{u"01/03"_s, u"02/04"_s, u"03/05"_s, u"done"_s}
        << QStringList{kStart, QString(), u"заметка"_s};
    QTest::newRow("last entry: one question")
        << journal << 5 << true << u"R"_s << QStringList{u"03/05"_s, u"done"_s}
        << QStringList{kStart, e13, QString(), e24, u"заметка"_s};
    QTest::newRow("deletion down to an empty journal")
        << QStringList{e13, e24, e35} << 0 << true << u"RRR"_s
        << QStringList{u"01/03"_s, u"02/04"_s, u"03/05"_s, u"done"_s} << QStringList{};
    QTest::newRow("nothing at or below the selected line")
        << QStringList{e13, kStart, QString()} << 1 << true << u""_s << QStringList{u"done"_s}
        << QStringList{e13, kStart, QString()};
    QTest::newRow("wrong answer appends, asked again at the end")
        << QStringList{e13, e24} << 0 << true << u"WRRR"_s
        << QStringList{u"01/03"_s, u"01/03"_s, u"02/04"_s, u"01/03"_s, u"done"_s} << QStringList{};
    QTest::newRow("second wrong answer writes nothing")
        << QStringList{e24, e13} << 0 << false << u"WWRRR"_s
        << QStringList{u"02/04"_s, u"02/04"_s, u"02/04"_s, u"01/03"_s, u"02/04"_s, u"done"_s}
        << QStringList{e24, e13, e24};
    QTest::newRow("same question number of another ticket last")
        << QStringList{e24, u"-> 07 вопрос 04"_s} << 0 << false << u"WRR"_s
        << QStringList{u"02/04"_s, u"02/04"_s, u"07/04"_s, u"done"_s}
        << QStringList{e24, u"-> 07 вопрос 04"_s};
    QTest::newRow("hyphen lines without the layout")
        << QStringList{u"-"_s, u"-> 5"_s, e13} << 0 << true << u"RRR"_s
        << QStringList{u"/"_s, u"5/"_s, u"01/03"_s, u"done"_s} << QStringList{};
}

void TestJournalWalk::replays()
{
    QFETCH(QStringList, journal);
    QFETCH(int, first);
    QFETCH(bool, deleteAnswered);
    QFETCH(QString, answers);
    JournalLines lines(journal);
    QTEST(replay(lines, first, deleteAnswered, answers), "asked");
    QTEST(lines.toStringList(), "after");
}

QTEST_GUILESS_MAIN(TestJournalWalk)
#include "tst_journal_walk.moc"
