#pragma once
// The weak questions: those answered wrong most often, with their counts,
// share of errors and last error, sortable by any column; the chosen rows
// (or the first N as sorted) are written as a journal that quz replays.
// Not responsible for finding the weak questions (the core's
// weakQuestions()) or for the journal's format (journal_exchange.h).

#include "core/record/history.h"
#include "ui/platform/services.h"

#include <QAbstractTableModel>
#include <QWidget>

class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

namespace quz::stats {

class WeakQuestionsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Ticket, Question, Errors, Answers, Share, LastError, Columns };
    // The numbers the columns sort by.
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void setQuestions(std::vector<record::QuestionStat> weak);
    const record::QuestionStat &question(int row) const { return m_weak[size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<record::QuestionStat> m_weak;
};

class WeakQuestions : public QWidget {
    Q_OBJECT
public:
    // `services` gives the dialogs, the clock of the start entry and the
    // program folder the chooser opens in; it outlives the widget.
    explicit WeakQuestions(const Services &services, QWidget *parent = nullptr);

    // All 800 questions; the weak ones are shown, most errors first.
    void setQuestions(const std::vector<record::QuestionStat> &questions);

    // The selected rows in the order shown, or, with none selected, the
    // first N rows as sorted.
    std::vector<record::QuestionRef> chosen() const;
    // "Сохранить как журнал…": asks for a file and writes the chosen
    // questions as a journal.
    void saveAsJournal();

    QTableView *table() const { return m_table; }
    QSpinBox *count() const { return m_count; }
    QPushButton *saveButton() const { return m_save; }

private:
    const Services &m_services;
    WeakQuestionsModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QTableView *m_table;
    QSpinBox *m_count;
    QPushButton *m_save;
};

} // namespace quz::stats
