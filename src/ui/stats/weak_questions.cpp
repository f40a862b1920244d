#include "ui/stats/weak_questions.h"

#include "core/record/journal_exchange.h"
#include "ui/stats/stats_text.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace quz::stats {

using record::QuestionStat;

void WeakQuestionsModel::setQuestions(std::vector<QuestionStat> weak)
{
    beginResetModel();
    m_weak = std::move(weak);
    endResetModel();
}

int WeakQuestionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_weak.size());
}

int WeakQuestionsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant WeakQuestionsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QuestionStat &q = m_weak[size_t(index.row())];
    if (role == SortRole) {
        switch (index.column()) {
        case Ticket: return q.ref.ticket * 100 + q.ref.question;
        case Question: return q.ref.question * 100 + q.ref.ticket;
        case Errors: return q.wrong;
        case Answers: return q.asked;
        case Share: return q.errorRate();
        case LastError: return q.lastWrongMs.value_or(0);
        }
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() == LastError ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                           : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Ticket: return q.ref.ticket;
    case Question: return q.ref.question;
    case Errors: return countText(q.wrong);
    case Answers: return countText(q.asked);
    case Share: return percentText(q.wrong, q.asked);
    case LastError: return q.lastWrongMs ? timeText(q.lastWrongMs) : QStringLiteral("из журнала");
    }
    return {};
}

QVariant WeakQuestionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Ticket: return QStringLiteral("Билет");
    case Question: return QStringLiteral("Вопрос");
    case Errors: return QStringLiteral("Ошибок");
    case Answers: return QStringLiteral("Ответов");
    case Share: return QStringLiteral("Доля ошибок");
    case LastError: return QStringLiteral("Последняя ошибка");
    }
    return {};
}

WeakQuestions::WeakQuestions(const Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_model(new WeakQuestionsModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
    , m_table(new QTableView(this))
    , m_count(new QSpinBox(this))
    , m_save(new QPushButton(QStringLiteral("Сохранить как журнал…"), this))
{
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(WeakQuestionsModel::SortRole);
    m_table->setModel(m_sorted);
    m_table->setAccessibleName(QStringLiteral("Слабые вопросы"));
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(WeakQuestionsModel::Errors, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows only: measuring 800 rows of text
    // would cost more than reading the whole record.
    m_table->horizontalHeader()->setResizeContentsPrecision(30);

    auto *countLabel = new QLabel(QStringLiteral("Сколько вопросов:"), this);
    countLabel->setBuddy(m_count);
    m_count->setAccessibleName(QStringLiteral("Сколько вопросов"));
    m_count->setRange(1, record::kQuestions);
    m_count->setValue(20);
    auto *note = new QLabel(QStringLiteral("Сохраняются выделенные вопросы, а если ничего не "
                                           "выделено — первые по списку."),
                            this);
    note->setWordWrap(true);

    auto *controls = new QHBoxLayout;
    controls->addWidget(countLabel);
    controls->addWidget(m_count);
    controls->addWidget(m_save);
    controls->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_table, 1);
    column->addLayout(controls);
    column->addWidget(note);

    connect(m_save, &QPushButton::clicked, this, &WeakQuestions::saveAsJournal);
}

void WeakQuestions::setQuestions(const std::vector<QuestionStat> &questions)
{
    m_model->setQuestions(record::weakQuestions(questions));
    m_table->resizeColumnsToContents();
}

std::vector<record::QuestionRef> WeakQuestions::chosen() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        for (int row = 0; row < std::min(m_count->value(), m_sorted->rowCount()); ++row)
            rows << row;
    std::vector<record::QuestionRef> refs;
    for (const int row : rows)
        refs.push_back(m_model->question(m_sorted->mapToSource(m_sorted->index(row, 0)).row()).ref);
    return refs;
}

void WeakQuestions::saveAsJournal()
{
    const std::vector<record::QuestionRef> questions = chosen();
    if (questions.empty()) {
        m_services.dialogs->messageBox(this, m_services.title(),
                                       QStringLiteral("Как мне кажется, нечего сохранять =("));
        return;
    }
    const std::optional<QString> path = m_services.dialogs->openFile(
        this,
        {QStringLiteral("Укажите файл."), QStringLiteral("Ошибки QUZ|*.quz"), QStringLiteral("quz"),
         QDir(m_services.programDir).filePath(QStringLiteral("Слабые вопросы.quz"))});
    if (!path)
        return;
    const QString now = m_services.clock ? m_services.clock->nowText() : QString();
    if (Status written = record::writeWeakQuestionJournal(*path, now, questions); !written) {
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
        return;
    }
    m_services.dialogs->messageBox(this, m_services.title(),
                                   QStringLiteral("Записано!\n\r") + *path);
}

} // namespace quz::stats
