#include "check/remedy.h"

#include "check/wording.h"

#include <QHash>

namespace quz::check {

namespace {

struct Remedy {
    const char *kind;
    const char *text;
};

// QT_TRANSLATE_NOOP marks the texts for the translation files; remedy()
// translates them when a finding asks.
const Remedy kRemedies[] = {
    {"question.missing", QT_TRANSLATE_NOOP("Text", "write the missing record: its header line "
                                                   "(«билет», ticket, question, answer), the "
                                                   "question on one line, then the variants")},
    {"question.header-missing",
     QT_TRANSLATE_NOOP("Text", "write the header line of that question above this line")},
    {"question.header-damaged",
     QT_TRANSLATE_NOOP("Text", "write the header as «билет» in small letters at the start of the "
                               "line, then the ticket and question numbers (two digits each) and "
                               "the answer digit")},
    {"question.out-of-range",
     QT_TRANSLATE_NOOP("Text", "correct the ticket or question number, or delete the question")},
    {"question.duplicate",
     QT_TRANSLATE_NOOP("Text", "correct the numbers of one of the two, or delete the copy")},
    {"question.header-inline", QT_TRANSLATE_NOOP("Text", "put the header on a line of its own")},
    {"question.header-length",
     QT_TRANSLATE_NOOP("Text", "the header line holds «билет», the ticket and question numbers "
                               "and the answer digit, nothing else: correct it")},
    {"question.answer",
     QT_TRANSLATE_NOOP("Text", "write the number of the right variant (1-5) at the end of the "
                               "header line, or add the missing variant")},
    {"question.too-few",
     QT_TRANSLATE_NOOP("Text", "write the question on the line after the header and at least two "
                               "variants below it, one per line")},
    {"question.blank-line",
     QT_TRANSLATE_NOOP("Text", "delete the blank line (a blank line may only come after the last "
                               "variant)")},
    {"question.ticket-word",
     QT_TRANSLATE_NOOP("Text", "reword the variant without the word «билет» (for example "
                               "«Билет» with a capital letter)")},
    {"question.variants", QT_TRANSLATE_NOOP("Text", "check the lines before this one")},
    {"question.too-many", QT_TRANSLATE_NOOP("Text", "keep at most 5 variants")},
    {"question.no-terminator",
     QT_TRANSLATE_NOOP("Text", "add a line «билет конец» after the last question")},
    {"question.key-inside",
     QT_TRANSLATE_NOOP("Text", "put that header at the start of a line of its own")},
    {"comment.ticket-missing",
     QT_TRANSLATE_NOOP("Text", "write the ticket's header line («билет» and its two-digit number) "
                               "above its comments")},
    {"comment.header-damaged",
     QT_TRANSLATE_NOOP("Text", "write the header as «билет» in small letters at the start of the "
                               "line, directly followed by the two-digit ticket number")},
    {"comment.header-first-line",
     QT_TRANSLATE_NOOP("Text", "put a title line (any text) above it")},
    {"comment.header-out-of-range",
     QT_TRANSLATE_NOOP("Text", "correct the ticket number, or delete these comments")},
    {"comment.header-duplicate",
     QT_TRANSLATE_NOOP("Text", "correct the ticket number, or delete the second copy")},
    {"comment.missing",
     QT_TRANSLATE_NOOP("Text", "write the missing comment: a line that begins with its number, a "
                               "full stop and a space")},
    {"comment.shadowed",
     QT_TRANSLATE_NOOP("Text", "change the start of this line so that it does not begin with a "
                               "number, a full stop and a space")},
    {"comment.start-malformed",
     QT_TRANSLATE_NOOP("Text", "begin the comment with its number, a full stop and a space")},
    {"comment.no-end",
     QT_TRANSLATE_NOOP("Text", "after the ticket's last comment, add a line such as «21. ----»")},
    {"comment.early-end",
     QT_TRANSLATE_NOOP("Text", "do not begin a line inside a comment with a number and a full "
                               "stop: join it to the line before")},
    {"comment.runs-on",
     QT_TRANSLATE_NOOP("Text", "write the next comment of the ticket (or, after the last one, a "
                               "line such as «21. ----»)")},
    {"file.unreadable",
     QT_TRANSLATE_NOOP("Text", "put a readable file of that name into the folder")},
    {"file.byte98", QT_TRANSLATE_NOOP("Text", "retype the character on this line")},
    {"file.nul",
     QT_TRANSLATE_NOOP("Text", "delete the invisible character (or save the file again as plain "
                               "text)")},
    {"journal.entry",
     QT_TRANSLATE_NOOP("Text", "correct the line to the form «-> 05 вопрос 12», or delete it")},
    {"picture.unreadable", QT_TRANSLATE_NOOP("Text", "save the picture again as a JPEG file")},
    {"picture.decode-error", QT_TRANSLATE_NOOP("Text", "save the picture again as a JPEG file")},
    {"picture.damaged", QT_TRANSLATE_NOOP("Text", "save the picture again as a JPEG file")},
    {"picture.too-large", QT_TRANSLATE_NOOP("Text", "save the picture again with fewer pixels")},
    {"picture.sample-missing",
     QT_TRANSLATE_NOOP("Text", "put the picture of ticket 1, question 10 into the folder bmp")},
    {"picture.folder-name", QT_TRANSLATE_NOOP("Text", "rename the folder to «bmp»")},
    {"picture.folder", QT_TRANSLATE_NOOP("Text", "rename or move the folder")},
    {"picture.name",
     QT_TRANSLATE_NOOP("Text", "rename the file as the program looks for it, or move it away")},
    {"placeholder.unreadable",
     QT_TRANSLATE_NOOP("Text", "put a readable Windows bitmap named emp.bmp into the program "
                               "folder")},
    {"notes.missing", QT_TRANSLATE_NOOP("Text", "put the file back into the program folder")},
};

} // namespace

QString remedy(const QString &kind)
{
    static const QHash<QString, const char *> texts = [] {
        QHash<QString, const char *> map;
        for (const Remedy &entry : kRemedies)
            map.insert(QString::fromLatin1(entry.kind), entry.text);
        return map;
    }();
    const char *text = texts.value(kind);
    return text ? Text::tr("what to do: %1").arg(Text::tr(text)) : QString();
}

} // namespace quz::check
