#include "ui/BusyNotice.h"

#include "ui/DialogHost.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

BusyNotice::BusyNotice(QWidget *owner, const QString &text)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("等待提示"));
    setAccessibleName(text);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(std::max(240, fontMetrics().horizontalAdvance(text) + 40), 56);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("标签1"));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    layout->addWidget(label);
    if (!owner || !owner->isVisible())
        return;
    centreOver(this, owner);
    show();
    raise();
    repaintWindows();
}

void BusyNotice::repaintWindows()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ui
