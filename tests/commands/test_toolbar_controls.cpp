// The toolbar's controls on their own: picture buttons following the mouse,
// the colour pickers, the font boxes, and the help commands.
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "ui/ColourPicker.h"
#include "commands/Formatting.h"
#include "commands/Help.h"
#include "commands/PictureButton.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFontDatabase>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrl>

using commands::PictureButton;
using State = PictureButton::State;

Q_DECLARE_METATYPE(State)

namespace {

// Catches the addresses the program hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Delivers the mouse events the window system gives a widget: while the left
// button is held the widget keeps the mouse and sees moves outside itself;
// otherwise it sees enter and leave.
class MouseDriver {
public:
    explicit MouseDriver(QWidget *w) : m_w(w) {}

    void step(const QString &what)
    {
        if (what == QLatin1String("enter")) {
            m_pos = QPointF(5, 5);
            QEnterEvent enter(m_pos, m_w->mapToGlobal(m_pos), m_w->mapToGlobal(m_pos));
            QCoreApplication::sendEvent(m_w, &enter);
            move();
        } else if (what == QLatin1String("over")) {
            const bool wasOutside = !m_w->rect().contains(m_pos.toPoint());
            m_pos = QPointF(6 + m_jiggle++ % 5, 6);
            if (wasOutside && !m_down) {
                QEnterEvent enter(m_pos, m_w->mapToGlobal(m_pos), m_w->mapToGlobal(m_pos));
                QCoreApplication::sendEvent(m_w, &enter);
            }
            move();
        } else if (what == QLatin1String("off")) {
            m_pos = QPointF(m_w->width() + 30, m_w->height() + 30);
            if (m_down) {
                move();
            } else {
                QEvent leave(QEvent::Leave);
                QCoreApplication::sendEvent(m_w, &leave);
            }
        } else if (what == QLatin1String("press")) {
            m_down = true;
            send(QEvent::MouseButtonPress, Qt::LeftButton);
        } else if (what == QLatin1String("release")) {
            m_down = false;
            send(QEvent::MouseButtonRelease, Qt::LeftButton);
            if (!m_w->rect().contains(m_pos.toPoint())) {
                QEvent leave(QEvent::Leave);
                QCoreApplication::sendEvent(m_w, &leave);
            }
        }
    }

private:
    void move() { send(QEvent::MouseMove, Qt::NoButton); }
    void send(QEvent::Type type, Qt::MouseButton button)
    {
        const Qt::MouseButtons held = m_down ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent e(type, m_pos, m_w->mapToGlobal(m_pos), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(m_w, &e);
    }

    QWidget *m_w;
    QPointF m_pos{-10, -10};
    bool m_down = false;
    int m_jiggle = 0;
};

QPixmap filled(const QColor &c)
{
    QPixmap p(20, 20);
    p.fill(c);
    return p;
}

} // namespace

class ToolbarControlsTest : public QObject {
    Q_OBJECT
private slots:
    void pictureButtonFollowsTheMouse_data();
    void pictureButtonFollowsTheMouse();
    void pictureButtonShowsThePictureOfItsState();
    void toolbarPicturesAreDrawn();
    void colourPickerDeliversRedInTheLowByte();
    void otherColourOpensTheColourDialog();
    void fontNameBoxListsEachFamilyOnce_data();
    void fontNameBoxListsEachFamilyOnce();
    void fontNameBoxListsTheInstalledFamilies();
    void fontSizeBoxMapsItemsToSizes();
    void tutorialMissingOffersTheWebSite_data();
    void tutorialMissingOffersTheWebSite();
    void tutorialProgramIsStarted();
};

// Steps: "enter", "over" (move inside), "off" (move outside), "press",
// "release".
void ToolbarControlsTest::pictureButtonFollowsTheMouse_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<State>>("states");
    QTest::addColumn<int>("clicks");

    QTest::newRow("hover") << QStringList{"enter", "over"} << QList<State>{State::Hot, State::Hot} << 0;
    QTest::newRow("hover then leave")
        << QStringList{"enter", "off"} << QList<State>{State::Hot, State::Normal} << 0;
    QTest::newRow("click") << QStringList{"enter", "press", "release"}
                           << QList<State>{State::Hot, State::Pressed, State::Normal} << 1;
    QTest::newRow("hot again after a click")
        << QStringList{"enter", "press", "release", "over"}
        << QList<State>{State::Hot, State::Pressed, State::Normal, State::Hot} << 1;
    QTest::newRow("press, move off, release elsewhere")
        << QStringList{"enter", "press", "off", "release"}
        << QList<State>{State::Hot, State::Pressed, State::Normal, State::Normal} << 0;
    QTest::newRow("press, move off and back, release")
        << QStringList{"enter", "press", "off", "over", "release"}
        << QList<State>{State::Hot, State::Pressed, State::Normal, State::Pressed, State::Normal} << 1;
    QTest::newRow("moving while pressed stays pressed")
        << QStringList{"enter", "press", "over", "over", "release"}
        << QList<State>{State::Hot, State::Pressed, State::Pressed, State::Pressed, State::Normal} << 1;
}

void ToolbarControlsTest::pictureButtonFollowsTheMouse()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<State>, states);
    QFETCH(int, clicks);

    PictureButton button;
    button.resize(20, 20);
    button.setPictures(filled(Qt::white), filled(Qt::yellow), filled(Qt::white));
    QSignalSpy clicked(&button, &PictureButton::clicked);
    MouseDriver mouse(&button);
    for (int i = 0; i < steps.size(); ++i) {
        mouse.step(steps[i]);
        QVERIFY2(button.state() == states[i],
                 qPrintable(QStringLiteral("after step %1 (%2): state %3")
                                .arg(i)
                                .arg(steps[i])
                                .arg(int(button.state()))));
    }
    QCOMPARE(clicked.count(), clicks);
}

void ToolbarControlsTest::pictureButtonShowsThePictureOfItsState()
{
    PictureButton button;
    button.resize(20, 20);
    button.setPictures(filled(Qt::white), filled(Qt::yellow), filled(Qt::red));
    QCOMPARE(button.currentPicture().toImage().pixelColor(5, 5), QColor(Qt::white));
    MouseDriver mouse(&button);
    mouse.step(QStringLiteral("enter"));
    QCOMPARE(button.currentPicture().toImage().pixelColor(5, 5), QColor(Qt::yellow));
    mouse.step(QStringLiteral("press"));
    QCOMPARE(button.currentPicture().toImage().pixelColor(5, 5), QColor(Qt::red));
    mouse.step(QStringLiteral("release"));
    QCOMPARE(button.currentPicture().toImage().pixelColor(5, 5), QColor(Qt::white));

    // The right button neither presses nor clicks the button.
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &PictureButton::clicked);
    QTest::mouseClick(&button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(button.state() != PictureButton::State::Pressed);
}

void ToolbarControlsTest::toolbarPicturesAreDrawn()
{
    // The toolbar's pictures come from the resources: the normal picture has
    // artwork, the hot one adds its frame, the pressed one is the normal one.
    PictureButton button;
    button.resize(23, 23);
    button.setSvgPictures(QStringLiteral(":/toolbar/bold.svg"));
    const QImage normal = button.currentPicture().toImage();
    int inked = 0;
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x)
            inked += qAlpha(normal.pixel(x, y)) > 0;
    QVERIFY2(inked > 10, "the bold picture is empty: is the resource compiled in?");

    MouseDriver mouse(&button);
    mouse.step(QStringLiteral("enter"));
    const QImage hot = button.currentPicture().toImage();
    QVERIFY(hot != normal);
    QVERIFY(qAlpha(hot.pixel(hot.width() / 2, 1)) > 0); // the frame
    mouse.step(QStringLiteral("press"));
    QCOMPARE(button.currentPicture().toImage(), normal);
}

void ToolbarControlsTest::colourPickerDeliversRedInTheLowByte()
{
    ui::ColourPicker picker;
    picker.resize(54, 20);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QSignalSpy picked(&picker, &ui::ColourPicker::colourPicked);

    QTest::mouseClick(&picker, Qt::LeftButton);
    QMenu *menu = picker.dropDown();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().last()->text(), QStringLiteral("其他颜色…"));

    const struct {
        const char *name;
        int value;
    } cases[] = {{"红色", 0x0000FF}, {"蓝色", 0xFF0000}, {"绿色", 0x008000}, {"橙色", 0x0066FF}};
    for (const auto &c : cases) {
        if (!menu->isVisible())
            picker.openDropDown();
        QTRY_VERIFY(menu->isVisible());
        auto *swatch = menu->findChild<QToolButton *>(QString::fromUtf8(c.name));
        QVERIFY2(swatch, c.name);
        QCOMPARE(swatch->accessibleName(), QString::fromUtf8(c.name));
        QTest::mouseClick(swatch, Qt::LeftButton);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(picked.last().at(0).toInt(), c.value);
        QCOMPARE(picker.colour(), c.value);
    }
    QCOMPARE(picked.count(), int(std::size(cases)));
    QCOMPARE(ui::standardColours().size(), 40);
}

void ToolbarControlsTest::otherColourOpensTheColourDialog()
{
    ScriptedPrompter prompter;
    ui::ColourPicker picker;
    QSignalSpy picked(&picker, &ui::ColourPicker::colourPicked);

    prompter.colours.enqueue(QColor(0x12, 0x34, 0x56));
    picker.dropDown()->actions().last()->trigger();
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.last().at(0).toInt(), 0x563412);

    // Cancelling the dialog changes nothing and raises nothing.
    picker.dropDown()->actions().last()->trigger();
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picker.colour(), 0x563412);
}

namespace {
QStringList itemsOf(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}
} // namespace

void ToolbarControlsTest::fontNameBoxListsEachFamilyOnce_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("current");
    QTest::newRow("宋体 installed") << QStringList{"Arial", "宋体", "黑体"} << QStringList{"Arial", "宋体", "黑体"} << 1;
    QTest::newRow("宋体 missing") << QStringList{"DejaVu Sans", "Serif"} << QStringList{"DejaVu Sans", "Serif"} << -1;
    QTest::newRow("similar names are not 宋体")
        << QStringList{"宋体-18030", "新宋体", "SimSun"} << QStringList{"宋体-18030", "新宋体", "SimSun"} << -1;
    QTest::newRow("foundries dropped, each family once")
        << QStringList{"Arial [Monotype]", "Arial [URW]", "宋体 [A]", "宋体 [B]", "Sans"}
        << QStringList{"Arial", "宋体", "Sans"} << 1;
    QTest::newRow("only a trailing foundry is one")
        << QStringList{"A [x] B", "C [y", "[z]"} << QStringList{"A [x] B", "C [y", "[z]"} << -1;
    QTest::newRow("nothing installed") << QStringList{} << QStringList{} << -1;
}

void ToolbarControlsTest::fontNameBoxListsEachFamilyOnce()
{
    QFETCH(QStringList, families);
    QFETCH(QStringList, items);
    QFETCH(int, current);
    QComboBox box;
    commands::FillFontNameBox(&box, families);
    QCOMPARE(itemsOf(box), items);
    QCOMPARE(box.currentIndex(), current);
}

void ToolbarControlsTest::fontNameBoxListsTheInstalledFamilies()
{
    QComboBox box;
    commands::FillFontNameBox(&box);
    const QStringList items = itemsOf(box);
    QVERIFY(!items.isEmpty());
    QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), items.size());

    // Every installed family is there under its own name, without the
    // foundry that tells apart families of the same name.
    const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    for (const QString &family : QFontDatabase::families()) {
        QString name = family;
        name.remove(foundry);
        QVERIFY2(items.contains(name), qPrintable(family));
    }
    for (const QString &item : items)
        QVERIFY2(!item.contains(foundry), qPrintable(item));
}

void ToolbarControlsTest::fontSizeBoxMapsItemsToSizes()
{
    QComboBox box;
    commands::FillFontSizeBox(&box);
    QCOMPARE(box.count(), 7);
    for (int i = 0; i < box.count(); ++i) {
        const QString item = box.itemText(i);
        QCOMPARE(item, QStringLiteral("%1号字").arg(i + 1));
        QCOMPARE(commands::fontSizeForIndex(i), i + 1);
    }
    // An index beyond the items, or none, falls to the largest size.
    QCOMPARE(commands::fontSizeForIndex(7), 7);
    QCOMPARE(commands::fontSizeForIndex(-1), 7);
}

void ToolbarControlsTest::tutorialMissingOffersTheWebSite_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("sitesOpened");
    QTest::newRow("ok") << int(QMessageBox::Ok) << 1;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << 0;
}

void ToolbarControlsTest::tutorialMissingOffersTheWebSite()
{
    QFETCH(int, answer);
    QFETCH(int, sitesOpened);
    ScriptedPrompter prompter;
    UrlCatcher urls;
    prompter.buttons.enqueue(QMessageBox::StandardButton(answer));

    commands::ShowTutorial(nullptr, testsupport::freshTempDir() + QStringLiteral("/none"));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral("未找到使用向导,您可以访问我们的专业网站下载完整版，含视频教程！"));
    QCOMPARE(prompter.messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(urls.opened.size(), sitesOpened);
    if (sitesOpened)
        QCOMPARE(urls.opened[0], QUrl(QString::fromLatin1(commands::kProductWebSite)));

    commands::VisitWebSite();
    QCOMPARE(urls.opened.size(), sitesOpened + 1);
}

void ToolbarControlsTest::tutorialProgramIsStarted()
{
    ScriptedPrompter prompter;
    const QString dir = testsupport::freshTempDir();
    const QString program = dir + QStringLiteral("/tutorial");
    const QString marker = dir + QStringLiteral("/started");
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);

    commands::ShowTutorial(nullptr, program);
    QTRY_VERIFY(QFile::exists(marker));
    QVERIFY(prompter.messages.isEmpty());
}

ZELVO_TEST_MAIN(ToolbarControlsTest)
#include "test_toolbar_controls.moc"
