#include "import/ImportNotice.h"

#include "ui/DialogHost.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace import {

ImportNotice::ImportNotice(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("导入提示"));
    setAccessibleName(ImportNoticeText);
    setFixedSize(240, 56);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(ImportNoticeText, this);
    label->setObjectName(QStringLiteral("标签1"));
    label->setAccessibleName(ImportNoticeText);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    layout->addWidget(label);
}

void ImportNotice::showNotice()
{
    ui::centreOver(this, parentWidget());
    show();
    raise();
    // Paint now, before the work starts; input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace import
