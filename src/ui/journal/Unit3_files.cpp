// The journal's files and lines: save, load, files dropped onto the list,
// the file named on the command line, and the popup menu's deletion.

#include "ui/journal/Unit3.h"

#include "core/journal/journal_file.h"
#include "core/journal/journal_model.h"
#include "ui/journal/list_box_widget.h"

#include <QAction>
#include <QFileInfo>
#include <QToolButton>

namespace quz::journal {

void TForm3::N1Click()
{
    if (m_journal->rowCount() < 2) {
        m_services.dialogs->messageBox(this, m_services.title(),
                                       QStringLiteral("Как мне кажется, нечего сохранять =("));
        return;
    }
    const std::optional<QString> chosen = m_services.dialogs->openFile(this, odLS);
    if (!chosen)
        return;
    odLS.initialFile = *chosen;
    if (const Status written = writeJournalFile(*chosen, m_journal->lines()); !written) {
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
        return;
    }
    m_services.dialogs->messageBox(this, m_services.title(),
                                   QStringLiteral("Записано!\n\r")
                                       + QFileInfo(*chosen).absoluteFilePath());
}

void TForm3::N2Click()
{
    dropPlaceholder();
    const std::optional<QString> chosen = m_services.dialogs->openFile(this, odLS);
    if (!chosen)
        return;
    odLS.initialFile = *chosen;
    loadFile(*chosen);
}

void TForm3::loadFile(const QString &path)
{
    Outcome<JournalLines> read = readJournalFile(path);
    if (!read) {
        m_services.dialogs->showFailure(this, m_services.title(), read.error());
        return;
    }
    // The list is filled anew as a whole: no line stays selected. In the
    // answer mode the entry being answered stays the selected line.
    m_journal->appendLines(std::move(*read));
    lbStat->scrollToTop();
    m_scrollPending = false;
    if (answerModeOn())
        lbStat->selectOnly(m_cursor);
}

void TForm3::lbStatDropFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    if (paths.size() != 1)
        m_services.dialogs->messageBox(this, m_services.title(),
                                       QStringLiteral("Кто сказал что можно тащить 2 объекта?"));
    ProcessFile(paths.first());
}

void TForm3::ProcessFile(const QString &path)
{
    // A name without an extension (no '.' after the last separator) is not
    // taken, and nothing is said.
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (!name.contains(u'.'))
        return;
    dropPlaceholder();
    loadFile(path);
}

void TForm3::FormShow()
{
    // A journal file named on the command line replaces the list at the
    // first showing.
    if (!m_commandLinePending)
        return;
    m_commandLinePending = false;
    m_placeholder = false;
    Outcome<JournalLines> read = readJournalFile(m_commandLineFile);
    if (!read) {
        m_services.dialogs->showFailure(this, m_services.title(), read.error());
        return;
    }
    m_journal->replaceAll(std::move(*read));
}

void TForm3::PopupMenu1Popup() { N5->setEnabled(lbStat->hasSelectedRows()); }

void TForm3::N5Click() { m_journal->removeRanges(lbStat->selectedRanges()); }

} // namespace quz::journal
