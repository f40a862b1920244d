#include "ui/platform/screen_update.h"

#include <QCoreApplication>

namespace quz::platform {

void letScreenUpdate() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

} // namespace quz::platform
