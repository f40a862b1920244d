#pragma once
// Recording fakes of the platform layer for the window tests, and a fixture
// that builds the three forms over a temporary program directory.

#include "ui/links/answer_log.h"
#include "ui/platform/services.h"

namespace quz::practice {
class TForm1;
}
namespace quz::comment {
class TForm2;
}
namespace quz::journal {
class TForm3;
}
// The tests name the three windows as the program's units do.
using quz::comment::TForm2;
using quz::journal::TForm3;
using quz::practice::TForm1;

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace quz::test {

class FakeDialogs : public Dialogs {
public:
    struct Shown {
        enum Kind { Message, Error } kind;
        QString title;
        QString text;
    };
    QList<Shown> shown;
    QList<OpenFileRequest> requests;
    // Answers for the next choosers; an empty optional is a cancel. With no
    // answer queued the chooser is cancelled.
    std::deque<std::optional<QString>> answers;
    // Files for the next several-file choosers; an empty list is a cancel,
    // and so is a chooser with no list queued.
    std::deque<QStringList> fileLists;
    // Runs while a box is "open" (a modal box would block here).
    std::function<void(const Shown &)> onShow;
    // The questions asked, and the answers for the next ones (true: the
    // accept button). With no answer queued the question is rejected.
    QList<ConfirmRequest> confirmations;
    std::deque<bool> confirmAnswers;
    // Runs while a question is "open", before it is answered.
    std::function<void(const ConfirmRequest &)> onConfirm;

    void messageBox(QWidget *, const QString &title, const QString &text) override;
    void errorBox(QWidget *, const QString &title, const QString &text) override;
    std::optional<QString> openFile(QWidget *, const OpenFileRequest &request) override;
    QStringList openFiles(QWidget *, const OpenFileRequest &request) override;
    bool confirm(QWidget *, const QString &title, const ConfirmRequest &request) override;
    // The texts of the questions asked.
    QStringList questions() const;

    QStringList texts() const;
    QStringList errors() const;
};

class FakeSound : public Sound {
public:
    // "tone 200 100", "wav <path>"
    QStringList calls;
    void tone(int frequencyHz, int durationMs) override;
    void playWav(const QString &path) override;
};

class FakeShell : public Shell {
public:
    QStringList opened;
    void open(const QString &target) override { opened << target; }
};

class FakeClock : public Clock {
public:
    QString text = QStringLiteral("07.12.2026 0:08:40");
    QString nowText() const override { return text; }
};

// A temporary program directory with the fakes wired into Services.
class ProgramDir {
public:
    ProgramDir();
    QString path(const QString &name) const;
    // Writes a file of the program directory (parent folders are created).
    void write(const QString &name, const QByteArray &bytes) const;
    void writeCp1251(const QString &name, const QString &text) const;
    // Copies every file below `folder` (such as the demonstration data) into
    // the program directory; false when one cannot be read.
    bool copyFrom(const QString &folder) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;
    // The settings file of the fake executable "<dir>/quz".
    QString settingsFile() const { return services.settingsPath(); }
    QByteArray settings() const;
    void writeSettings(const QString &text) const;

    QTemporaryDir dir;
    QString title = QStringLiteral("quz");
    FakeDialogs dialogs;
    FakeSound sound;
    FakeShell shell;
    FakeClock clock;
    Services services;
};

// The answers the main window reports, one line each:
// "ticket/question given right correct|wrong practice|journal".
class FakeAnswerLog : public links::AnswerLog {
public:
    QStringList answers;
    void answerGiven(const QString &ticket, const QString &question, int given,
                     const QString &right, bool correct, bool journalMode) override
    {
        answers << QStringLiteral("%1/%2 %3 %4 %5 %6")
                       .arg(ticket, question, QString::number(given), right,
                            correct ? QStringLiteral("correct") : QStringLiteral("wrong"),
                            journalMode ? QStringLiteral("journal") : QStringLiteral("practice"));
    }
};

// Builds the window set in the program's order, as the main block does.
struct Forms {
    explicit Forms(ProgramDir &dir, const QString &commandLineFile = QString());
    ~Forms();
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
};

// A small, valid question file: tickets 01..40, questions 01..20, three
// one-line variants each, answer 2; records separated by a blank line.
QByteArray smallQuestionFile(int tickets = 40, int questions = 20);

QByteArray cp1251(const QString &text);

} // namespace quz::test
