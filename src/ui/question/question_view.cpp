#include "ui/question/question_view.h"

#include "core/bank/picture_store.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "core/practice/practice_rules.h"
#include "ui/platform/anchors.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/question/picture_widget.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

namespace quz::question {

namespace {

constexpr int kDesignWidth = 560;
constexpr int kDesignHeight = 307;
constexpr int kQuestionPanelHeight = 187;
constexpr int kVariantPanelHeight = 116;
constexpr int kVariantLineHeight = 13;
constexpr int kButtonLeft = 4;

using platform::Anchors;
namespace look = platform::look;

// Every display line of the variant area, in order: whether it holds no text.
std::vector<bool> displayLines(const QTextDocument *doc)
{
    std::vector<bool> lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const int count = layout ? layout->lineCount() : 0;
        if (count == 0) {
            lines.push_back(block.text().isEmpty());
            continue;
        }
        for (int i = 0; i < count; ++i)
            lines.push_back(layout->lineAt(i).textLength() == 0);
    }
    return lines;
}

} // namespace

QuestionView::QuestionView(QWidget *parent)
    : QWidget(parent)
{
    resize(kDesignWidth, kDesignHeight);
    // The question panel and the variant panel share the view, divided by a
    // 4 px splitter; the variant panel keeps its height when the view is
    // resized and the question panel takes the change.
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    Splitter1->setHandleWidth(4);
    Splitter1->setOpaqueResize(false);
    Splitter1->setChildrenCollapsible(false);

    Panel3 = new QWidget(Splitter1);
    Panel3->resize(kDesignWidth, kQuestionPanelHeight);
    Panel3->setFont(look::windowFont());
    look::setBackground(Panel3, look::btnFace());
    Panel2 = new QWidget(Splitter1);
    Panel2->resize(kDesignWidth, kVariantPanelHeight);
    Splitter1->addWidget(Panel3);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({kQuestionPanelHeight, kVariantPanelHeight});
    Panel3->setMinimumHeight(1);
    Panel2->setMinimumHeight(1);

    buildQuestionPanel();
    buildVariantPanel();
    nameControls();

    for (QToolButton *button : sb)
        connect(button, &QToolButton::clicked, this,
                [this, button] { emit answerClicked(button); });
    connect(Image1, &TImage::doubleClicked, this, &QuestionView::pictureDoubleClicked);
    // A picture whose pixels cannot be decoded is replaced by the blank one.
    connect(Image1, &TImage::pictureError, this, [this](const QString &message) {
        const QString path = m_picturePath;
        showPlaceholder();
        emit pictureUnreadable(path, message);
    });
}

void QuestionView::buildQuestionPanel()
{
    Image1 = new TImage(Panel3);
    Image1->setGeometry(2, 3, 556, 114);
    platform::setHint(Image1, QStringLiteral("Двойной клик - Комментарий"));
    Anchors::keep(Image1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);

    Vopros = new QLabel(Panel3);
    Vopros->setGeometry(2, 118, 556, 67);
    Vopros->setFont(look::questionFont());
    Vopros->setWordWrap(true);
    Vopros->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    look::setTextColor(Vopros, Qt::black);
    setQuestionColor(look::light3D());
    Anchors::keep(Vopros, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
}

void QuestionView::buildVariantPanel()
{
    for (int i = 0; i < 5; ++i) {
        auto *button = new QToolButton(Panel2);
        button->setText(QString::number(i + 1));
        button->setGeometry(kButtonLeft, 3 + 22 * i, 23, 22);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        button->setObjectName(QStringLiteral("sb%1").arg(i + 1));
        button->setFont(look::windowFont(8, true));
        look::setTextColor(button, look::blue());
        button->setCursor(Qt::PointingHandCursor);
        button->hide();
        sb[static_cast<size_t>(i)] = button;
    }

    Memo1 = new QTextEdit(Panel2);
    Memo1->setGeometry(28, 1, 532, 113);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setFont(look::windowFont());
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->document()->setDocumentMargin(1);
    platform::setHint(Memo1, QStringLiteral("Показать комментарий - [F1]"));
    look::setTextColor(Memo1, Qt::black);
    setVariantColor(look::moneyGreen());
    Anchors::keep(Memo1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
}

void QuestionView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Splitter1->setGeometry(rect());
}

void QuestionView::setPlaceholderPath(const QString &path) { m_placeholderPath = path; }

void QuestionView::showQuestion(const QuestionContent &content, bool autoSize)
{
    for (QToolButton *button : sb)
        button->hide();
    Memo1->clear();
    showPicture(content.picturePath);
    Vopros->setText(content.text);
    fillVariants(content.variants);
    const int lineCount = variantLineCount();
    if (autoSize)
        setVariantPanelHeight(practice::autoPanelHeight(lineCount));
    if (!content.variants.isEmpty())
        placeButtons(lineCount);
}

// The variants, each followed by a blank line, without the blank line after
// the last one; every line exactly 13 px high. The bank's lookup bounds both
// the number of variants and the length of a line, so the layout stays small
// whatever the question file holds.
void QuestionView::fillVariants(const QStringList &variants)
{
    // The line height is set on the empty area before the text goes in, so
    // that every block is created with it and the text is laid out once.
    QTextCursor cursor(Memo1->document());
    QTextBlockFormat format;
    format.setLineHeight(kVariantLineHeight, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(format);
    cursor.insertText(files::displayText(practice::variantAreaText(variants)));
    // Wrap at the area's own width now, so that the display lines exist even
    // before the view is first shown.
    Memo1->document()->setTextWidth(Memo1->width() - 2 * Memo1->frameWidth());
    Memo1->document()->documentLayout()->documentSize();
}

// One button beside every empty display line, up to and including the final
// empty one, laid out once.
void QuestionView::placeButtons(int lineCount)
{
    std::vector<bool> empty = displayLines(Memo1->document());
    empty.resize(static_cast<size_t>(lineCount) + 1, true);
    for (const auto &place : practice::placeButtons(empty)) {
        QToolButton *button = sb[static_cast<size_t>(place.button - 1)];
        button->move(kButtonLeft, place.top);
        button->show();
        button->raise();
    }
    nameAnswerButtons(lineCount);
}

void QuestionView::clearQuestion()
{
    for (QToolButton *button : sb)
        button->hide();
    Memo1->clear();
    Vopros->clear();
    Memo1->setAccessibleDescription(QString());
}

void QuestionView::showPicture(const QString &path)
{
    if (!path.isEmpty() && files::isFile(path)) {
        bank::JpegPicture picture;
        const Status loaded = picture.loadFile(path);
        if (loaded) {
            Image1->setJpeg(std::move(picture));
            m_picturePath = path;
            return;
        }
        // A picture that cannot be read is shown like a missing one.
        showPlaceholder();
        emit pictureUnreadable(path, loaded.error());
        return;
    }
    showPlaceholder();
}

void QuestionView::showPlaceholder()
{
    m_picturePath.clear();
    Outcome<QImage> blank =
        bank::placeholderPicture(m_placeholderPath, Image1->size(), look::btnFace());
    // Without a readable placeholder the picture area stays empty and the
    // display goes on.
    if (blank)
        Image1->setImage(std::move(blank).value());
    else
        Image1->clear();
}

QToolButton *QuestionView::answerButton(int digit) const
{
    if (digit < 1 || digit > static_cast<int>(sb.size()))
        return nullptr;
    return sb[static_cast<size_t>(digit - 1)];
}

bool QuestionView::clickAnswer(int digit)
{
    QToolButton *button = answerButton(digit);
    if (!button || !button->isVisible())
        return false;
    button->click();
    return true;
}

void QuestionView::setVariantColor(const QColor &color)
{
    look::setBackground(Memo1, color);
    look::setBackground(Memo1->viewport(), color);
}

QColor QuestionView::variantColor() const
{
    return Memo1->viewport()->palette().color(QPalette::Base);
}

void QuestionView::setQuestionColor(const QColor &color) { look::setBackground(Vopros, color); }

int QuestionView::variantLineCount() const
{
    const auto lines = displayLines(Memo1->document());
    int count = static_cast<int>(lines.size());
    // A text that ends with a line break has an empty last block, which the
    // line count leaves out.
    if (Memo1->document()->lastBlock().text().isEmpty())
        --count;
    return std::max(0, count);
}

void QuestionView::setVariantPanelHeight(int height)
{
    const int total = Splitter1->height() - Splitter1->handleWidth();
    const int panel = std::clamp(height, 1, std::max(1, total - 1));
    Splitter1->setSizes({total - panel, panel});
}

} // namespace quz::question
