#include "ui/exam/exam_window.h"

#include "core/exam/exam_settings.h"
#include "ui/exam/exam_page.h"
#include "ui/platform/window_geometry.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace quz::examui {

namespace {

// A tab whose page is made when the tab is first shown.
class PageOnFirstShow : public QWidget {
public:
    PageOnFirstShow(std::function<QWidget *(QWidget *)> make, QWidget *parent)
        : QWidget(parent)
        , m_make(std::move(make))
    {
        (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        if (m_make) {
            QWidget *page = std::exchange(m_make, nullptr)(this);
            layout()->addWidget(page);
            page->show();
        }
        QWidget::showEvent(event);
    }

private:
    std::function<QWidget *(QWidget *)> m_make;
};

} // namespace

ExamWindow::ExamWindow(const Services &services, const exam::MonotonicClock &clock,
                       record::Recorder &recorder, StatsPageMaker makeStatsPage,
                       const exam::ExamOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_statsServices(services)
    , m_settingsPath(exam::settingsFilePath(services.programDir))
    , m_recorder(recorder)
    , m_makeStatsPage(std::move(makeStatsPage))
{
    setWindowTitle(QStringLiteral("QUZ — экзамен"));
    // Services names the settings file after the executable; given the
    // settings file's own path, settingsPath() gives it back.
    m_statsServices.exePath = m_settingsPath;
    pages = new QTabWidget(this);
    pages->setDocumentMode(true);
    examPage = new ExamPage(m_services, clock, m_recorder, pages);
    pages->addTab(examPage, QStringLiteral("Экзамен"));
    pages->addTab(new PageOnFirstShow([this](QWidget *tab) { return buildStatsPage(tab); }, pages),
                  QStringLiteral("Статистика"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(pages);
    connect(examPage, &ExamPage::examRunningChanged, this, &ExamWindow::examRunningChanged);

    readSettings(options);
    if (options.seed)
        examPage->setSeed(*options.seed);
    if (options.rule)
        examPage->startExam();
    else if (options.stats)
        pages->setCurrentIndex(StatsTab);
}

QWidget *ExamWindow::buildStatsPage(QWidget *parent)
{
    m_statsPage = m_makeStatsPage(m_statsServices, m_recorder, parent);
    return m_statsPage;
}

void ExamWindow::examRunningChanged(bool running)
{
    pages->setTabEnabled(StatsTab, !running);
    pages->setTabToolTip(StatsTab, running ? QStringLiteral("Статистика откроется после экзамена")
                                           : QString());
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
