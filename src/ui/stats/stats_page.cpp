#include "ui/stats/stats_page.h"

#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"
#include "ui/stats/progress_charts.h"
#include "ui/stats/question_grid.h"
#include "ui/stats/stats_text.h"
#include "ui/stats/weak_questions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quz::stats {

namespace {

// One row of the summary: its caption, and a value label named `name` that a
// screen reader announces with the caption.
void addSummaryRow(QFormLayout *form, const QString &caption, const QString &name)
{
    auto *label = new QLabel(form->parentWidget());
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setProperty("caption", caption);
    form->addRow(caption, label);
}

} // namespace

StatsPage::StatsPage(const Services &services, record::Recorder &recorder, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_recorder(recorder)
    , m_history(record::emptyHistory())
    , m_status(new QLabel(this))
    , m_event(new QLabel(this))
    , m_recording(new QCheckBox(QStringLiteral("Записывать ответы"), this))
    , m_addJournals(new QPushButton(QStringLiteral("Добавить журналы…"), this))
    , m_clear(new QPushButton(QStringLiteral("Очистить историю…"), this))
    , m_tabs(new QTabWidget(this))
    , m_charts(new ProgressCharts(this))
    , m_grid(new QuestionGrid(services.programDir, this))
    , m_weak(new WeakQuestions(services, this))
    , m_changed(new QTimer(this))
{
    auto *summaryBox = new QGroupBox(QStringLiteral("Сводка"), this);
    auto *form = new QFormLayout(summaryBox);
    addSummaryRow(form, QStringLiteral("Ответов записано:"), QStringLiteral("answers"));
    addSummaryRow(form, QStringLiteral("Верных ответов:"), QStringLiteral("right"));
    addSummaryRow(form, QStringLiteral("Верных за 7 дней:"), QStringLiteral("week"));
    addSummaryRow(form, QStringLiteral("Вопросов с верным ответом:"), QStringLiteral("questions"));
    addSummaryRow(form, QStringLiteral("Экзаменов:"), QStringLiteral("exams"));

    auto *recordBox = new QGroupBox(QStringLiteral("История ответов"), this);
    auto *recordColumn = new QVBoxLayout(recordBox);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setMinimumWidth(260);
    m_event->setObjectName(QStringLiteral("event"));
    m_event->setWordWrap(true);
    recordColumn->addWidget(m_recording);
    recordColumn->addWidget(m_status);
    recordColumn->addWidget(m_event);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addJournals);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    recordColumn->addLayout(buttons);
    recordColumn->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(summaryBox, 0);
    top->addWidget(recordBox, 1);

    m_tabs->addTab(m_charts, QStringLiteral("Прогресс"));
    m_tabs->addTab(m_grid, QStringLiteral("Все вопросы"));
    m_tabs->addTab(m_weak, QStringLiteral("Слабые вопросы"));

    auto *page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(m_tabs, 1);

    m_changed->setSingleShot(true);
    m_changed->setInterval(300);

    connect(m_recording, &QCheckBox::toggled, this, &StatsPage::setRecording);
    connect(m_addJournals, &QPushButton::clicked, this, &StatsPage::addJournals);
    connect(m_clear, &QPushButton::clicked, this, &StatsPage::clearHistory);
    connect(&m_recorder, &record::Recorder::stateChanged, this, &StatsPage::showStatus);
    connect(&m_recorder, &record::Recorder::historyChanged, m_changed, qOverload<>(&QTimer::start));
    connect(m_changed, &QTimer::timeout, this, [this] {
        if (isVisible())
            refresh();
    });

    showSwitch();
    showSummary();
    showStatus();
}

void StatsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void StatsPage::refresh()
{
    Outcome<record::History> read =
        record::readHistory(m_recorder.databasePath(), QDate::currentDate());
    m_readFailure = read ? QString() : read.error();
    showSwitch(); // the other program may have flipped it meanwhile
    m_history = read ? std::move(read).value() : record::emptyHistory();
    showSummary();
    showStatus();
    m_charts->setHistory(m_history);
    m_grid->setQuestions(m_history.questions);
    m_weak->setQuestions(m_history.questions);
}

void StatsPage::showSwitch()
{
    const QSignalBlocker quiet(m_recording);
    m_recording->setChecked(
        settings::SettingsBatch(m_services.settingsPath()).read(settings::keys::recordAnswers));
}

void StatsPage::showSummary()
{
    const record::Summary &s = m_history.summary;
    const auto set = [this](const char *name, const QString &text) {
        QLabel *label = findChild<QLabel *>(QLatin1String(name));
        label->setText(text);
        label->setAccessibleName(label->property("caption").toString() + u' ' + text);
    };
    set("answers", countText(s.answers));
    set("right", s.answers ? QStringLiteral("%1 (%2)").arg(percentText(s.right, s.answers),
                                                           countText(s.right))
                           : percentText(0, 0));
    set("week", s.weekAnswers
                    ? QStringLiteral("%1 из %2")
                          .arg(percentText(s.weekRight, s.weekAnswers), countText(s.weekAnswers))
                    : QStringLiteral("ответов не было"));
    set("questions", QStringLiteral("%1 из %2").arg(s.questionsRight).arg(record::kQuestions));
    set("exams", QStringLiteral("%1, сдано %2").arg(s.exams).arg(s.examsPassed));
}

void StatsPage::showStatus()
{
    const record::RecordState state = m_recorder.state();
    QString text = state.text;
    // The time matters for what went wrong or happened, not for the usual.
    if (state.when.isValid() && state.text != record::readyText()
        && state.kind != record::RecordState::Kind::Starting
        && state.kind != record::RecordState::Kind::Off)
        text +=
            QStringLiteral(" (%1)").arg(state.when.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    // The writer has said why it cannot use the file; reading it fails for
    // the same reason.
    const bool writerSaid = state.kind == record::RecordState::Kind::Unavailable
                            || state.kind == record::RecordState::Kind::Newer;
    if (!m_readFailure.isEmpty() && !writerSaid)
        text += u'\n' + m_readFailure;
    m_status->setText(text);
    m_status->setAccessibleName(text);
    const QString event =
        m_history.events.empty()
            ? QString()
            : QStringLiteral("Последнее событие (%1, %2): %3")
                  .arg(m_history.events.front().when.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
                       m_history.events.front().program, m_history.events.front().text);
    m_event->setText(event);
    m_event->setVisible(!event.isEmpty());
}

} // namespace quz::stats
