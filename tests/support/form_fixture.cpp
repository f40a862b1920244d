#include "form_fixture.h"

#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/practice/Unit1.h"

#include <QItemSelectionModel>
#include <QTest>

#include <QToolButton>
#include <algorithm>

namespace quz::test {

void writeProgramData(ProgramDir &dir, const QByteArray &questions)
{
    if (!questions.isEmpty())
        dir.write(QStringLiteral("vopros.txt"), questions);
    dir.writeCp1251(QStringLiteral("koment.txt"),
                    QStringLiteral("Комментарии\r\nбилет01\r\n1. Один\r\n2. Два\r\n"));
    dir.write(QStringLiteral("bmp/Quz_1_10.jpg"), QByteArray("\xff\xd8\xff\xd9", 4));
}

FormFixture::FormFixture()
    : FormFixture(Options{})
{}

FormFixture::FormFixture(Options options)
{
    writeProgramData(dir, options.questions);
    if (!options.firstStart)
        dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n") + options.settings);
    else if (!options.settings.isEmpty())
        dir.writeSettings(QStringLiteral("[prg]\r\n") + options.settings);
    forms = std::make_unique<Forms>(dir, options.commandLineFile);
    f1()->show();
}

TForm1 *FormFixture::f1() const { return forms->form1.get(); }
TForm2 *FormFixture::f2() const { return forms->form2.get(); }
TForm3 *FormFixture::f3() const { return forms->form3.get(); }

QToolButton *FormFixture::button(int digit) const
{
    return f1()->questionView->sb[static_cast<size_t>(digit - 1)];
}

void FormFixture::click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

void FormFixture::start() const
{
    click(f1()->Start);
    QVERIFY(f1()->isRunning());
}

void selectRows(journal::TListBox *list, const QList<int> &rows, int focus)
{
    list->selectionModel()->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(list->model()->index(focus, 0),
                                            QItemSelectionModel::NoUpdate);
}

QList<int> selectedRows(const journal::TListBox *list)
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace quz::test
