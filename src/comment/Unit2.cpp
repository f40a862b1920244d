#include "comment/Unit2.h"

#include "platform/anchors.h"
#include "platform/look.h"
#include "platform/settings_batch.h"
#include "practice/Unit1.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QTextEdit>
#include <QVBoxLayout>

TForm2::TForm2(quz::Services &services, quz::WindowSet &windows, QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
    , m_windows(windows)
{
    m_windows.Form2 = this;
    setWindowTitle(QStringLiteral("Комментарий"));
    setFont(quz::look::windowFont());
    Koment = new QTextEdit(this);
    Koment->setReadOnly(true);
    Koment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Koment->setLineWrapMode(QTextEdit::WidgetWidth);
    Koment->viewport()->setCursor(Qt::SizeAllCursor);
    Koment->setProperty("hint", QStringLiteral("Двойной клик [любая клавиша] - Закрыть"));
    quz::look::setBackground(Koment, quz::look::light3D());
    quz::look::setBackground(Koment->viewport(), quz::look::light3D());
    Koment->installEventFilter(this);
    Koment->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Koment);
    FormCreate();
}

TForm2::~TForm2()
{
    if (m_windows.Form2 == this)
        m_windows.Form2 = nullptr;
}

void TForm2::FormCreate()
{
    const quz::platform::SettingsBatch ini(m_services.settingsPath());
    const int left = ini.integer("SCR", "left2", 0);
    const int top = ini.integer("SCR", "top2", 473);
    const int height = ini.integer("SCR", "height2", 97);
    const int width = ini.integer("SCR", "width2", 800);
    quz::platform::setOuterGeometry(this, left, top, width, height);
}

void TForm2::FormHide()
{
    quz::platform::SettingsBatch ini(m_services.settingsPath());
    const QRect outer = quz::platform::outerGeometry(this);
    ini.setInteger("SCR", "left2", outer.left());
    ini.setInteger("SCR", "top2", outer.top());
    ini.setInteger("SCR", "height2", outer.height());
    ini.setInteger("SCR", "width2", outer.width());
    if (!ini.flush()) {
        m_services.dialogs->showFailure(this, m_services.title(), ini.error());
        return;
    }
    if (m_windows.Form1)
        m_windows.Form1->activateWindow();
}

void TForm2::showWindow()
{
    show();
    raise();
    activateWindow();
    Koment->setFocus();
}

void TForm2::showTip()
{
    showWindow();
    Koment->setPlainText(QStringLiteral("Окно закрывается двойным нажатием левой мышки."));
}

void TForm2::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm2::keyPressEvent(QKeyEvent *) { hide(); }

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == Koment) {
        hide();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == Koment->viewport()) {
        hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
