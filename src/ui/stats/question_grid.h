#pragma once
// The 800 questions at a glance: a table of 20 rows (questions) by 40 columns
// (tickets), each cell coloured by the question's state in the record, its
// numbers on hover and to screen readers; a click shows the question, its
// variants, the right answer and its comment from the program folder's files
// beside the table. Not responsible for reading the record (the page hands
// it the history) or for the files' format (the core banks).

#include "core/bank/comment_bank.h"
#include "core/bank/question_bank.h"
#include "core/record/history.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QWidget>

#include <optional>

class QTableView;
class QTextBrowser;

namespace quz::stats {

// The colour of a question's cell: grey when never asked; green when last
// answered right, turning yellow as its share of errors grows; orange when
// last answered wrong, turning red as its share of errors grows.
QColor cellColor(const record::QuestionStat &stat);

// The record's numbers of a question: answers and errors, the last answer
// and when ("не задавался" for none).
QString numbersText(const record::QuestionStat &stat);
// What the cell says on hover and to screen readers: "Билет 5, вопрос 12: "
// and the numbers.
QString cellText(const record::QuestionStat &stat);

// Rows are the questions 1-20, columns the tickets 1-40.
class QuestionGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setQuestions(std::vector<record::QuestionStat> questions);
    // The question of a cell; nothing outside the table.
    std::optional<record::QuestionStat> questionAt(const QModelIndex &index) const;
    QModelIndex indexOf(const record::QuestionRef &ref) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<record::QuestionStat> m_questions;
};

class QuestionGrid : public QWidget {
    Q_OBJECT
public:
    // The banks are read from `programDir` at the first click.
    explicit QuestionGrid(QString programDir, QWidget *parent = nullptr);

    void setQuestions(std::vector<record::QuestionStat> questions);
    // Shows the question in the text beside the table (as a click does).
    void showQuestion(const record::QuestionRef &ref);

    QTableView *table() const { return m_table; }
    QTextBrowser *details() const { return m_details; }

private:
    void loadBanks();
    QString detailsText(const record::QuestionStat &stat);

    QString m_programDir;
    QuestionGridModel *m_model;
    QTableView *m_table;
    QTextBrowser *m_details;
    bool m_banksLoaded = false;
    bank::QuestionBank m_questionBank;
    bank::CommentBank m_commentBank;
    QString m_bankFailure;
};

} // namespace quz::stats
