// The journal's line store and the list model over it: removal of runs of
// rows, reclaiming the bytes of removed lines, and the model's notifications
// (which decide whether the list keeps its place).

#include "core/files/text_file.h"
#include "core/journal/journal_model.h"

#include <QSignalSpy>
#include <QTest>

using namespace quz::journal;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::vector<quz::journal::RowRange>)

namespace {

using Ranges = std::vector<RowRange>;

QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(i);
    return lines;
}

QStringList without(QStringList lines, const QList<int> &rows)
{
    for (auto r = rows.crbegin(); r != rows.crend(); ++r)
        lines.removeAt(*r);
    return lines;
}

} // namespace

class TestJournalLines : public QObject {
    Q_OBJECT
private slots:
    void mergeRanges_data();
    void mergeRanges();
    void remove_data();
    void remove();
    void removedBytesReclaimed();
    void appendToItself();
    void filesAndEntriesInterleaved();
    void modelAppend();
    void modelRemove_data();
    void modelRemove();
    void modelLoadsInOneReset();
    void modelData();
    void longLineShownCut_data();
    void longLineShownCut();
};

void TestJournalLines::mergeRanges_data()
{
    QTest::addColumn<Ranges>("ranges");
    QTest::addColumn<Ranges>("merged");
    QTest::newRow("none") << Ranges{} << Ranges{};
    QTest::newRow("unsorted") << Ranges{{5, 1}, {1, 2}} << Ranges{{1, 2}, {5, 1}};
    QTest::newRow("touching") << Ranges{{1, 2}, {3, 2}} << Ranges{{1, 4}};
    QTest::newRow("overlapping") << Ranges{{1, 5}, {3, 1}, {4, 4}} << Ranges{{1, 7}};
    QTest::newRow("empty dropped") << Ranges{{2, 0}, {4, 1}} << Ranges{{4, 1}};
}

void TestJournalLines::mergeRanges()
{
    QFETCH(Ranges, ranges);
    QTEST(quz::journal::mergeRanges(ranges), "merged");
}

void TestJournalLines::remove_data()
{
    QTest::addColumn<Ranges>("ranges");
    QTest::addColumn<QList<int>>("removed");
    QTest::newRow("first") << Ranges{{0, 1}} << QList<int>{0};
    QTest::newRow("last") << Ranges{{9, 1}} << QList<int>{9};
    QTest::newRow("middle run") << Ranges{{3, 4}} << QList<int>{3, 4, 5, 6};
    QTest::newRow("three runs") << Ranges{{0, 1}, {4, 2}, {9, 1}} << QList<int>{0, 4, 5, 9};
    QTest::newRow("everything") << Ranges{{0, 10}} << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

void TestJournalLines::remove()
{
    QFETCH(Ranges, ranges);
    QFETCH(QList<int>, removed);
    JournalLines lines(numbered(10));
    lines.remove(ranges);
    QCOMPARE(lines.toStringList(), without(numbered(10), removed));
    // What is left goes on working as a journal.
    lines.append(u"next"_s);
    QCOMPARE(*lines.last(), u"next"_s);
}

void TestJournalLines::removedBytesReclaimed()
{
    JournalLines lines;
    const QString line(1000, u'x');
    for (int i = 0; i < 4000; ++i)
        lines.append(line + QString::number(i));
    const qsizetype before = lines.storeSize();
    lines.remove({{0, 3990}});
    QCOMPARE(lines.size(), 10);
    QVERIFY2(lines.storeSize() < before / 100, qPrintable(QString::number(lines.storeSize())));
    for (int i = 0; i < 10; ++i)
        QCOMPARE(lines.at(i), line + QString::number(3990 + i));
}

void TestJournalLines::appendToItself()
{
    JournalLines lines(QStringList{u"a"_s, u"b"_s});
    lines.append(lines);
    QCOMPARE(lines.toStringList(), (QStringList{u"a"_s, u"b"_s, u"a"_s, u"b"_s}));
}

// Loaded files keep their own buffers and entries go after them: lines read
// back in order across them, through removals and the reclaiming of bytes.
void TestJournalLines::filesAndEntriesInterleaved()
{
    JournalLines lines = JournalLines::fromText("a\r\nb"_ba);
    lines.append(u"c"_s);
    lines.append(JournalLines::fromText("d\ne\n"_ba));
    lines.append(u"f"_s);
    lines.append(JournalLines::fromText(QByteArray(3 << 20, 'x') + "\rg"_ba));
    lines.append(u"h"_s);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(6).size(), 3 << 20);
    lines.remove({{1, 1}, {3, 1}, {6, 1}});
    QCOMPARE(lines.toStringList(), (QStringList{u"a"_s, u"c"_s, u"e"_s, u"f"_s, u"g"_s, u"h"_s}));
    // The 3 MB line's bytes were reclaimed.
    QVERIFY2(lines.storeSize() < 100, qPrintable(QString::number(lines.storeSize())));
    lines.append(u"i"_s);
    QCOMPARE(*lines.last(), u"i"_s);
    QCOMPARE(lines.textSize(), 7);
}

void TestJournalLines::modelAppend()
{
    JournalModel model;
    model.replaceAll(JournalLines(numbered(3)));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.appendLine(u"-> 01 вопрос 02"_s);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 3);
    QCOMPARE(inserted.at(0).at(2).toInt(), 3);
    QCOMPARE(reset.size(), 0);
    QCOMPARE(model.lastLineStart(), std::optional<QString>(u"-> 01 вопрос 02"_s));
    QCOMPARE(model.rowCount(), 4);
}

void TestJournalLines::modelRemove_data()
{
    QTest::addColumn<Ranges>("ranges");
    QTest::addColumn<QList<int>>("removed");
    QTest::addColumn<QList<int>>("removalsFirstRows");
    QTest::addColumn<int>("resets");
    QTest::newRow("one row") << Ranges{{4, 1}} << QList<int>{4} << QList<int>{4} << 0;
    QTest::newRow("runs removed bottom up")
        << Ranges{{1, 2}, {6, 1}} << QList<int>{1, 2, 6} << QList<int>{6, 1} << 0;
    QTest::newRow("selection reported twice")
        << Ranges{{6, 1}, {1, 2}, {2, 1}} << QList<int>{1, 2, 6} << QList<int>{6, 1} << 0;
    QTest::newRow("out of range clipped")
        << Ranges{{38, 5}, {-3, 4}} << QList<int>{0, 38, 39} << QList<int>{38, 0} << 0;
    QList<int> every;
    Ranges many;
    for (int row = 0; row < 40; row += 2) {
        every << row;
        many.push_back({row, 1});
    }
    QTest::newRow("many runs in one reset") << many << every << QList<int>{} << 1;
}

void TestJournalLines::modelRemove()
{
    QFETCH(Ranges, ranges);
    QFETCH(QList<int>, removed);
    QFETCH(QList<int>, removalsFirstRows);
    QFETCH(int, resets);
    JournalModel model;
    model.replaceAll(JournalLines(numbered(40)));
    QSignalSpy removedSpy(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.removeRanges(ranges);
    QCOMPARE(model.lines().toStringList(), without(numbered(40), removed));
    QList<int> firstRows;
    for (const QList<QVariant> &signal : removedSpy)
        firstRows << signal.at(1).toInt();
    QCOMPARE(firstRows, removalsFirstRows);
    QCOMPARE(reset.size(), resets);
}

void TestJournalLines::modelLoadsInOneReset()
{
    JournalModel model;
    model.appendLine(u"first"_s);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.appendLines(JournalLines(numbered(1000)));
    QCOMPARE(reset.size(), 1);
    QCOMPARE(inserted.size(), 0);
    QCOMPARE(model.rowCount(), 1001);
    QCOMPARE(model.lines().at(0), u"first"_s);
    QCOMPARE(model.lines().at(1000), u"999"_s);
}

void TestJournalLines::modelData()
{
    JournalModel model;
    model.replaceAll(JournalLines(QStringList{u"-> 05 вопрос 12"_s, QString()}));
    QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), u"-> 05 вопрос 12"_s);
    QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(), QString());
    QVERIFY(!model.data(model.index(0), Qt::EditRole).isValid());
    QVERIFY(!model.data(model.index(2), Qt::DisplayRole).isValid());
    const Qt::ItemFlags flags = model.flags(model.index(0));
    QVERIFY(flags.testFlag(Qt::ItemIsSelectable));
    QVERIFY(!flags.testFlag(Qt::ItemIsEditable));
    QVERIFY(!flags.testFlag(Qt::ItemIsDragEnabled));
    QCOMPARE(model.rowCount(model.index(0)), 0);
}

// A line of any length costs the list a bounded text: its start and "…".
// The line itself stays whole for saving, the walk and the duplicate test.
void TestJournalLines::longLineShownCut_data()
{
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<bool>("cut");
    QTest::newRow("error entry") << qsizetype(15) << false;
    QTest::newRow("at the bound") << JournalModel::kShownCharacters << false;
    QTest::newRow("one over") << JournalModel::kShownCharacters + 1 << true;
    QTest::newRow("5 MB") << qsizetype(5'000'000) << true;
}

void TestJournalLines::longLineShownCut()
{
    QFETCH(qsizetype, length);
    QFETCH(bool, cut);
    QByteArray file = QByteArray::fromStdString(quz::files::toCp1251(u"-> 07 вопрос 09"_s));
    file += QByteArray(length - file.size(), 'x');
    file += "\r\nnext\r\n"_ba;
    JournalModel model;
    model.replaceAll(JournalLines::fromText(file));
    for (const int role : {int(Qt::DisplayRole), int(Qt::AccessibleTextRole)}) {
        const QString shown = model.data(model.index(0), role).toString();
        QCOMPARE(shown.size(), cut ? JournalModel::kShownCharacters + 1 : length);
        QVERIFY(shown.startsWith(u"-> 07 вопрос 09"_s));
        QCOMPARE(shown.endsWith(u'…'), cut);
    }
    QCOMPARE(qsizetype(model.lines().bytesAt(0).size()), length);
    QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(), u"next"_s);
    model.removeRanges({{1, 1}});
    QCOMPARE(model.lastLineStart(), std::optional<QString>(u"-> 07 вопрос 09"_s));
}

QTEST_GUILESS_MAIN(TestJournalLines)
#include "tst_journal_lines.moc"
