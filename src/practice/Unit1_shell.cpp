// The window's own frame behaviour: the title animation.

#include "practice/Unit1.h"

#include "platform/control_state.h"

#include <QTimer>

void TForm1::Timer1Timer()
{
    int position = quz::platform::tag(this);
    const QString caption = quz::practice::titleAnimationStep(windowTitle(), position);
    quz::platform::setTag(this, position);
    setWindowTitle(caption);
    if (m_services.appTitle)
        *m_services.appTitle = caption;
}
