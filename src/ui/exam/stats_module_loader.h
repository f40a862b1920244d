#pragma once
// Where quz-exam's statistics page comes from: a maker of the page that the
// window calls when the page is first shown. The program's maker loads the
// module beside it (quz-stats.so, see ui/stats/stats_module.h) at that
// moment; the tests make the page in the process.
//
// Not responsible for the page itself.

#include "ui/platform/services.h"

#include <QString>

#include <functional>

class QWidget;

namespace quz::record {
class Recorder;
}

namespace quz::examui {

// Makes the statistics page over `recorder` as a child of `parent`; both
// `services` and `recorder` outlive the page.
using StatsPageMaker =
    std::function<QWidget *(const Services &services, record::Recorder &recorder, QWidget *parent)>;

// The module's file name, as it lies beside the program.
QString statsModuleFileName();

// A maker that loads the module at `modulePath` when first called and keeps
// it loaded. When it cannot be loaded, the maker gives a page that says so,
// and the exam goes on as before.
StatsPageMaker statsModuleMaker(const QString &modulePath);

} // namespace quz::examui
