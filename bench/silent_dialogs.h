#pragma once
// Dialogs for the benchmarks: nothing is shown, every box's text is kept,
// every chooser is cancelled and every question is answered no.

#include "ui/platform/services.h"

#include <QStringList>

namespace quz::bench {

class SilentDialogs : public Dialogs {
public:
    QStringList said;
    void messageBox(QWidget *, const QString &, const QString &text) override { said << text; }
    void errorBox(QWidget *, const QString &, const QString &text) override { said << text; }
    std::optional<QString> openFile(QWidget *, const OpenFileRequest &) override
    {
        return std::nullopt;
    }
    bool confirm(QWidget *, const QString &, const ConfirmRequest &) override { return false; }
};

} // namespace quz::bench
