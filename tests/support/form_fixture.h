#pragma once
// The program directory and window set shared by the window tests.

#include "fakes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class QToolButton;
class QWidget;

namespace quz::journal {
class TListBox;
}

namespace quz::test {

// Writes the data files of a small program directory: `questions` as
// "vopros.txt" (none when empty), a koment.txt with the comments 1 and 2 of
// ticket 01, and the sample picture, so that no install message shows.
void writeProgramData(ProgramDir &dir, const QByteArray &questions = smallQuestionFile());

// A program directory with its three windows built and the main window shown.
struct FormFixture {
    struct Options {
        QByteArray questions = smallQuestionFile();
        // Lines of the [prg] section added to the settings file; the file
        // always marks the start as not the first unless `firstStart`.
        QString settings;
        bool firstStart = false;
        QString commandLineFile;
    };

    FormFixture();
    explicit FormFixture(Options options);

    TForm1 *f1() const;
    TForm2 *f2() const;
    TForm3 *f3() const;
    // The answer button of a digit 1..5.
    QToolButton *button(int digit) const;
    static void click(QWidget *w);
    // Clicks "Старт"; the run must be going afterwards.
    void start() const;

    ProgramDir dir;
    std::unique_ptr<Forms> forms;
};

// Selects `rows` of the journal list as a user's clicks would, with the
// focus on `focus`; and the selected rows, in ascending order.
void selectRows(journal::TListBox *list, const QList<int> &rows, int focus);
QList<int> selectedRows(const journal::TListBox *list);

} // namespace quz::test
