// The statistics page's own actions on the record: the switch, adding
// journals and emptying the history.

#include "ui/stats/stats_page.h"

#include "core/record/journal_exchange.h"
#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QSignalBlocker>

#include <chrono>

namespace quz::stats {

namespace {

// How long the page waits for the writer: it may be opening a large record
// or waiting for another program's lock.
constexpr auto kWriterWait = std::chrono::seconds(15);

QString reportLine(const record::ImportReport &r)
{
    QString line;
    if (!r.failure.isEmpty())
        line = QStringLiteral("не добавлен: %1").arg(r.failure);
    else if (r.already)
        line = QStringLiteral("уже был добавлен раньше");
    else if (r.added == 0)
        line = QStringLiteral("ошибок в журнале нет");
    else
        line = QStringLiteral("добавлено ошибок: %1").arg(r.added);
    if (r.unreadable > 0)
        line += QStringLiteral(" (непонятных строк с «-»: %1)").arg(r.unreadable);
    return QStringLiteral("«%1»: %2").arg(r.name, line);
}

} // namespace

template <class T>
std::optional<T> StatsPage::await(std::future<T> &future)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ready = future.wait_for(kWriterWait) == std::future_status::ready;
    QApplication::restoreOverrideCursor();
    if (!ready)
        return std::nullopt;
    return future.get();
}

void StatsPage::setRecording(bool on)
{
    settings::SettingsBatch batch(m_services.settingsPath());
    batch.write(settings::keys::recordAnswers, on);
    if (Status written = batch.flush(); !written) {
        const QSignalBlocker quiet(m_recording);
        m_recording->setChecked(!on);
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
        return;
    }
    m_recorder.reloadSwitch();
}

void StatsPage::addJournals()
{
    const QStringList paths = m_services.dialogs->openFiles(
        this, {QStringLiteral("Укажите журналы ошибок."), QStringLiteral("Ошибки QUZ|*.quz"),
               QStringLiteral("quz"), m_services.programDir + u'/'});
    if (paths.isEmpty())
        return;
    std::vector<record::JournalFile> files;
    QStringList lines;
    for (const QString &path : paths) {
        Outcome<record::JournalFile> file = record::readJournalForImport(path);
        if (file)
            files.push_back(std::move(file).value());
        else
            lines << QStringLiteral("«%1»: %2").arg(QFileInfo(path).fileName(), file.error());
    }
    if (!files.empty()) {
        std::future<std::vector<record::ImportReport>> added =
            m_recorder.addJournals(std::move(files));
        const std::optional<std::vector<record::ImportReport>> reports = await(added);
        if (!reports)
            lines << QStringLiteral("Файл истории занят; журналы будут добавлены позже.");
        for (const record::ImportReport &report :
             reports.value_or(std::vector<record::ImportReport>{}))
            lines << reportLine(report);
    }
    refresh();
    m_services.dialogs->messageBox(this, m_services.title(), lines.join(u'\n'));
}

void StatsPage::clearHistory()
{
    const ConfirmRequest request{QStringLiteral("Очистить историю? Все записанные ответы и "
                                                "экзамены будут удалены безвозвратно."),
                                 QStringLiteral("Да"), QStringLiteral("Нет")};
    if (!m_services.dialogs->confirm(this, m_services.title(), request))
        return;
    std::future<Status> cleared = m_recorder.clearHistory();
    const std::optional<Status> done = await(cleared);
    refresh();
    if (!done)
        m_services.dialogs->errorBox(
            this, m_services.title(),
            QStringLiteral("Файл истории занят; история будет очищена позже."));
    else if (!*done)
        m_services.dialogs->showFailure(this, m_services.title(), done->error());
}

} // namespace quz::stats
