#include "check/picture_check.h"

#include "check/bitmap_check.h"
#include "check/native_path.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/bank/data_files.h"
#include "core/bank/jpeg_decode.h"
#include "core/files/file_io.h"
#include "core/files/native_names.h"

#include <QRegularExpression>
#include <QSet>

#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jerror.h>
#include <jpeglib.h>

namespace quz::check {

namespace {

// libjpeg's own text for a message code, its printf fields shown as "…";
// empty when the messages are not in English (libjpeg has its texts in
// English only).
QString jpegMessage(int code)
{
    if (!messagesInEnglish())
        return {};
    jpeg_error_mgr err{};
    jpeg_std_error(&err);
    if (code <= 0 || code > err.last_jpeg_message || !err.jpeg_message_table[code])
        return {};
    QString text = QString::fromLatin1(err.jpeg_message_table[code]);
    static const QRegularExpression field(QStringLiteral("(0x)?%[-0-9.l]*[dusxX]"));
    return text.replace(field, QStringLiteral("…"));
}

// "JPEG error #53" with libjpeg's explanation of the code.
QString explainJpegError(const QString &error)
{
    static const QRegularExpression code(QStringLiteral("^JPEG error #(\\d+)$"));
    const QRegularExpressionMatch match = code.match(error);
    if (!match.hasMatch())
        return failureReason(error);
    const int number = match.captured(1).toInt();
    const QString shown = Text::tr("JPEG error #%1").arg(number);
    const QString text = jpegMessage(number);
    return text.isEmpty() ? shown : shown + QStringLiteral(" (") + text + u')';
}

struct PictureName {
    int ticket = 0;
    int question = 0;
};

// The question a picture file name seems meant for: "Quz", a ticket number
// and a question number, whatever the case, zeros, separators or extension.
bool meantFor(const QString &name, PictureName &meant, QString &digits, QString &extension)
{
    static const QRegularExpression pattern(
        QStringLiteral("^quz[ _-]*(\\d{1,3})[ _-]+(\\d{1,3})(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    meant.ticket = match.captured(1).toInt();
    meant.question = match.captured(2).toInt();
    digits = match.captured(1) + u'_' + match.captured(2);
    extension = match.captured(3);
    return true;
}

QString question(int ticket, int question)
{
    return Text::tr("ticket %1, question %2").arg(twoDigits(ticket), twoDigits(question));
}

void checkPictureFile(std::vector<Finding> &findings, const QString &file, const QByteArray &path,
                      int ticket, int number)
{
    const QString blank = ticket > 0
                              ? Text::tr("the program shows the blank picture for %1 instead")
                                    .arg(question(ticket, number))
                              : Text::tr("the program shows the blank picture instead");
    Outcome<QByteArray> bytes = readNative(path, files::FileKind::Picture);
    const Outcome<bank::JpegHeader> header =
        bytes ? bank::readJpegHeader(*bytes) : Outcome<bank::JpegHeader>(Failure{bytes.error()});
    if (!header) {
        findings.push_back(Finding{
            file, 0, Severity::Problem, QStringLiteral("picture.unreadable"),
            Text::tr("libjpeg refuses it: %1; %2").arg(explainJpegError(header.error()), blank)});
        return;
    }
    const qint64 pixels = qint64(header->width) * header->height;
    if (pixels > bank::kMaxJpegPixels) {
        findings.push_back(Finding{file, 0, Severity::Problem, QStringLiteral("picture.too-large"),
                                   Text::tr("%1 x %2 pixels is more than the program "
                                            "decodes (%3 pixels); %4")
                                       .arg(header->width)
                                       .arg(header->height)
                                       .arg(bank::kMaxJpegPixels)
                                       .arg(blank)});
        return;
    }
    // Decoded as the program decodes it, into one row used again and again:
    // the same errors and warnings, without the bitmap.
    std::vector<quint32> row;
    const bank::JpegDecode decode = bank::decodeJpeg(*bytes, {[&row](int width, int) {
                                                                  row.resize(size_t(width));
                                                                  return true;
                                                              },
                                                              [&row](int) { return row.data(); }});
    if (const Status &decoded = decode.result; !decoded) {
        findings.push_back(Finding{file, 0, Severity::Problem,
                                   QStringLiteral("picture.decode-error"),
                                   Text::tr("the picture data is damaged: %1 while "
                                            "decoding; %2")
                                       .arg(explainJpegError(decoded.error()), blank)});
        return;
    }
    const int warning = decode.firstWarning;
    if (warning == 0)
        return;
    QString text = Text::tr("JPEG warning #%1").arg(warning);
    if (const QString explained = jpegMessage(warning); !explained.isEmpty())
        text += QStringLiteral(" (") + explained + u')';
    if (warning == JWRN_EXTRANEOUS_DATA) {
        findings.push_back(Finding{file, 0, Severity::Note, QStringLiteral("picture.warning"),
                                   text
                                       + Text::tr(": the program shows the picture as "
                                                  "it is")});
        return;
    }
    findings.push_back(Finding{file, 0, Severity::Problem, QStringLiteral("picture.damaged"),
                               Text::tr("the picture data is damaged: %1; the program shows "
                                        "what it can decode and the rest grey")
                                   .arg(text)});
}

// The sample picture that the start-up check looks for.
void checkSample(const QByteArray &dir, std::vector<Finding> &findings)
{
    const QString sample = bank::samplePictureRelativePath();
    const QString kInstallNotes = bank::installNotesFileName();
    const auto at = [&](const QString &name) { return joinNative(dir, name.toUtf8()); };
    if (examine(at(sample)).type != EntryType::File) {
        QString message =
            examine(at(sample)).type == EntryType::Folder
                ? Text::tr("the sample picture is a folder: at every start the program shows "
                           "the message «Картинки к билетам НЕ НАЙДЕНЫ!!!» with the install "
                           "notes")
                : Text::tr("the sample picture is missing: at every start the program shows "
                           "the message «Картинки к билетам НЕ НАЙДЕНЫ!!!» with the install "
                           "notes");
        if (!readNative(at(kInstallNotes), files::FileKind::Notes))
            message += Text::tr("; as %1 cannot be read either, it then stops its "
                                "start-up with an error box and loads no questions")
                           .arg(kInstallNotes);
        findings.push_back(Finding{sample, 0, Severity::Problem,
                                   QStringLiteral("picture.sample-missing"), message});
    }
}

// Whether the picture folder is there under its name; findings for a
// folder named otherwise or a file in its place.
bool checkFolderName(const QByteArray &dir, std::vector<Finding> &findings)
{
    const QString folder = bank::pictureFolder();
    const EntryType folderType = examine(joinNative(dir, folder.toUtf8())).type;
    if (folderType != EntryType::Folder) {
        for (const QByteArray &native : folderEntries(dir))
            if (const QString name = files::readablePath(native);
                name.compare(folder, Qt::CaseInsensitive) == 0 && name != folder)
                findings.push_back(Finding{name, 0, Severity::Problem,
                                           QStringLiteral("picture.folder-name"),
                                           Text::tr("the picture folder must be named «%1» "
                                                    "(names are case-sensitive): the "
                                                    "program finds none of these pictures")
                                               .arg(folder)});
        if (folderType != EntryType::Missing)
            findings.push_back(Finding{folder, 0, Severity::Problem,
                                       QStringLiteral("picture.folder-name"),
                                       Text::tr("«%1» is not a folder: the program finds no "
                                                "picture")
                                           .arg(folder)});
        return false;
    }
    return true;
}

// The findings about one entry of the picture folder, `native` its name:
// a picture the program shows, or a name it never looks for.
std::vector<Finding> checkPictureEntry(const QByteArray &dir, const QByteArray &native,
                                       const QSet<QString> &names, const Scope &scope)
{
    std::vector<Finding> kept;
    const QString folder = bank::pictureFolder();
    const QString sample = bank::samplePictureRelativePath();
    const auto at = [&](const QString &name) { return joinNative(dir, name.toUtf8()); };
    const QByteArray pictures = at(folder);
    const QString name = files::readablePath(native);
    const QString file = folder + u'/' + name;
    const QByteArray path = joinNative(pictures, native);
    PictureName meant;
    QString digits;
    QString extension;
    const bool looksMeant = meantFor(name, meant, digits, extension);
    if (names.contains(file)) {
        if (examine(path).type != EntryType::File)
            kept.push_back(Finding{file, 0, Severity::Problem, QStringLiteral("picture.folder"),
                                   Text::tr("a folder with a picture's name: the "
                                            "program shows the blank picture for "
                                            "%1")
                                       .arg(question(meant.ticket, meant.question))});
        else
            checkPictureFile(kept, file, path, meant.ticket, meant.question);
        return kept;
    }
    if (!looksMeant) {
        kept.push_back(Finding{file, 0, Severity::Problem, QStringLiteral("picture.name"),
                               Text::tr("the name matches no question (the program "
                                        "looks for names such as «Quz_7_5.jpg»), "
                                        "so this file is never shown")});
        return kept;
    }
    const bool asked = (meant.ticket >= 1 && meant.ticket <= scope.tickets && meant.question >= 1
                        && meant.question <= scope.questions)
                       || file.compare(sample, Qt::CaseInsensitive) == 0;
    if (!asked) {
        kept.push_back(Finding{file, 0, Severity::Problem, QStringLiteral("picture.name"),
                               Text::tr("the name is for %1, which the program never "
                                        "asks (tickets 01-%2, questions 01-%3), so "
                                        "this file is never shown")
                                   .arg(question(meant.ticket, meant.question),
                                        twoDigits(scope.tickets), twoDigits(scope.questions))});
        return kept;
    }
    const QString expected =
        bank::pictureRelativePath(twoDigits(meant.ticket), twoDigits(meant.question));
    const QString expectedName = expected.section(u'/', -1);
    QStringList why;
    if (digits != QStringLiteral("%1_%2").arg(meant.ticket).arg(meant.question))
        why << Text::tr("numbers without leading zeros");
    if (extension.compare(QStringLiteral(".jpg"), Qt::CaseInsensitive) != 0)
        why << Text::tr("the extension .jpg");
    else if (!name.startsWith(QStringLiteral("Quz")) || extension != QStringLiteral(".jpg"))
        why << Text::tr("names are case-sensitive");
    if (why.isEmpty())
        why << Text::tr("exactly this spelling");
    const bool alsoThere = examine(at(expected)).type == EntryType::File;
    kept.push_back(Finding{
        file, 0, Severity::Problem, QStringLiteral("picture.name"),
        Text::tr("the program looks for «%1» (%2), so this picture is never shown; %3")
            .arg(expectedName, why.join(QStringLiteral(", ")),
                 alsoThere ? Text::tr("«%1» exists as well and is the one shown").arg(expectedName)
                           : Text::tr("it shows the blank picture for %1 instead")
                                 .arg(question(meant.ticket, meant.question)))});
    return kept;
}

} // namespace

std::vector<Finding> checkPictureNamed(const QString &file, const QByteArray &path)
{
    std::vector<Finding> findings;
    PictureName meant;
    QString digits;
    QString extension;
    if (!meantFor(file.section(u'/', -1), meant, digits, extension))
        meant = PictureName{};
    checkPictureFile(findings, file, path, meant.ticket, meant.question);
    return findings;
}

QString failureReason(const QString &error)
{
    static const QRegularExpression prefix(QStringLiteral("^Cannot (open|create) file \".*\"\\. "));
    QString reason = error;
    reason.remove(prefix);
    // The system's most common reasons, in the user's language too.
    static const char *const known[] = {
        QT_TRANSLATE_NOOP("Text", "No such file or directory"),
        QT_TRANSLATE_NOOP("Text", "Permission denied"),
        QT_TRANSLATE_NOOP("Text", "Is a directory"),
        QT_TRANSLATE_NOOP("Text", "Not a regular file"),
    };
    for (const char *text : known)
        if (reason == QLatin1String(text))
            return Text::tr(text);
    return reason;
}

std::vector<Finding> checkPictures(const QByteArray &dir, const Scope &scope)
{
    std::vector<Finding> findings;
    checkSample(dir, findings);
    if (!checkFolderName(dir, findings))
        return findings;

    // The names the program builds for the questions it asks.
    const QString folder = bank::pictureFolder();
    QSet<QString> names;
    for (int t = 1; t <= scope.tickets; ++t)
        for (int q = 1; q <= scope.questions; ++q)
            names.insert(bank::pictureRelativePath(twoDigits(t), twoDigits(q)));
    names.insert(bank::samplePictureRelativePath());

    // A folder full of stray files gives a short report: at most
    // kFindingsPerKind of each kind.
    KindLimit limit;
    for (const QByteArray &native : folderEntries(joinNative(dir, folder.toUtf8()))) {
        for (Finding &finding : checkPictureEntry(dir, native, names, scope)) {
            finding.native = folder.toUtf8() + '/' + native;
            if (limit.keep(finding.kind))
                findings.push_back(std::move(finding));
        }
    }
    limit.addNotes(findings, folder);
    return findings;
}

std::vector<Finding> checkSupportFiles(const QByteArray &dir)
{
    std::vector<Finding> findings;
    const QString kHelp = bank::helpFileName();
    const QString kInstallNotes = bank::installNotesFileName();

    const QString placeholder = bank::placeholderFileName();
    const Outcome<QByteArray> bitmap =
        readNative(joinNative(dir, placeholder.toUtf8()), files::FileKind::Bitmap);
    // Read as the program reads it (bank::placeholderPicture(), Qt's bitmap
    // reader), by the folder's own bytes.
    QString failure;
    if (!bitmap)
        failure = failureReason(bitmap.error());
    else if (!readsAsBitmap(*bitmap))
        failure = Text::tr("Bitmap image is not valid");
    if (!failure.isEmpty())
        findings.push_back(Finding{placeholder, 0, Severity::Problem,
                                   QStringLiteral("placeholder.unreadable"),
                                   Text::tr("%1: questions without a picture show an empty "
                                            "picture area instead of the blank placeholder")
                                       .arg(failure)});

    const struct {
        QString name;
        QString effect;
    } notes[] = {
        {kHelp, Text::tr("the button «?» shows an error box instead of the help")},
        {kInstallNotes,
         Text::tr("it is read only when %1 is missing, but then the program stops its "
                  "start-up with an error box and loads no questions")
             .arg(bank::samplePictureRelativePath())},
    };
    for (const auto &[name, effect] : notes) {
        const Outcome<QByteArray> bytes =
            readNative(joinNative(dir, name.toUtf8()), files::FileKind::Notes);
        if (!bytes) {
            findings.push_back(
                Finding{name, 0, Severity::Problem, QStringLiteral("notes.missing"),
                        QStringLiteral("%1: %2").arg(failureReason(bytes.error()), effect)});
            continue;
        }
        const TextFacts facts = checkText(
            name, std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())),
            TextRole::Notes);
        findings.insert(findings.end(), facts.findings.begin(), facts.findings.end());
    }
    return findings;
}

} // namespace quz::check
