// The floor of the start-up benchmark: the least a Qt Widgets program costs
// to show a window of the main window's size with a label, a check box and a
// button. Built with the same compiler flags as quz and linked to Qt Widgets
// only.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(610, 472);
    auto *label = new QLabel(QStringLiteral("Билет 01, вопрос 01"), &window);
    label->setGeometry(8, 8, 300, 20);
    auto *check = new QCheckBox(QStringLiteral("Случайно"), &window);
    check->setGeometry(8, 36, 120, 20);
    auto *button = new QPushButton(QStringLiteral("Старт"), &window);
    button->setGeometry(8, 64, 80, 27);
    window.show();
    return app.exec();
}
