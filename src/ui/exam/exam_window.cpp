#include "ui/exam/exam_window.h"

#include "core/exam/exam_settings.h"
#include "ui/exam/exam_page.h"
#include "ui/platform/window_geometry.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quz::examui {

ExamWindow::ExamWindow(const Services &services, const exam::MonotonicClock &clock,
                       const exam::ExamOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_settingsPath(exam::settingsFilePath(services.programDir))
{
    setWindowTitle(QStringLiteral("QUZ — экзамен"));
    // The pages in tab order. The statistics page joins as a second tab,
    // `pages->addTab(statsPage, QStringLiteral("Статистика"))`, and --stats
    // then selects it below.
    pages = new QTabWidget(this);
    pages->setDocumentMode(true);
    examPage = new ExamPage(m_services, clock, pages);
    pages->addTab(examPage, QStringLiteral("Экзамен"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(pages);

    readSettings(options);
    if (options.seed)
        examPage->setSeed(*options.seed);
    // --stats opens the first page for now: the exam's.
    if (options.rule)
        examPage->startExam();
}

// The remembered choice, with what the command line names in its place:
// --rule starts an exam with a random ticket unless --ticket names one.
void ExamWindow::readSettings(const exam::ExamOptions &options)
{
    const exam::ExamSettings read = exam::readExamSettings(settings::SettingsBatch(m_settingsPath));
    ExamChoice choice{read.rule, read.randomTicket, read.ticket};
    if (options.rule) {
        choice.rule = *options.rule;
        choice.randomTicket = true;
    }
    if (options.ticket) {
        choice.randomTicket = false;
        choice.ticket = *options.ticket;
    }
    examPage->setChoice(choice);
    platform::setOuterGeometry(this, read.window);
}

void ExamWindow::writeSettings()
{
    const ExamChoice choice = examPage->choice();
    settings::SettingsBatch batch(m_settingsPath);
    exam::writeExamSettings(
        batch, {choice.rule, choice.randomTicket, choice.ticket, platform::outerGeometry(this)});
    if (const Status written = batch.flush(); !written)
        m_services.dialogs->showFailure(
            this, m_services.title(), QStringLiteral("Настройки не сохранены. ") + written.error());
}

void ExamWindow::closeEvent(QCloseEvent *event)
{
    if (examPage->isExamRunning()) {
        const ConfirmRequest request{
            QStringLiteral("Экзамен ещё идёт. Прервать его и закрыть окно? Прерванный экзамен "
                           "не засчитывается."),
            QStringLiteral("Прервать экзамен"), QStringLiteral("Продолжить экзамен")};
        if (!m_services.dialogs->confirm(this, m_services.title(), request)) {
            event->ignore();
            return;
        }
        examPage->abandonExam();
    }
    writeSettings();
    event->accept();
}

} // namespace quz::examui
