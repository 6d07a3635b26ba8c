#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

QHash<const QObject *, AccessibleTraits> &describedControls()
{
    static QHash<const QObject *, AccessibleTraits> controls;
    return controls;
}

class DescribedControl : public QAccessibleWidget {
public:
    DescribedControl(QWidget *widget, const AccessibleTraits &traits)
        : QAccessibleWidget(widget, traits.role), m_traits(traits)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && m_traits.description) {
            const QString description = m_traits.description();
            if (!description.isEmpty())
                return description;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (m_traits.checked) {
            s.checkable = true;
            s.checked = m_traits.checked();
        }
        if (m_traits.role == QAccessible::ButtonDropDown)
            s.hasPopup = true;
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (m_traits.press && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && m_traits.press) {
            if (widget()->isEnabled())
                QTimer::singleShot(0, widget(), m_traits.press);
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    AccessibleTraits m_traits;
};

QAccessibleInterface *describedControlFactory(const QString &, QObject *object)
{
    // Looked up by address first: the engine asks about objects of its own
    // too, which are not to be touched here.
    const auto found = describedControls().constFind(object);
    if (found == describedControls().constEnd())
        return nullptr;
    return new DescribedControl(static_cast<QWidget *>(object), found.value());
}

} // namespace

void describeControl(QWidget *widget, AccessibleTraits traits)
{
    static const bool installed = (QAccessible::installFactory(&describedControlFactory), true);
    Q_UNUSED(installed);
    if (!describedControls().contains(widget))
        QObject::connect(widget, &QObject::destroyed, [widget] { describedControls().remove(widget); });
    describedControls().insert(widget, std::move(traits));
    // Naming a widget already made Qt's own interface for it; the next
    // question about the widget gets the described one.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<DescribedControl *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceDescriptionChange(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void announceStateChange(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace ui
