// The question view as screen readers see it: the picture and the variant
// area by what they are, each answer button by its digit and the variant it
// stands beside, and what the window announces through the variant area.

#include "ui/platform/accessibility.h"
#include "ui/question/picture_widget.h"
#include "ui/question/question_view.h"

#include <QSplitter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

namespace quz::question {

namespace {

// One display line of the variant area: its text, and whether it begins a
// line of the text (the others continue a wrapped one).
struct DisplayLine {
    QString text;
    bool startsLine = true;
};

// Every display line of the variant area, in order; a line with no text is
// one beside which a button stands.
std::vector<DisplayLine> displayLines(const QTextDocument *doc)
{
    std::vector<DisplayLine> lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const int count = layout ? layout->lineCount() : 0;
        if (count == 0) {
            lines.push_back({block.text()});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back({block.text().mid(line.textStart(), line.textLength()), i == 0});
        }
    }
    return lines;
}

} // namespace

void QuestionView::nameControls()
{
    Image1->setAccessibleName(QStringLiteral("Рисунок"));
    Memo1->setAccessibleName(QStringLiteral("Варианты ответа"));
    Splitter1->handle(1)->setAccessibleName(QStringLiteral("Граница вопроса и вариантов"));
    for (QToolButton *button : sb) {
        button->setAccessibleName(QStringLiteral("Ответ ") + button->text());
        button->setAccessibleDescription(QStringLiteral("Клавиша ") + button->text());
    }
}

// Walks the display lines as the placement does: the text since the last
// empty line belongs to the button placed beside the next one. The sixth and
// later empty lines move button 5 again, and its name follows it.
void QuestionView::nameAnswerButtons(int lineCount)
{
    std::vector<DisplayLine> lines = displayLines(Memo1->document());
    lines.resize(static_cast<size_t>(lineCount) + 1);
    QString variant;
    size_t next = 0;
    for (const DisplayLine &line : lines) {
        if (!line.text.isEmpty()) {
            // A wrapped line runs on (the blank at the wrap stays with the
            // line before); a line of its own is set off by a blank.
            if (line.startsLine)
                variant += u' ';
            variant += line.text;
            continue;
        }
        QToolButton *button = sb[std::min(next, sb.size() - 1)];
        const QString digit = button->text();
        const QString text = variant.simplified();
        button->setAccessibleName(text.isEmpty() ? QStringLiteral("Ответ ") + digit
                                                 : QStringLiteral("Ответ %1: %2").arg(digit, text));
        variant.clear();
        ++next;
    }
}

void QuestionView::announce(const QString &text) { platform::announce(Memo1, text); }

} // namespace quz::question
