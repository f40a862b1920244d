// ChangeBilet: puts the current question on screen — picture, question text,
// variants and one numbered answer button beside each variant.

#include "ui/practice/Unit1.h"

#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "ui/platform/look.h"
#include "ui/question/picture_widget.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QLabel>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

namespace {

constexpr int kVariantLineHeight = 13;

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

void TForm1::ChangeBilet()
{
    for (QToolButton *button : sb)
        button->hide();
    Memo1->clear();

    showPicture();

    quz::bank::Question question;
    if (m_questions)
        question = m_questions->lookup(NumBilet->text(), NumVop->text());
    Otvet->setText(question.answer);
    Vopros->setText(question.text);

    // The variants, each followed by a blank line, without the blank line
    // after the last one; every line exactly 13 px high. The lookup bounds
    // both texts (at most 16 variants and 4096 characters a line), so the
    // layout below stays small whatever the question file holds.
    Memo1->setPlainText(quz::files::displayText(quz::practice::variantAreaText(question.variants)));
    QTextCursor cursor(Memo1->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(kVariantLineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
    // Wrap at the area's own width now, so that the display lines exist even
    // before the window is first shown.
    Memo1->document()->setTextWidth(Memo1->width() - 2 * Memo1->frameWidth());
    Memo1->document()->documentLayout()->documentSize();

    const int lineCount = variantLineCount();
    if (autoRes->isChecked())
        setVariantPanelHeight(quz::practice::autoPanelHeight(lineCount));

    // A question without variants (none found) gets no answer button.
    if (question.variants.isEmpty())
        return;
    // Every display line up to and including the final empty one, laid out once.
    std::vector<bool> empty = displayLines(Memo1->document());
    empty.resize(static_cast<size_t>(lineCount) + 1, true);
    for (const auto &place : quz::practice::placeButtons(empty)) {
        QToolButton *button = sb[place.button - 1];
        button->move(4, place.top);
        button->show();
        button->raise();
    }
}

void TForm1::showPicture()
{
    const QString path =
        m_services.dataPath(quz::bank::pictureRelativePath(NumBilet->text(), NumVop->text()));
    if (quz::files::isFile(path)) {
        quz::bank::JpegPicture picture;
        if (picture.loadFile(path)) {
            Image1->setJpeg(std::move(picture));
            return;
        }
        // A picture that cannot be read is shown like a missing one.
    }
    showPlaceholder();
}

void TForm1::showPlaceholder()
{
    quz::Outcome<QImage> blank =
        quz::bank::placeholderPicture(m_services.dataPath(quz::bank::placeholderFileName()),
                                      Image1->size(), quz::look::btnFace());
    // Without a readable placeholder the picture area stays empty and the
    // display goes on.
    if (blank)
        Image1->setImage(std::move(blank).value());
    else
        Image1->clear();
}

int TForm1::variantLineCount() const
{
    const auto lines = displayLines(Memo1->document());
    int count = static_cast<int>(lines.size());
    // A text that ends with a line break has an empty last block, which the
    // line count leaves out.
    if (Memo1->document()->lastBlock().text().isEmpty())
        --count;
    return std::max(0, count);
}

void TForm1::setVariantPanelHeight(int height)
{
    const int total = Splitter1->height() - Splitter1->handleWidth();
    const int panel = std::clamp(height, 1, std::max(1, total - 1));
    Splitter1->setSizes({total - panel, panel});
}
