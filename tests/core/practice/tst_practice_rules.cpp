#include "core/practice/practice_rules.h"

#include <QSet>
#include <QTest>

#include <limits>

using namespace quz::practice;
using namespace Qt::StringLiterals;

namespace {

const QString kCaption = QStringLiteral("Экзаменационные билеты QUZ от 01.01.2004 v.2.2.1");

enum RangeOp { StartUp, StartDown, EndUp, EndDown };

} // namespace

class TestPracticeRules : public QObject {
    Q_OBJECT

private slots:
    void addZeroRule_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one digit") << u"7"_s << u"07"_s;
        QTest::newRow("zero") << u"0"_s << u"00"_s;
        QTest::newRow("two digits") << u"12"_s << u"12"_s;
        QTest::newRow("already padded") << u"05"_s << u"05"_s;
        QTest::newRow("three digits") << u"123"_s << u"123"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void addZeroRule()
    {
        QFETCH(QString, number);
        QFETCH(QString, expected);
        QCOMPARE(addZero(number), expected);
    }

    void rangeChanges_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newEnd");
        QTest::newRow("start up") << int(StartUp) << 3 << 10 << 4 << 10;
        QTest::newRow("start up at 20 stays") << int(StartUp) << 20 << 20 << 20 << 20;
        QTest::newRow("start up pushes end") << int(StartUp) << 5 << 5 << 6 << 6;
        QTest::newRow("start down") << int(StartDown) << 3 << 10 << 2 << 10;
        QTest::newRow("start down at 1 stays") << int(StartDown) << 1 << 10 << 1 << 10;
        QTest::newRow("end up") << int(EndUp) << 3 << 10 << 3 << 11;
        QTest::newRow("end up at 20 stays") << int(EndUp) << 3 << 20 << 3 << 20;
        QTest::newRow("end down keeps start") << int(EndDown) << 3 << 10 << 3 << 9;
        QTest::newRow("end down pulls start") << int(EndDown) << 20 << 20 << 19 << 19;
        QTest::newRow("end down at 1 stays") << int(EndDown) << 1 << 1 << 1 << 1;
        // Hand-edited settings: the step must not overflow.
        const int max = std::numeric_limits<int>::max();
        const int min = std::numeric_limits<int>::min();
        QTest::newRow("start up from the largest int") << int(StartUp) << max << max << 20 << max;
        QTest::newRow("end up from the largest int") << int(EndUp) << 1 << max << 1 << 20;
        QTest::newRow("start down from the smallest int") << int(StartDown) << min << 5 << 1 << 5;
        QTest::newRow("end down from the smallest int") << int(EndDown) << min << min << min << 1;
    }
    void rangeChanges()
    {
        QFETCH(int, op);
        QFETCH(int, start);
        QFETCH(int, end);
        const Range r{start, end};
        const Range result = op == StartUp     ? startUp(r)
                             : op == StartDown ? startDown(r)
                             : op == EndUp     ? endUp(r)
                                               : endDown(r);
        QTEST(result.start, "newStart");
        QTEST(result.end, "newEnd");
    }

    void clamp_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("expected");
        QTest::newRow("above end") << u"25"_s << 1 << 20 << u"20"_s;
        QTest::newRow("inside keeps text as read") << u"7"_s << 1 << 20 << u"7"_s;
        QTest::newRow("below start") << u"03"_s << 5 << 10 << u"05"_s;
        QTest::newRow("at both bounds") << u"05"_s << 5 << 5 << u"05"_s;
        QTest::newRow("not a number goes to start") << u"ab"_s << 5 << 10 << u"05"_s;
        QTest::newRow("empty goes to start") << QString() << 5 << 10 << u"05"_s;
    }
    void clamp()
    {
        QFETCH(QString, question);
        QFETCH(int, start);
        QFETCH(int, end);
        const QString startText = addZero(QString::number(start));
        const QString endText = addZero(QString::number(end));
        QTEST(clampQuestion(question, start, end, startText, endText), "expected");
    }

    void randomSequence()
    {
        RandomGenerator rng;
        QList<uint32_t> draws;
        for (int i = 0; i < 6; ++i)
            draws << rng.next(41);
        QCOMPARE(draws, (QList<uint32_t>{0, 1, 35, 8, 11, 27}));
        QCOMPARE(RandomGenerator(0).next(0), 0u);
    }

    void randomTicket()
    {
        RandomGenerator rng;
        const Position first = advance({u"01"_s, u"20"_s}, Range{}, true, rng);
        QCOMPARE(first.ticket, u"35"_s);
        QCOMPARE(first.question, u"01"_s);

        // Over many draws every ticket but the current one is reachable, and
        // neither 0 nor the current ticket ever comes.
        Position pos = first;
        QSet<QString> seen;
        for (int i = 0; i < 5000; ++i) {
            const Position next = advance({pos.ticket, u"20"_s}, Range{}, true, rng);
            const int ticket = next.ticket.toInt();
            QVERIFY2(ticket >= 1 && ticket <= 40, qPrintable(next.ticket));
            QVERIFY(next.ticket != pos.ticket);
            QCOMPARE(next.ticket.size(), 2);
            seen.insert(next.ticket);
            pos = next;
        }
        QCOMPARE(seen.size(), 40);
    }

    void advanceInOrder_data()
    {
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("newTicket");
        QTest::addColumn<QString>("newQuestion");
        QTest::newRow("next question") << u"03"_s << u"04"_s << 1 << 20 << u"03"_s << u"05"_s;
        QTest::newRow("nine to ten") << u"03"_s << u"09"_s << 1 << 20 << u"03"_s << u"10"_s;
        QTest::newRow("unpadded texts") << u"7"_s << u"7"_s << 1 << 20 << u"07"_s << u"08"_s;
        QTest::newRow("range end") << u"03"_s << u"20"_s << 1 << 20 << u"04"_s << u"01"_s;
        QTest::newRow("range start") << u"03"_s << u"10"_s << 5 << 10 << u"04"_s << u"05"_s;
        QTest::newRow("after 40") << u"40"_s << u"20"_s << 1 << 20 << u"01"_s << u"01"_s;
        QTest::newRow("below range not clamped")
            << u"03"_s << u"02"_s << 5 << 10 << u"03"_s << u"03"_s;
        QTest::newRow("question not a number")
            << u"03"_s << u"xx"_s << 5 << 10 << u"03"_s << u"05"_s;
        QTest::newRow("ticket not a number") << u"ab"_s << u"20"_s << 1 << 20 << u"01"_s << u"01"_s;
        const int max = std::numeric_limits<int>::max();
        QTest::newRow("question at the largest int, end there too")
            << u"03"_s << u"2147483647"_s << 1 << max << u"04"_s << u"01"_s;
        QTest::newRow("ticket at the largest int")
            << u"2147483647"_s << u"20"_s << 1 << 20 << u"01"_s << u"01"_s;
    }
    void advanceInOrder()
    {
        QFETCH(QString, ticket);
        QFETCH(QString, question);
        QFETCH(int, start);
        QFETCH(int, end);
        RandomGenerator rng;
        const Position next = advance({ticket, question}, Range{start, end}, false, rng);
        QTEST(next.ticket, "newTicket");
        QTEST(next.question, "newQuestion");
        QCOMPARE(rng.seed(), 0u);
    }

    void advanceSingleQuestionRange()
    {
        RandomGenerator rng;
        Position pos{u"01"_s, u"05"_s};
        for (int expected = 2; expected <= 41; ++expected) {
            pos = advance(pos, Range{5, 5}, false, rng);
            QCOMPARE(pos.ticket, addZero(QString::number(expected > 40 ? 1 : expected)));
            QCOMPARE(pos.question, u"05"_s);
        }
    }

    void editorValueRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("expected");
        QTest::newRow("question") << u"3"_s << 20 << 3;
        QTest::newRow("ticket") << u"35"_s << 40 << 35;
        QTest::newRow("empty") << QString() << 40 << 1;
        QTest::newRow("not a number") << u"abc"_s << 40 << 1;
        QTest::newRow("above maximum") << u"55"_s << 40 << 40;
        QTest::newRow("zero") << u"0"_s << 20 << 1;
        QTest::newRow("negative") << u"-5"_s << 20 << 1;
    }
    void editorValueRule()
    {
        QFETCH(QString, text);
        QFETCH(int, maximum);
        QTEST(editorValue(text, maximum), "expected");
    }

    // A layout is written one character per display line: 'x' a line with
    // text, '_' an empty line; the last character is the final empty line.
    void placement_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QList<int>>("tops");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("three one-line variants")
            << u"x_x_x_"_s << QList<int>{1, 2, 3} << QList<int>{3, 29, 55} << 88;
        QTest::newRow("three-line first variant")
            << u"xxx_x_"_s << QList<int>{1, 2} << QList<int>{13, 55} << 88;
        QTest::newRow("two-line variant")
            << u"xx_x_"_s << QList<int>{1, 2} << QList<int>{8, 42} << 75;
        QTest::newRow("two variants") << u"x_x_"_s << QList<int>{1, 2} << QList<int>{3, 29} << 62;
        QTest::newRow("five variants") << u"x_x_x_x_x_"_s << QList<int>{1, 2, 3, 4, 5}
                                       << QList<int>{3, 29, 55, 81, 107} << 140;
        QTest::newRow("sixth empty line reuses 5")
            << u"x_x_x_x_x_x_"_s << QList<int>{1, 2, 3, 4, 5, 5}
            << QList<int>{3, 29, 55, 81, 107, 133} << 166;
        QTest::newRow("variant after a blank line")
            << u"_x_x_"_s << QList<int>{1, 2, 3} << QList<int>{-2, 16, 42} << 75;
    }
    void placement()
    {
        QFETCH(QString, layout);
        std::vector<bool> empty;
        for (QChar c : layout)
            empty.push_back(c == u'_');
        QList<int> buttons;
        QList<int> tops;
        for (const ButtonPlace &place : placeButtons(empty)) {
            buttons << place.button;
            tops << place.top;
        }
        QTEST(buttons, "buttons");
        QTEST(tops, "tops");
        QTEST(autoPanelHeight(int(layout.size()) - 1), "panelHeight");
    }

    void variantArea_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three items") << QStringList{u"v1\r\n"_s, u"v2\r\n"_s, u"v3\r\n"_s}
                                     << u"v1\r\n\r\nv2\r\n\r\nv3\r\n"_s;
        QTest::newRow("one item") << QStringList{u"v1\r\n"_s} << u"v1\r\n"_s;
        QTest::newRow("no items") << QStringList{} << QString();
        QTest::newRow("item opening with a blank")
            << QStringList{u"\r\nv1\r\n"_s, u"v2\r\n"_s} << u"\r\nv1\r\n\r\nv2\r\n"_s;
        QTest::newRow("last item without line break")
            << QStringList{u"v1\r\n"_s, u"v2"_s} << u"v1\r\n\r\nv2\r\n"_s;
    }
    void variantArea()
    {
        QFETCH(QStringList, items);
        QTEST(variantAreaText(items), "expected");
    }

    void titleAnimation_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("newPosition");
        const QString tail = u" 01.01.2004 v.2.2.1"_s;
        QTest::newRow("not first start, tick 1")
            << 0 << 1 << u"Экзаменационные билеты quz от"_s + tail << 1;
        QTest::newRow("not first start, tick 2")
            << 0 << 2 << u"эКзаменационные билеты quz от"_s + tail << 2;
        QTest::newRow("first start") << 1 << 1 << u"эКзаменационные билеты quz от"_s + tail << 2;
        QTest::newRow("space at 16") << 15 << 1 << u"экзаменационные Билеты quz от"_s + tail << 16;
        QTest::newRow("after space at 16")
            << 16 << 1 << u"экзаменационные Билеты quz от"_s + tail << 17;
        QTest::newRow("space at 23") << 22 << 1 << u"экзаменационные билеты Quz от"_s + tail << 23;
        QTest::newRow("space at 27") << 26 << 1 << u"экзаменационные билеты quz От"_s + tail << 27;
        QTest::newRow("last position")
            << 28 << 1 << u"экзаменационные билеты quz оТ"_s + tail << 29;
        QTest::newRow("wrap after 29 ticks")
            << 0 << 30 << u"Экзаменационные билеты quz от"_s + tail << 1;
        QTest::newRow("position below 1")
            << -7 << 1 << u"Экзаменационные билеты quz от"_s + tail << 1;
    }
    void titleAnimation()
    {
        QFETCH(int, position);
        QFETCH(int, ticks);
        QString caption = kCaption;
        for (int i = 0; i < ticks; ++i)
            caption = titleAnimationStep(caption, position);
        QTEST(caption, "expected");
        QTEST(position, "newPosition");
    }

    void titleAnimationPass()
    {
        // One pass raises each letter of the first 29 characters once, the
        // letters after the spaces twice, and never touches the last 19.
        QList<int> raised(kCaption.size(), 0);
        QString caption = kCaption;
        int position = 0;
        for (int tick = 0; tick < 29; ++tick) {
            caption = titleAnimationStep(caption, position);
            QVERIFY(caption.endsWith(u" 01.01.2004 v.2.2.1"_s));
            for (qsizetype i = 0; i < caption.size(); ++i)
                raised[i] += caption.at(i).isUpper() ? 1 : 0;
        }
        for (qsizetype i = 0; i < kCaption.size(); ++i) {
            const int pos = int(i) + 1;
            const int expected = pos > 29 || kCaption.at(i) == u' '      ? 0
                                 : (pos == 17 || pos == 24 || pos == 28) ? 2
                                                                         : 1;
            QVERIFY2(raised[i] == expected, qPrintable(QString::number(pos)));
        }
    }

    void titleAnimationShortCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("shorter than the tail") << u"ABC"_s << u"Abc"_s;
        QTest::newRow("space first") << u" abcdefghijklmnopqrs"_s << u" Abcdefghijklmnopqrs"_s;
    }
    void titleAnimationShortCaption()
    {
        QFETCH(QString, caption);
        int position = 5;
        QTEST(titleAnimationStep(caption, position), "expected");
        QCOMPARE(position, 1);
    }
};

QTEST_GUILESS_MAIN(TestPracticeRules)
#include "tst_practice_rules.moc"
