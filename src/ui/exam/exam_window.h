#pragma once
// The window of quz-exam, "QUZ — экзамен": its pages as tabs ("Экзамен"
// now), its geometry and the start page's choice kept in the section [exam]
// of quz.ini, and the question before it closes during an exam.
//
// Not responsible for the exam itself (ExamPage) or for quz's own keys of
// the settings file, which it never touches.

#include "core/exam/command_line.h"
#include "core/exam/monotonic_clock.h"
#include "ui/platform/services.h"

#include <QWidget>

class QTabWidget;

namespace quz::examui {

class ExamPage;

class ExamWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the settings, shows the remembered choice (or the command line's)
    // and, when `options` name a rule, starts the exam at once. `services`
    // and `clock` must outlive the window.
    ExamWindow(const Services &services, const exam::MonotonicClock &clock,
               const exam::ExamOptions &options, QWidget *parent = nullptr);

    QTabWidget *pages = nullptr;
    ExamPage *examPage = nullptr;

protected:
    // During an exam the learner is asked first; a close they refuse is
    // ignored, one they confirm abandons the exam. Then the settings are
    // written.
    void closeEvent(QCloseEvent *event) override;

private:
    void readSettings(const exam::ExamOptions &options);
    void writeSettings();

    Services m_services;
    QString m_settingsPath;
};

} // namespace quz::examui
