#pragma once
// The window of quz-exam, "QUZ — экзамен": its pages as tabs ("Экзамен" and
// "Статистика"), its geometry and the start page's choice kept in the
// section [exam] of quz.ini, and the question before it closes during an
// exam.
//
// The statistics page is made (by the program: loaded from its module), and
// the learning record read, only when its tab is first shown, so that a
// start on the exam page costs nothing for it; while an exam runs its tab is
// disabled (the page shows every question with its comment). Not
// responsible for the exam itself (ExamPage), for the statistics page or for
// quz's own keys of the settings file, which it never touches.

#include "core/exam/command_line.h"
#include "core/exam/monotonic_clock.h"
#include "ui/exam/stats_module_loader.h"
#include "ui/platform/services.h"

#include <QWidget>

class QTabWidget;

namespace quz::record {
class Recorder;
}

namespace quz::examui {

class ExamPage;

class ExamWindow : public QWidget {
    Q_OBJECT
public:
    enum Page { ExamTab = 0, StatsTab = 1 };

    // Reads the settings, shows the remembered choice (or the command line's)
    // and, when `options` name a rule, starts the exam at once; --stats
    // (without a rule) opens the statistics page, which `makeStatsPage`
    // makes. `services`, `clock` and `recorder` (the program's learning
    // record) must outlive the window.
    ExamWindow(const Services &services, const exam::MonotonicClock &clock,
               record::Recorder &recorder, StatsPageMaker makeStatsPage,
               const exam::ExamOptions &options, QWidget *parent = nullptr);

    QTabWidget *pages = nullptr;
    ExamPage *examPage = nullptr;
    // The statistics page; null until its tab was first shown.
    QWidget *statsPage() const { return m_statsPage; }

protected:
    // During an exam the learner is asked first; a close they refuse is
    // ignored, one they confirm abandons the exam. Then the settings are
    // written.
    void closeEvent(QCloseEvent *event) override;

private:
    void readSettings(const exam::ExamOptions &options);
    void writeSettings();
    QWidget *buildStatsPage(QWidget *parent);
    void examRunningChanged(bool running);

    Services m_services;
    // The statistics page's: the same, but its settings file is quz.ini
    // (the switch "Записывать ответы" lives there for both programs).
    Services m_statsServices;
    QString m_settingsPath;
    record::Recorder &m_recorder;
    StatsPageMaker m_makeStatsPage;
    QWidget *m_statsPage = nullptr;
};

} // namespace quz::examui
