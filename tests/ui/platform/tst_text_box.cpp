// The message and error boxes for texts of any length: short texts in the
// plain message box, long ones in a scrolling box that fits the screen, the
// text always shown whole and unchanged, and OK closing either.

#include "ui/platform/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace quz::platform;

namespace {

const QString kHeading = QStringLiteral("Картинки к билетам НЕ НАЙДЕНЫ!!!\r\n\r\n\r\n");

QString notes(int lines, int length)
{
    QString text = kHeading;
    const QString line = QStringLiteral("Скопируйте папку bmp рядом с программой. ")
                             .repeated(length / 40 + 1)
                             .left(length);
    for (int i = 0; i < lines; ++i)
        text += line + QStringLiteral("\r\n");
    return text;
}

// `text` without its CR characters, or also without its LF ones (in one
// pass: QString::replace would move the rest of a long text at every match).
QString without(const QString &text, bool lineFeeds)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c != u'\r' && (!lineFeeds || c != u'\n'))
            out += c;
    return out;
}

QString boxText(QDialog *box)
{
    if (auto *message = qobject_cast<QMessageBox *>(box))
        return message->text();
    const auto *view = box->findChild<QPlainTextEdit *>();
    return view ? view->toPlainText() : QString();
}

} // namespace

class TestTextBox : public QObject {
    Q_OBJECT
private slots:
    void box_data();
    void box();
    void okCloses_data();
    void okCloses();
};

void TestTextBox::box_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("scrolling");
    // How the scrolling view holds the text: exactly its lines; all of it,
    // long lines in several blocks; or its beginning only.
    QTest::addColumn<int>("shown");

    const int none = QMessageBox::NoIcon;
    const int exact = 0, split = 1, beginning = 2;
    QTest::newRow("short message")
        << QStringLiteral("Вы ответили на все вопросы! =)") << none << false << exact;
    QTest::newRow("notes of two lines") << notes(2, 30) << none << false << exact;
    QTest::newRow("25 lines: message box") << notes(21, 30) << none << false << exact;
    QTest::newRow("26 lines: scrolling box") << notes(22, 30) << none << true << exact;
    QTest::newRow("200 lines of notes") << notes(200, 60) << none << true << exact;
    QTest::newRow("5 MB of notes") << notes(50000, 100) << none << true << exact;
    QTest::newRow("long error")
        << QStringLiteral("Cannot open file \"%1\".").arg(QStringLiteral("/папка").repeated(1000))
        << int(QMessageBox::Critical) << true << split;
    QTest::newRow("one line of 10 000 characters") << notes(1, 10000) << none << true << split;
    QTest::newRow("one line of 5 MB") << notes(1, 5 * 1024 * 1024) << none << true << split;
    QTest::newRow("16 MB of empty lines") << notes(8 * 1024 * 1024, 0) << none << true << beginning;
    QTest::newRow("one line of 12 MB") << notes(1, 12 * 1024 * 1024) << none << true << beginning;
}

void TestTextBox::box()
{
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(bool, scrolling);
    QFETCH(int, shown);
    QCOMPARE(needsScrollingBox(text), scrolling);

    const std::unique_ptr<QDialog> box =
        makeTextBox(nullptr, QMessageBox::Icon(icon), QStringLiteral("quz"), text);
    QCOMPARE(box->windowTitle(), QStringLiteral("quz"));
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(qobject_cast<QMessageBox *>(box.get()) == nullptr, scrolling);
    if (scrolling) {
        // With the box's own line breaks; nothing to edit.
        const QString inView = boxText(box.get());
        if (shown == 0)
            QCOMPARE(inView, without(text, false));
        else if (shown == 1)
            QCOMPARE(without(inView, true), without(text, true));
        else
            QVERIFY(without(text, true).startsWith(without(inView, true)));
        // A view holding only the beginning says so.
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("cutNote")) != nullptr, shown == 2);
        QVERIFY(box->findChild<QPlainTextEdit *>()->document()->blockCount() <= 100000);
        QVERIFY(inView.size() <= 8 * 1024 * 1024 + 100000);
        QVERIFY(box->findChild<QPlainTextEdit *>()->isReadOnly());
        QCOMPARE(box->findChildren<QLabel *>().size() - (shown == 2 ? 1 : 0),
                 icon != QMessageBox::NoIcon ? 1 : 0);
    } else {
        QCOMPARE(boxText(box.get()), text);
        QCOMPARE(static_cast<QMessageBox *>(box.get())->textFormat(), Qt::PlainText);
    }

    // The whole box, OK button included, fits the screen's available area.
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(box->frameGeometry().width() <= area.width()
                 && box->frameGeometry().height() <= area.height(),
             qPrintable(QStringLiteral("%1 x %2 in %3 x %4")
                            .arg(box->frameGeometry().width())
                            .arg(box->frameGeometry().height())
                            .arg(area.width())
                            .arg(area.height())));
    QList<QAbstractButton *> ok;
    for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
        if (b->isVisible() && b->text().remove(u'&') == QStringLiteral("OK"))
            ok << b;
    QCOMPARE(ok.size(), 1);
    const QRect button(ok.front()->mapTo(box.get(), QPoint(0, 0)), ok.front()->size());
    QVERIFY(box->rect().contains(button));
}

void TestTextBox::okCloses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("message box") << QStringLiteral("Готово");
    QTest::newRow("scrolling box") << notes(200, 60);
}

void TestTextBox::okCloses()
{
    QFETCH(QString, text);
    bool clicked = false;
    // Clicks OK once the box's own modal loop runs; closes it anyway after
    // a while, so a failing test cannot hang.
    QTimer poll;
    int ticks = 0;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
            if (b->text().remove(u'&') == QStringLiteral("OK")) {
                clicked = true;
                b->click();
                return;
            }
        if (++ticks > 200)
            box->reject();
    });
    poll.start(10);
    QtDialogs dialogs;
    dialogs.messageBox(nullptr, QStringLiteral("quz"), text);
    QVERIFY(clicked);
}

QTEST_MAIN(TestTextBox)
#include "tst_text_box.moc"
