#pragma once
// The statistics page as a module of its own ("quz-stats.so" beside
// quz-exam), so that Qt Charts is loaded only when the page is first opened,
// never at the program's start. The module has one entry point, looked up by
// its name; ui/exam/stats_module_loader.h loads it.
//
// The module carries its own copy of the libraries below the page (record,
// core, platform), and with it its own copy of whatever they keep in static
// variables; nothing of theirs may count on being alone in the process (the
// record's connection names are unique per copy). The page shares the
// program's Recorder: its signals and meta-object must be the program's own,
// not the module's copy, so a program that loads the module exports the
// Recorder's symbols (quz_stats_module_host() in CMake).

#include "core/record/recorder.h"
#include "ui/platform/services.h"

class QWidget;

// The entry point's name, and its type: a new statistics page over
// `recorder`; both arguments outlive the page.
#define QUZ_STATS_PAGE_ENTRY "quzStatsPage"
using QuzStatsPageEntry = QWidget *(const quz::Services &services, quz::record::Recorder &recorder,
                                    QWidget *parent);
