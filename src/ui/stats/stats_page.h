#pragma once
// The statistics page ("Статистика" in quz-exam): the summary of the learning
// record, the progress charts, the 800 questions at a glance, the weak
// questions, and the record's own controls ("Записывать ответы", "Добавить
// журналы…", "Очистить историю…") with what the recording is doing.
//
// The page reads the record anew every time it is shown and whenever the
// record changes while it is showing; it writes only through the program's
// Recorder (imports, emptying) and the settings key of the switch.
// Not responsible for recording answers (the programs' answer paths call the
// Recorder) or for the exam.
//
// quz-exam embeds it as a page of its own:
//     auto *stats = new quz::stats::StatsPage(services, recorder);
//     pages->addTab(stats, QStringLiteral("Статистика"));

#include "core/record/history.h"
#include "core/record/recorder.h"
#include "ui/platform/services.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quz::stats {

class ProgressCharts;
class QuestionGrid;
class WeakQuestions;

class StatsPage : public QWidget {
    Q_OBJECT
public:
    // `services`: the program folder (the question and comment files), the
    // settings file (the switch; both programs point it at quz.ini), the
    // dialogs, the clock and the title. `recorder`: this program's record.
    // Both outlive the page.
    StatsPage(const Services &services, record::Recorder &recorder, QWidget *parent = nullptr);

    // Reads the record and shows it (also when the reading fails: the
    // status line then says why, and the page is empty).
    void refresh();
    const record::History &history() const { return m_history; }

    // The actions of the page's buttons.
    void setRecording(bool on);
    void addJournals();
    void clearHistory();

    // Parts, for the tests and for quz-exam's keyboard focus. The summary's
    // values are labels named "answers", "right", "week", "questions" and
    // "exams".
    QLabel *status() const { return m_status; }
    QLabel *lastEvent() const { return m_event; }
    QCheckBox *recordingSwitch() const { return m_recording; }
    QPushButton *addJournalsButton() const { return m_addJournals; }
    QPushButton *clearButton() const { return m_clear; }
    QTabWidget *tabs() const { return m_tabs; }
    ProgressCharts *charts() const { return m_charts; }
    QuestionGrid *grid() const { return m_grid; }
    WeakQuestions *weak() const { return m_weak; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showSwitch();
    void showSummary();
    void showStatus();
    // Waits for the record's writer, with the wait cursor, at most a few
    // seconds (a file held by another program).
    template <class T>
    std::optional<T> await(std::future<T> &future);

    const Services &m_services;
    record::Recorder &m_recorder;
    record::History m_history;
    QString m_readFailure;

    QLabel *m_status;
    QLabel *m_event;
    QCheckBox *m_recording;
    QPushButton *m_addJournals;
    QPushButton *m_clear;
    QTabWidget *m_tabs;
    ProgressCharts *m_charts;
    QuestionGrid *m_grid;
    WeakQuestions *m_weak;
    QTimer *m_changed; // coalesces the record's changes into one refresh
};

} // namespace quz::stats
