#include "ui/stats/question_grid.h"

#include "core/bank/data_files.h"
#include "core/files/text_file.h"
#include "ui/stats/stats_text.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace quz::stats {

using record::CellState;
using record::QuestionStat;

namespace {

constexpr int kCellWidth = 21;
constexpr int kCellHeight = 17;

// A hue between `from` and `to` as `share` goes from 0 to `full`.
QColor shade(int from, int to, double share, double full, int saturation, int value)
{
    const double t = std::clamp(share / full, 0.0, 1.0);
    return QColor::fromHsv(int(from + (to - from) * t), saturation, value);
}

// Paints a cell in its colour only; the current cell gets a dark frame, so
// that its colour stays visible.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
        if (option.state & QStyle::State_HasFocus || option.state & QStyle::State_Selected) {
            painter->setPen(QPen(QColor(20, 20, 20), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    }
};

QString lastAnswerText(const QuestionStat &stat)
{
    if (stat.asked == 0)
        return QStringLiteral("не задавался");
    const QString result = stat.lastCorrect ? QStringLiteral("верный") : QStringLiteral("неверный");
    if (!stat.lastMs)
        return QStringLiteral("последний ответ %1 (из журнала)").arg(result);
    return QStringLiteral("последний ответ %1, %2").arg(result, timeText(stat.lastMs));
}

} // namespace

QColor cellColor(const QuestionStat &stat)
{
    switch (stat.state()) {
    case CellState::NeverAsked: return QColor(222, 222, 222);
    case CellState::LastRight: return shade(120, 60, stat.errorRate(), 0.5, 150, 210);
    case CellState::LastWrong: return shade(32, 0, stat.errorRate(), 1.0, 190, 235);
    }
    return {};
}

QString numbersText(const QuestionStat &stat)
{
    if (stat.asked == 0)
        return QStringLiteral("не задавался");
    return QStringLiteral("ответов %1, ошибок %2 (%3); %4")
        .arg(countText(stat.asked), countText(stat.wrong), percentText(stat.wrong, stat.asked),
             lastAnswerText(stat));
}

QString cellText(const QuestionStat &stat)
{
    return QStringLiteral("Билет %1, вопрос %2: %3")
        .arg(stat.ref.ticket)
        .arg(stat.ref.question)
        .arg(numbersText(stat));
}

void QuestionGridModel::setQuestions(std::vector<QuestionStat> questions)
{
    beginResetModel();
    m_questions = std::move(questions);
    endResetModel();
}

std::optional<QuestionStat> QuestionGridModel::questionAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return std::nullopt;
    const record::QuestionRef ref{index.column() + 1, index.row() + 1};
    const size_t at = size_t(record::questionIndex(ref));
    if (at >= m_questions.size())
        return std::nullopt;
    return m_questions[at];
}

QModelIndex QuestionGridModel::indexOf(const record::QuestionRef &ref) const
{
    return index(ref.question - 1, ref.ticket - 1);
}

int QuestionGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : record::kQuestionsPerTicket;
}

int QuestionGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : record::kTickets;
}

QVariant QuestionGridModel::data(const QModelIndex &index, int role) const
{
    const std::optional<QuestionStat> stat = questionAt(index);
    if (!stat)
        return {};
    switch (role) {
    case Qt::BackgroundRole: return cellColor(*stat);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole: return cellText(*stat);
    default: return {};
    }
}

QVariant QuestionGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole)
        return section + 1;
    if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return orientation == Qt::Horizontal ? QStringLiteral("Билет %1").arg(section + 1)
                                             : QStringLiteral("Вопрос %1").arg(section + 1);
    return {};
}

QuestionGrid::QuestionGrid(QString programDir, QWidget *parent)
    : QWidget(parent)
    , m_programDir(std::move(programDir))
    , m_model(new QuestionGridModel(this))
    , m_table(new QTableView(this))
    , m_details(new QTextBrowser(this))
{
    m_table->setModel(m_model);
    m_table->setAccessibleName(QStringLiteral("Все вопросы"));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setItemDelegate(new CellDelegate(m_table));
    // The minimum first: the default size is clamped to it.
    m_table->horizontalHeader()->setMinimumSectionSize(kCellWidth);
    m_table->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setMinimumSectionSize(kCellHeight);
    m_table->verticalHeader()->setDefaultSectionSize(kCellHeight);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->setToolTip(QString()); // the cells have their own

    m_details->setAccessibleName(QStringLiteral("Вопрос и комментарий"));
    m_details->setPlaceholderText(QStringLiteral("Щёлкните по клетке, чтобы увидеть вопрос."));
    m_details->setMinimumWidth(220);

    auto *legend = new QLabel(
        QStringLiteral("Столбцы — билеты, строки — вопросы. Серый — вопрос не задавался; "
                       "зелёный — последний ответ верный (желтее — больше ошибок); оранжевый и "
                       "красный — последний ответ неверный (краснее — больше ошибок)."),
        this);
    legend->setWordWrap(true);

    auto *left = new QVBoxLayout;
    left->addWidget(m_table);
    left->addWidget(legend);
    left->addStretch(1);
    auto *row = new QHBoxLayout(this);
    row->addLayout(left, 0);
    row->addWidget(m_details, 1);

    connect(m_table, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (const std::optional<QuestionStat> stat = m_model->questionAt(index))
            showQuestion(stat->ref);
    });
    connect(m_table, &QTableView::activated, this, [this](const QModelIndex &index) {
        if (const std::optional<QuestionStat> stat = m_model->questionAt(index))
            showQuestion(stat->ref);
    });
}

void QuestionGrid::setQuestions(std::vector<QuestionStat> questions)
{
    m_model->setQuestions(std::move(questions));
}

void QuestionGrid::showQuestion(const record::QuestionRef &ref)
{
    const std::optional<QuestionStat> stat = m_model->questionAt(m_model->indexOf(ref));
    if (!stat)
        return;
    m_table->setCurrentIndex(m_model->indexOf(ref));
    m_details->setPlainText(detailsText(*stat));
}

void QuestionGrid::loadBanks()
{
    if (m_banksLoaded)
        return;
    m_banksLoaded = true;
    const QDir dir(m_programDir);
    if (Status loaded = m_questionBank.loadFile(dir.filePath(bank::questionFileName())); !loaded)
        m_bankFailure = loaded.error();
    (void)m_commentBank.loadFile(dir.filePath(bank::commentFileName())); // no comment: none shown
}

QString QuestionGrid::detailsText(const QuestionStat &stat)
{
    loadBanks();
    const QString ticket = twoDigits(stat.ref.ticket);
    const QString number = twoDigits(stat.ref.question);
    QString text = QStringLiteral("Билет %1, вопрос %2\n").arg(ticket, number);
    text += QStringLiteral("В истории: ") + numbersText(stat) + QStringLiteral("\n\n");
    const bank::Question question = m_questionBank.lookup(ticket, number);
    if (!question.found) {
        text +=
            m_bankFailure.isEmpty()
                ? QStringLiteral("Этого вопроса нет в файле «%1».").arg(bank::questionFileName())
                : m_bankFailure;
        return text;
    }
    text += files::displayText(question.text) + QStringLiteral("\n\n");
    for (const QString &variant : question.variants)
        text += files::displayText(variant);
    text += QStringLiteral("\nПравильный ответ: %1\n").arg(question.answer);
    const QString comment = m_commentBank.lookup(ticket, number);
    if (!comment.isEmpty())
        text += QStringLiteral("\nКомментарий:\n") + files::displayText(comment);
    return text;
}

} // namespace quz::stats
