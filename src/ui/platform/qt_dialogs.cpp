#include "ui/platform/qt_dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace quz::platform {

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        result << parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    QString dotless = suffix;
    if (dotless.startsWith(u'.'))
        dotless.remove(0, 1);
    if (dotless.isEmpty() || path.isEmpty() || path.endsWith(u'/'))
        return path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.contains(u'.'))
        return path;
    return path + u'.' + dotless;
}

namespace {

constexpr qsizetype kBoxLines = 25;
constexpr qsizetype kBoxCharacters = 3000;
// Lines whose width is measured for the scrolling box's natural width, and
// the characters of each; the rest scroll.
constexpr qsizetype kMeasuredLines = 200;
constexpr qsizetype kMeasuredCharacters = 400;
// What the scrolling box's view holds at most (viewText).
constexpr qsizetype kBlockLength = 4096;
constexpr qsizetype kShownBlocks = 100000;
constexpr qsizetype kShownCharacters = 8 * 1024 * 1024;

// The available area of the screen a box for `parent` opens on.
QRect availableArea(QWidget *parent)
{
    QScreen *screen = parent ? parent->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

// The text as the scrolling view holds it: the box's own line break between
// lines; a line longer than kBlockLength in blocks of that length, which the
// view wraps just as it would wrap the whole line, but lays out only when they
// come into sight; at most kShownBlocks blocks and kShownCharacters
// characters, so that a text of any size costs a bounded time and memory.
struct ViewText {
    QString text;
    qsizetype lines = 0;      // lines of the whole text
    qsizetype shownLines = 0; // of which (the start of) the view shows
    qsizetype blocks = 0;
    int widest = 0; // pixel width of the widest measured line
};

ViewText viewText(const QString &text, const QFontMetrics &metrics)
{
    ViewText view;
    const qsizetype size = text.size();
    qsizetype from = 0;
    bool full = false;
    for (;;) {
        qsizetype end = from;
        while (end < size && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        ++view.lines;
        for (qsizetype at = from; !full;) {
            if (view.blocks == kShownBlocks || view.text.size() >= kShownCharacters) {
                full = true;
                break;
            }
            const qsizetype length =
                std::min({kBlockLength, end - at, kShownCharacters - view.text.size()});
            if (view.blocks > 0)
                view.text += u'\n';
            const QStringView block = QStringView(text).mid(at, length);
            view.text += block;
            if (view.blocks < kMeasuredLines)
                view.widest =
                    std::max(view.widest,
                             metrics.horizontalAdvance(block.left(kMeasuredCharacters).toString()));
            ++view.blocks;
            if (at == from)
                ++view.shownLines;
            at += length;
            if (at >= end)
                break;
        }
        if (end == size)
            break;
        from = end + (text.at(end) == u'\r' && end + 1 < size && text.at(end + 1) == u'\n' ? 2 : 1);
    }
    return view;
}

std::unique_ptr<QDialog> scrollingBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setObjectName(QStringLiteral("scrollingTextBox"));
    box->setWindowTitle(title);
    box->setWindowModality(Qt::ApplicationModal);

    auto *view = new QPlainTextEdit(box.get());
    view->setReadOnly(true);
    view->setFrameShape(QFrame::NoFrame);
    view->setBackgroundRole(QPalette::Window);
    const QFontMetrics metrics(view->font());
    const ViewText shown = viewText(text, metrics);
    view->setPlainText(shown.text);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, box.get(), &QDialog::accept);

    auto *row = new QHBoxLayout;
    if (icon != QMessageBox::NoIcon) {
        auto *picture = new QLabel(box.get());
        const int side =
            box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box.get());
        const QStyle::StandardPixmap kind =
            icon == QMessageBox::Critical   ? QStyle::SP_MessageBoxCritical
            : icon == QMessageBox::Warning  ? QStyle::SP_MessageBoxWarning
            : icon == QMessageBox::Question ? QStyle::SP_MessageBoxQuestion
                                            : QStyle::SP_MessageBoxInformation;
        picture->setPixmap(box->style()->standardIcon(kind, nullptr, box.get()).pixmap(side, side));
        picture->setAlignment(Qt::AlignTop);
        row->addWidget(picture);
    }
    row->addWidget(view, 1);
    auto *column = new QVBoxLayout(box.get());
    column->addLayout(row, 1);
    if (shown.shownLines < shown.lines || shown.text.size() >= kShownCharacters) {
        auto *cut = new QLabel(QStringLiteral("Показано начало текста: строк %1 из %2.")
                                   .arg(shown.shownLines)
                                   .arg(shown.lines),
                               box.get());
        cut->setObjectName(QStringLiteral("cutNote"));
        column->addWidget(cut);
    }
    column->addWidget(buttons);

    // The natural size of the text within nine tenths of the screen's
    // available area; what does not fit scrolls.
    const QRect area = availableArea(parent);
    const QSize chrome = column->sizeHint() - view->sizeHint();
    const int maxWidth = area.width() * 9 / 10;
    const int maxHeight = area.height() * 9 / 10;
    const int width = std::clamp(shown.widest + chrome.width() + 4 * metrics.averageCharWidth(),
                                 320, std::max(320, maxWidth));
    const qint64 textHeight = qint64(shown.blocks) * metrics.lineSpacing();
    const int height = static_cast<int>(std::clamp<qint64>(
        textHeight + chrome.height() + 2 * metrics.lineSpacing(), 160, std::max(160, maxHeight)));
    box->resize(std::min(width, area.width()), std::min(height, area.height()));
    box->setMaximumSize(area.size());
    return box;
}

// Qt's own chooser (never the native one) in open mode, modal, with the
// request's filter (labels only, as the program names them) and the folder of
// its initial file, when it names one, as the start folder.
void prepareChooser(QFileDialog &dialog, const OpenFileRequest &request, QFileDialog::FileMode mode)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    dialog.setWindowModality(Qt::ApplicationModal);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (request.initialFile.contains(u'/'))
        dialog.setDirectory(QFileInfo(request.initialFile).absolutePath());
}

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    const std::unique_ptr<QDialog> box = makeTextBox(parent, icon, title, text);
    box->exec();
}

} // namespace

bool needsScrollingBox(const QString &text)
{
    return text.size() > kBoxCharacters || text.count(u'\n') + 1 > kBoxLines;
}

std::unique_ptr<QDialog> makeTextBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                     const QString &text)
{
    if (!needsScrollingBox(text)) {
        auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
        box->setWindowModality(Qt::ApplicationModal);
        box->setTextFormat(Qt::PlainText);
        const QSize wanted = box->sizeHint();
        const QRect area = availableArea(parent);
        if (wanted.width() <= area.width() && wanted.height() <= area.height())
            return box;
    }
    return scrollingBox(parent, icon, title, text);
}

void QtDialogs::messageBox(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, title, text);
}

void QtDialogs::errorBox(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, QMessageBox::Critical, title, text);
}

std::optional<QString> QtDialogs::openFile(QWidget *parent, const OpenFileRequest &request)
{
    QFileDialog dialog(parent, request.title);
    prepareChooser(dialog, request, QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialFile.isEmpty())
        dialog.selectFile(QFileInfo(request.initialFile).fileName());

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return withDefaultSuffix(QFileInfo(chosen.first()).absoluteFilePath(), request.defaultSuffix);
}

QStringList QtDialogs::openFiles(QWidget *parent, const OpenFileRequest &request)
{
    QFileDialog dialog(parent, request.title);
    prepareChooser(dialog, request, QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QStringList chosen;
    for (const QString &file : dialog.selectedFiles())
        if (!file.isEmpty())
            chosen << QFileInfo(file).absoluteFilePath();
    return chosen;
}

bool QtDialogs::confirm(QWidget *parent, const QString &title, const ConfirmRequest &request)
{
    QMessageBox box(QMessageBox::Question, title, request.text, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    QPushButton *accept = box.addButton(request.accept, QMessageBox::AcceptRole);
    QPushButton *reject = box.addButton(request.reject, QMessageBox::RejectRole);
    box.setDefaultButton(reject);
    box.setEscapeButton(reject);
    box.exec();
    return box.clickedButton() == accept;
}

} // namespace quz::platform
