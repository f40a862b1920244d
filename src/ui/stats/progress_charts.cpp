#include "ui/stats/progress_charts.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace quz::stats {

namespace {

QChartView *makeView(QWidget *parent)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(180);
    return view;
}

// Empties the chart of its series and axes and gives it `title`.
void reset(QChartView *view, const QString &title)
{
    QChart *chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);
    view->setAccessibleName(title);
}

// A chart laid out before it is shown on screen would cut its labels to
// "..." and keep them so; the labels are never cut.
void addAxis(QChart *chart, QAbstractAxis *axis, Qt::Alignment side)
{
    axis->setTruncateLabels(false);
    chart->addAxis(axis, side);
}

// Every how many exams the number axis has a tick: 1, 2, 5, 10, 20, 50 ...,
// at most about ten ticks.
double examTickStep(size_t exams)
{
    double step = 1;
    for (int i = 0; double(exams) / step > 10; ++i)
        step *= i % 3 == 1 ? 2.5 : 2;
    return step;
}

QScatterSeries *scatter(const QString &name, const QColor &color)
{
    auto *series = new QScatterSeries;
    series->setName(name);
    series->setColor(color);
    series->setBorderColor(color.darker(130));
    series->setMarkerSize(9);
    return series;
}

} // namespace

ProgressCharts::ProgressCharts(QWidget *parent)
    : QWidget(parent)
    , m_exams(makeView(this))
    , m_days(makeView(this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_exams, 1);
    column->addWidget(m_days, 1);
}

QChart *ProgressCharts::examChart() const { return m_exams->chart(); }
QChart *ProgressCharts::dayChart() const { return m_days->chart(); }

void ProgressCharts::setHistory(const record::History &history)
{
    fillExams(history.exams);
    fillDays(history.days);
}

void ProgressCharts::fillExams(const std::vector<record::ExamResult> &exams)
{
    if (exams.empty()) {
        reset(m_exams, QStringLiteral("Экзаменов пока не было"));
        return;
    }
    reset(m_exams, QStringLiteral("Ошибки на экзаменах"));
    auto *trend = new QLineSeries;
    trend->setName(QStringLiteral("Ошибок"));
    trend->setColor(QColor(150, 150, 150));
    QScatterSeries *passed = scatter(QStringLiteral("Сдан"), QColor(46, 160, 67));
    QScatterSeries *failed = scatter(QStringLiteral("Не сдан"), QColor(214, 48, 49));
    int most = 0;
    for (size_t i = 0; i < exams.size(); ++i) {
        const QPointF point(double(i + 1), exams[i].errors);
        trend->append(point);
        (exams[i].passed ? passed : failed)->append(point);
        most = std::max(most, exams[i].errors);
    }
    QChart *chart = m_exams->chart();
    auto *x = new QValueAxis;
    x->setTitleText(QStringLiteral("Экзамен №"));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(0.5, double(exams.size()) + 0.5);
    // The ticks stand on the exams' numbers, each label under its exam.
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(examTickStep(exams.size()));
    auto *y = new QValueAxis;
    y->setTitleText(QStringLiteral("Ошибок"));
    y->setLabelFormat(QStringLiteral("%d"));
    y->setRange(0, most + 1);
    y->setTickCount(std::min(most + 2, 11));
    addAxis(chart, x, Qt::AlignBottom);
    addAxis(chart, y, Qt::AlignLeft);
    for (QXYSeries *series : {static_cast<QXYSeries *>(trend), static_cast<QXYSeries *>(passed),
                              static_cast<QXYSeries *>(failed)}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void ProgressCharts::fillDays(const std::vector<record::DayCount> &days)
{
    if (days.empty()) {
        reset(m_days, QStringLiteral("Ответов по дням пока нет"));
        return;
    }
    reset(m_days, QStringLiteral("Ответы по дням"));
    auto *answers = new QLineSeries;
    answers->setName(QStringLiteral("Ответов за день"));
    answers->setColor(QColor(52, 101, 164));
    auto *share = new QLineSeries;
    share->setName(QStringLiteral("Доля верных, %"));
    share->setColor(QColor(46, 160, 67));
    // A line needs two days; the points show the first day too.
    for (QLineSeries *series : {answers, share}) {
        series->setPointsVisible(true);
        series->setMarkerSize(7);
    }
    qint64 most = 0;
    for (const record::DayCount &day : days) {
        const double at = double(QDateTime(day.day, QTime(12, 0)).toMSecsSinceEpoch());
        answers->append(at, double(day.answers));
        share->append(at, day.answers > 0 ? 100.0 * double(day.right) / double(day.answers) : 0);
        most = std::max(most, day.answers);
    }
    QChart *chart = m_days->chart();
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd.MM.yy"));
    const QDateTime first(days.front().day, QTime(0, 0));
    const QDateTime last =
        std::max(QDateTime(days.back().day.addDays(1), QTime(0, 0)), first.addDays(2));
    x->setRange(first, last);
    // No more ticks than days, so that no date is written twice.
    x->setTickCount(int(std::min<qint64>(first.daysTo(last) + 1, 6)));
    auto *count = new QValueAxis;
    count->setTitleText(QStringLiteral("Ответов"));
    count->setLabelFormat(QStringLiteral("%d"));
    // Room above the busiest day, whose point would be cut at the edge.
    count->setRange(0, double(most) * 1.1);
    count->applyNiceNumbers();
    auto *percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("Верных, %"));
    percent->setLabelFormat(QStringLiteral("%d"));
    percent->setRange(0, 100);
    addAxis(chart, x, Qt::AlignBottom);
    addAxis(chart, count, Qt::AlignLeft);
    addAxis(chart, percent, Qt::AlignRight);
    chart->addSeries(answers);
    answers->attachAxis(x);
    answers->attachAxis(count);
    chart->addSeries(share);
    share->attachAxis(x);
    share->attachAxis(percent);
}

} // namespace quz::stats
