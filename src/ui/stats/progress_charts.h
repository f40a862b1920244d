#pragma once
// The progress charts (Qt Charts): the errors of every exam in the order
// they were taken, passed and failed ones in two colours, and the answers of
// every day with the share of right ones. Not responsible for reading the
// record (the page hands it the history).

#include "core/record/history.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace quz::stats {

class ProgressCharts : public QWidget {
    Q_OBJECT
public:
    explicit ProgressCharts(QWidget *parent = nullptr);

    void setHistory(const record::History &history);

    QChart *examChart() const;
    QChart *dayChart() const;

private:
    void fillExams(const std::vector<record::ExamResult> &exams);
    void fillDays(const std::vector<record::DayCount> &days);

    QChartView *m_exams;
    QChartView *m_days;
};

} // namespace quz::stats
