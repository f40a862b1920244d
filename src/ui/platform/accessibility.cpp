#include "ui/platform/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

namespace quz::platform {

namespace {

// The role that screen readers see a widget in, when it is not the
// toolkit's choice.
const char *const kRoleProperty = "quzAccessibleRole";
// Names the child object that holds a pressable control's press.
const QString kPressName = QStringLiteral("quzPress");

class KeyHandler : public QObject {
public:
    KeyHandler(QWidget *control, std::function<bool(QKeyEvent *)> handler)
        : QObject(control)
        , m_handler(std::move(handler))
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && m_handler(static_cast<QKeyEvent *>(event));
    }

private:
    std::function<bool(QKeyEvent *)> m_handler;
};

// The press of a pressable control; it also shows the control's keyboard
// focus by the colours of a selection, and takes them back when the focus
// leaves.
class Press : public QObject {
public:
    Press(QWidget *control, std::function<void()> press)
        : QObject(control)
        , m_control(control)
        , m_press(std::move(press))
    {
        setObjectName(kPressName);
    }

    void press() { m_press(); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        // The control itself does not see its focus come and go: a label
        // that has once seen it draws its text one pixel higher ever after.
        case QEvent::FocusIn:
            // A focus given by the mouse or by the window's activation alone
            // stays unseen, as the toolkit's own focus frames do.
            if (m_control->window()->testAttribute(Qt::WA_KeyboardFocusChange))
                showFocus(true);
            return true;
        case QEvent::FocusOut: showFocus(false); return true;
        case QEvent::KeyPress:
            if (isPressKey(static_cast<QKeyEvent *>(event))) {
                m_press();
                return true;
            }
            break;
        default: break;
        }
        return false;
    }

private:
    void showFocus(bool shown)
    {
        if (shown == m_focusShown)
            return;
        m_focusShown = shown;
        if (!shown) {
            m_control->setPalette(m_palette);
            return;
        }
        m_palette = m_control->palette();
        QPalette selected = m_palette;
        selected.setColor(QPalette::Window, m_palette.color(QPalette::Active, QPalette::Highlight));
        selected.setColor(QPalette::WindowText,
                          m_palette.color(QPalette::Active, QPalette::HighlightedText));
        m_control->setPalette(selected);
    }

    QWidget *m_control;
    std::function<void()> m_press;
    QPalette m_palette;
    bool m_focusShown = false;
};

Press *pressOf(const QWidget *control)
{
    return dynamic_cast<Press *>(
        control->findChild<QObject *>(kPressName, Qt::FindDirectChildrenOnly));
}

// A pressable control as screen readers see it: a button whose first action
// presses it.
class PressableInterface : public QAccessibleWidget {
public:
    explicit PressableInterface(QWidget *control)
        : QAccessibleWidget(control, QAccessible::Button)
    {}

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (Press *press = pressOf(widget()))
            press->press();
    }

    // It takes the focus from its window, not by its own policy.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        return state;
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == pressAction())
            return {QStringLiteral("Space"), QStringLiteral("Return")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (pressOf(widget))
        return new PressableInterface(widget);
    if (const QVariant role = widget->property(kRoleProperty); role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

// Makes screen readers get `control`'s interface from interfaceFor(): one
// made before (by a caption set while the window was built) is dropped.
void renewInterface(QWidget *control, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(control);
    if (current && current->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace

bool isPressKey(const QKeyEvent *event)
{
    const int key = event->key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
           && !event->isAutoRepeat();
}

void onKeyPress(QWidget *control, std::function<bool(QKeyEvent *)> handler)
{
    control->installEventFilter(new KeyHandler(control, std::move(handler)));
}

void pressOnEnter(QAbstractButton *button)
{
    // Space is the button's own key.
    onKeyPress(button, [button](QKeyEvent *event) {
        if (event->key() == Qt::Key_Space || !isPressKey(event))
            return false;
        button->click();
        return true;
    });
}

void reachByTab(QAbstractButton *button)
{
    button->setFocusPolicy(Qt::TabFocus);
    pressOnEnter(button);
}

void makePressable(QWidget *control, std::function<void()> press)
{
    control->installEventFilter(new Press(control, std::move(press)));
    renewInterface(control, QAccessible::Button);
}

void exposeAsWindow(QWidget *window)
{
    window->setProperty(kRoleProperty, static_cast<int>(QAccessible::Window));
    renewInterface(window, QAccessible::Window);
}

void exposeAsPanel(QWidget *panel)
{
    panel->setProperty(kRoleProperty, static_cast<int>(QAccessible::Grouping));
    renewInterface(panel, QAccessible::Grouping);
}

void announce(QWidget *control, const QString &text)
{
    if (control->accessibleDescription() != text) {
        control->setAccessibleDescription(text);
        return;
    }
    QAccessibleEvent event(control, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace quz::platform
