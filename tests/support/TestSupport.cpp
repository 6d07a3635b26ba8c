#include "TestSupport.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace testsupport {

void (*processPreparation)() = nullptr;

void prepareProcess()
{
    if (processPreparation)
        processPreparation();
    // Each test program keeps its recovery copies to itself.
    static QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
}

QString freshTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

PopupWatch::PopupWatch(std::function<void(QWidget *)> act) : m_act(std::move(act))
{
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        m_poll.stop();
        m_handled = true;
        const QPointer<QWidget> guard(popup);
        m_act(popup);
        if (guard && guard->isVisible())
            guard->close();
    });
    m_poll.start();
}

} // namespace testsupport
