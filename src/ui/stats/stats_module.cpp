#include "ui/stats/stats_module.h"

#include "ui/stats/stats_page.h"

extern "C" Q_DECL_EXPORT QWidget *quzStatsPage(const quz::Services &services,
                                               quz::record::Recorder &recorder, QWidget *parent)
{
    return new quz::stats::StatsPage(services, recorder, parent);
}
