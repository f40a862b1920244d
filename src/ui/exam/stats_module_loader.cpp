#include "ui/exam/stats_module_loader.h"

#include "ui/stats/stats_module.h"

#include <QDir>
#include <QLabel>
#include <QLibrary>

#include <memory>

namespace quz::examui {

namespace {

// The page in place of the statistics when the module is missing.
QWidget *missingPage(const QString &reason, QWidget *parent)
{
    auto *label = new QLabel(
        QStringLiteral("Статистика недоступна: %1. Экзамены и ответы записываются как обычно.")
            .arg(reason),
        parent);
    label->setObjectName(QStringLiteral("statsMissing"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QString statsModuleFileName() { return QStringLiteral("quz-stats.so"); }

StatsPageMaker statsModuleMaker(const QString &modulePath)
{
    // The library stays loaded for the rest of the run: the page's code is in
    // it. QLibrary unloads nothing when destroyed.
    auto library = std::make_shared<QLibrary>(modulePath);
    return [library](const Services &services, record::Recorder &recorder,
                     QWidget *parent) -> QWidget * {
        const QString name = QDir::toNativeSeparators(library->fileName());
        if (!library->load())
            return missingPage(
                QStringLiteral("модуль %1 не загружается (%2)").arg(name, library->errorString()),
                parent);
        auto *entry = reinterpret_cast<QuzStatsPageEntry *>(library->resolve(QUZ_STATS_PAGE_ENTRY));
        if (!entry)
            return missingPage(QStringLiteral("в модуле %1 нет страницы статистики").arg(name),
                               parent);
        return entry(services, recorder, parent);
    };
}

} // namespace quz::examui
