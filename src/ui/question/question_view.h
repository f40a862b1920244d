#pragma once
// The question view: one question on screen. Above a 4 px splitter the
// question panel (`Panel3`) with the picture (`Image1`, scaled by the fit
// rule) and the question text (`Vopros`); below it the variant panel
// (`Panel2`) with the variant area (`Memo1`, word-wrapped, every display line
// 13 px high) and one numbered answer button (`sb1`..`sb5`) beside each
// variant, placed by the placement rule. The user shares the height between
// the two panels with the splitter.
//
// Not responsible for: which question to show, whether an answer is right,
// runs, journals, settings or sounds. It shows what it is given and signals
// the answer button that was clicked; the window that holds it decides.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class QLabel;
class QSplitter;
class QTextEdit;
class QToolButton;

namespace quz::question {

class TImage;

// What one question shows.
struct QuestionContent {
    // Full path of the question's picture; a path that names no file (also
    // an empty one) shows the placeholder.
    QString picturePath;
    QString text;
    // The variant items as the question bank gives them (each normally ends
    // with its own line break).
    QStringList variants;
};

class QuestionView : public QWidget {
    Q_OBJECT
public:
    // The design size of the view: 560 x 307, the variant panel 116 px high.
    explicit QuestionView(QWidget *parent = nullptr);

    // The controls, named as in the main window's design.
    QSplitter *Splitter1 = nullptr;
    QWidget *Panel3 = nullptr;
    TImage *Image1 = nullptr;
    QLabel *Vopros = nullptr;
    QWidget *Panel2 = nullptr;
    std::array<QToolButton *, 5> sb{}; // sb1..sb5
    QTextEdit *Memo1 = nullptr;

    // The blank picture shown for a question without one ("emp.bmp").
    void setPlaceholderPath(const QString &path);

    // Shows a question, in this order: hides the answer buttons and empties
    // the variant area; shows the picture (or the placeholder); the question
    // text; the variants, each followed by a blank line; with `autoSize` the
    // variant panel's height from the line count; one button beside each
    // variant. A question without variants gets no button.
    void showQuestion(const QuestionContent &content, bool autoSize);
    // Hides the answer buttons and empties the variant area and the question
    // text; the picture stays.
    void clearQuestion();

    // The answer button with caption `digit` (1..5).
    QToolButton *answerButton(int digit) const;
    // Clicks the answer button of `digit` when it is showing (a press and a
    // release, so that exactly its click happens); returns whether it was.
    bool clickAnswer(int digit);

    // Tells screen readers `text` through the variant area's description,
    // also when it is the text told last (question_view_access.cpp).
    void announce(const QString &text);

    void setVariantColor(const QColor &color);
    QColor variantColor() const;
    void setQuestionColor(const QColor &color);

    // How many display lines of the variant area count (a final empty line
    // does not).
    int variantLineCount() const;
    // Gives the variant panel `height` px of the splitter (at least 1 px for
    // each panel).
    void setVariantPanelHeight(int height);

signals:
    // An answer button was clicked; its caption "1".."5" is the answer.
    void answerClicked(QToolButton *button);
    void pictureDoubleClicked();
    // The picture file at `path` exists but cannot be shown (its header on
    // showQuestion(), its pixels at the first paint): the placeholder stands
    // in for it. `reason` is the reader's failure, such as "JPEG error #53".
    void pictureUnreadable(const QString &path, const QString &reason);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildQuestionPanel();
    void buildVariantPanel();
    void showPicture(const QString &path);
    void showPlaceholder();
    void fillVariants(const QStringList &variants);
    void placeButtons(int lineCount);
    // Accessible names: the parts by what they are, each answer button by
    // its digit and the variant beside it (question_view_access.cpp).
    void nameControls();
    void nameAnswerButtons(int lineCount);

    QString m_placeholderPath;
    QString m_picturePath; // the JPEG file shown, empty for none
};

} // namespace quz::question
