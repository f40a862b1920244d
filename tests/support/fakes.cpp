#include "fakes.h"

#include "core/files/text_file.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/control_state.h"
#include "ui/practice/Unit1.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QToolButton>

namespace quz::test {

void FakeDialogs::messageBox(QWidget *, const QString &title, const QString &text)
{
    shown.append({Shown::Message, title, text});
    if (onShow)
        onShow(shown.back());
}

void FakeDialogs::errorBox(QWidget *, const QString &title, const QString &text)
{
    shown.append({Shown::Error, title, text});
    if (onShow)
        onShow(shown.back());
}

std::optional<QString> FakeDialogs::openFile(QWidget *, const OpenFileRequest &request)
{
    requests.append(request);
    if (answers.empty())
        return std::nullopt;
    const bool confirmed = answers.front().has_value();
    const QString chosen = answers.front().value_or(QString());
    answers.pop_front();
    if (!confirmed)
        return std::nullopt;
    return chosen;
}

QStringList FakeDialogs::openFiles(QWidget *, const OpenFileRequest &request)
{
    requests.append(request);
    if (fileLists.empty())
        return {};
    const QStringList chosen = fileLists.front();
    fileLists.pop_front();
    return chosen;
}

bool FakeDialogs::confirm(QWidget *, const QString &, const ConfirmRequest &request)
{
    confirmations.append(request);
    if (onConfirm)
        onConfirm(request);
    if (confirmAnswers.empty())
        return false;
    const bool accepted = confirmAnswers.front();
    confirmAnswers.pop_front();
    return accepted;
}

QStringList FakeDialogs::questions() const
{
    QStringList all;
    for (const ConfirmRequest &request : confirmations)
        all << request.text;
    return all;
}

QStringList FakeDialogs::texts() const
{
    QStringList all;
    for (const auto &s : shown)
        if (s.kind == Shown::Message)
            all << s.text;
    return all;
}

QStringList FakeDialogs::errors() const
{
    QStringList all;
    for (const auto &s : shown)
        if (s.kind == Shown::Error)
            all << s.text;
    return all;
}

void FakeSound::tone(int frequencyHz, int durationMs)
{
    calls << QStringLiteral("tone %1 %2").arg(frequencyHz).arg(durationMs);
}

void FakeSound::playWav(const QString &path) { calls << QStringLiteral("wav ") + path; }

ProgramDir::ProgramDir()
{
    services.programDir = dir.path();
    services.exePath = dir.filePath(QStringLiteral("quz"));
    services.appTitle = &title;
    services.dialogs = &dialogs;
    services.sound = &sound;
    services.shell = &shell;
    services.clock = &clock;
}

QString ProgramDir::path(const QString &name) const { return dir.filePath(name); }

void ProgramDir::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void ProgramDir::writeCp1251(const QString &name, const QString &text) const
{
    write(name, cp1251(text));
}

bool ProgramDir::copyFrom(const QString &folder) const
{
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        write(QDir(folder).relativeFilePath(path), file.readAll());
    }
    return true;
}

QByteArray ProgramDir::read(const QString &name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool ProgramDir::exists(const QString &name) const { return QFileInfo::exists(path(name)); }

QByteArray ProgramDir::settings() const
{
    QFile f(settingsFile());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ProgramDir::writeSettings(const QString &text) const
{
    QFile f(settingsFile());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(cp1251(text));
}

Forms::Forms(ProgramDir &dir, const QString &commandLineFile)
{
    dir.services.commandLineFile = commandLineFile;
    form1 = std::make_unique<TForm1>(dir.services);
    form2 = std::make_unique<TForm2>(dir.services);
    form3 = std::make_unique<TForm3>(dir.services);
    form1->setJournalWindow(form3.get());
    form1->setCommentWindow(form2.get());
    form2->setMainWindow(form1.get());
    form3->setPracticeWindow(form1.get());
    form3->setMainWindow(form1.get());
}

Forms::~Forms()
{
    // Hidden before destruction so that no hide handler runs half-destroyed.
    form3.reset();
    form2.reset();
    form1.reset();
}

QByteArray cp1251(const QString &text) { return QByteArray::fromStdString(files::toCp1251(text)); }

QByteArray smallQuestionFile(int tickets, int questions)
{
    QString text;
    for (int t = 1; t <= tickets; ++t)
        for (int q = 1; q <= questions; ++q) {
            const QString key =
                QStringLiteral("%1%2").arg(t, 2, 10, QChar(u'0')).arg(q, 2, 10, QChar(u'0'));
            text += QStringLiteral("билет") + key + QStringLiteral("2\r\n");
            text += QStringLiteral("Вопрос %1\r\n").arg(key);
            text += QStringLiteral("Первый\r\nВторой\r\nТретий\r\n\r\n");
        }
    text += QStringLiteral("билет конец\r\n");
    return cp1251(text);
}

} // namespace quz::test
