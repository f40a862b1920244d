// quz's answers in the learning record: what reaches the database, and that
// no writer starts before an answer that names a real question.
#include "app/quz/answer_recorder.h"

#include "core/record/database_file.h"
#include "core/record/history.h"

#include <QTemporaryDir>
#include <QtTest>

using quz::app::AnswerRecorder;

class TestAnswerRecorder : public QObject {
    Q_OBJECT
private slots:
    void answersReachTheRecord();
};

void TestAnswerRecorder::answersReachTheRecord()
{
    QTemporaryDir dir;
    const qint64 now = QDateTime(QDate(2026, 12, 9), QTime(10, 0)).toMSecsSinceEpoch();
    AnswerRecorder answers(dir.path(), dir.filePath(QStringLiteral("quz.ini")),
                           [now] { return now; });

    // A hand-edited journal line may name no question: nothing is written,
    // and nothing of the record is started for it.
    answers.answerGiven(QStringLiteral("99"), QStringLiteral("x"), 1, QStringLiteral("2"), false,
                        true);
    QVERIFY(!answers.recorder());
    QVERIFY(!QFile::exists(quz::record::databasePath(dir.path())));

    answers.answerGiven(QStringLiteral("07"), QStringLiteral("05"), 3, QStringLiteral("2"), false,
                        false);
    answers.answerGiven(QStringLiteral("07"), QStringLiteral("05"), 2, QStringLiteral("2"), true,
                        true);
    QVERIFY(answers.recorder());
    QVERIFY(answers.recorder()->waitForWrites(10000));

    const auto history =
        quz::record::readHistory(quz::record::databasePath(dir.path()), QDate(2026, 12, 9));
    QVERIFY2(history, qPrintable(history ? QString() : history.error()));
    QCOMPARE(history->summary.answers, 2);
    QCOMPARE(history->summary.right, 1);
    QCOMPARE(history->summary.weekAnswers, 2);
    const quz::record::QuestionStat &q =
        history->questions.at(size_t(quz::record::questionIndex({7, 5})));
    QCOMPARE(q.asked, 2);
    QCOMPARE(q.wrong, 1);
    QCOMPARE(q.lastMs, std::optional<qint64>(now));
    QVERIFY(q.lastCorrect);
}

QTEST_GUILESS_MAIN(TestAnswerRecorder)
#include "tst_answer_recorder.moc"
