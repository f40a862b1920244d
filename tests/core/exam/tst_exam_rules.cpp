// The two rule sets without a session: what follows an answer, a time-out
// or "Закончить", for the cases that decide an exam.

#include "core/exam/exam_rules.h"

#include <QTest>

using namespace quz::exam;
using namespace Qt::StringLiterals;

namespace {

// A script of marks: the main questions in number order, then after '|' the
// extra ones. R right, W wrong, M missed, '.' pending.
std::vector<JudgedQuestion> questions(const QString &script)
{
    std::vector<JudgedQuestion> all;
    const qsizetype bar = script.indexOf(u'|');
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (i != bar)
            all.push_back(
                {int(i % 21) + 1, bar >= 0 && i > bar, Mark(u".RWM"_s.indexOf(script[i]))});
    }
    return all;
}

// "continue", "add 1 4" (the blocks, 1-based), "passed: reason", "failed: reason"
QString describe(const Decision &d)
{
    static const char *const kinds[] = {"continue", "add ", "passed: ", "failed: "};
    QStringList blocks;
    for (const int b : d.blocks)
        blocks << QString::number(b + 1);
    return QString::fromLatin1(kinds[int(d.kind)]) + blocks.join(u' ') + d.reason;
}

const QString kAllRight = QString(20, u'R');

// `base` with the marks of `changes` ("3W 17M": question number, mark) put in.
QString with(QString base, const QString &changes)
{
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts))
        base[change.left(change.size() - 1).toInt() - 1] = change.back();
    return base;
}

} // namespace

class TestExamRules : public QObject {
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
};

void TestExamRules::decision_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QString>("expected");
    const int answer = int(Trigger::Answer), timeOut = int(Trigger::TimeOut),
              finish = int(Trigger::Finish);
    const QString pending = QString(20, u'.');

    QTest::newRow("2004: two errors pass") << 2004 << with(kAllRight, u"1W 20W"_s) << answer
                                           << u"passed: Ошибок: 2, допускается не более 2"_s;
    QTest::newRow("2004: the third error fails at once")
        << 2004 << with(pending, u"1W 2W 3R 4W"_s) << answer
        << u"failed: Ошибок: 3, допускается не более 2"_s;
    QTest::newRow("2004: time-out, unanswered are errors")
        << 2004 << with(QString(20, u'M'), u"1R 2W"_s) << timeOut
        << u"failed: Время вышло, ошибок: 19, допускается не более 2"_s;
    QTest::newRow("2004: time-out with two unanswered passes")
        << 2004 << with(kAllRight, u"19M 20M"_s) << timeOut
        << u"passed: Время вышло, ошибок: 2, допускается не более 2"_s;
    QTest::newRow("2004: ended early")
        << 2004 << with(kAllRight, u"20M"_s) << finish
        << u"passed: Закончено досрочно, ошибок: 1, допускается не более 2"_s;

    QTest::newRow("2016: no error") << 2016 << kAllRight << answer << u"passed: Ошибок нет"_s;
    QTest::newRow("2016: one error, one extra block")
        << 2016 << with(kAllRight, u"8W"_s) << answer << u"add 2"_s;
    QTest::newRow("2016: two errors in two blocks")
        << 2016 << with(kAllRight, u"17W 2W"_s) << answer << u"add 1 4"_s;
    QTest::newRow("2016: two errors in one block fail at once")
        << 2016 << with(pending, u"11W 15W"_s) << answer << u"failed: Две ошибки в одном блоке"_s;
    QTest::newRow("2016: three errors in three blocks")
        << 2016 << with(pending, u"1W 6W 11W"_s) << answer
        << u"failed: Ошибок: 3, допускается не более 2"_s;
    QTest::newRow("2016: time-out, one unanswered is one block")
        << 2016 << with(kAllRight, u"20M"_s) << timeOut << u"add 4"_s;
    QTest::newRow("2016: ended early with an error")
        << 2016 << with(kAllRight, u"3W 20M"_s) << finish
        << u"failed: Закончено досрочно, без ответа: 1"_s;
    QTest::newRow("2016: extra questions all right")
        << 2016 << with(kAllRight, u"8W 20W"_s) + u"|RRRRRRRRRR"_s << answer
        << u"passed: Ошибок: 2, дополнительные вопросы без ошибок"_s;
    QTest::newRow("2016: an error in the extra questions")
        << 2016 << with(kAllRight, u"8W"_s) + u"|RW..."_s << answer
        << u"failed: Ошибка в дополнительных вопросах"_s;
    QTest::newRow("2016: time-out in the extra questions")
        << 2016 << with(kAllRight, u"8W"_s) + u"|RRRMM"_s << timeOut
        << u"failed: Время вышло в дополнительных вопросах"_s;
}

void TestExamRules::decision()
{
    QFETCH(int, year);
    QFETCH(QString, script);
    QFETCH(int, trigger);
    Rule rule{};
    QVERIFY(ruleOfYear(year, &rule));
    QTEST(describe(decide(rule, questions(script), Trigger(trigger))), "expected");
}

QTEST_GUILESS_MAIN(TestExamRules)
#include "tst_exam_rules.moc"
