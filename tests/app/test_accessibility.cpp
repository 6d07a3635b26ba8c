// What a screen reader and a keyboard user find: every window and control
// with its Chinese name and its role, picture buttons that can be pressed
// through the accessibility interface, and dialogs that work without a
// mouse (Tab follows the layout, Enter runs 确定, Escape closes).
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "engine/EngineView.h"
#include "commands/CommandId.h"
#include "ui/Prompter.h"
#include "ui/QtTranslations.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

using app::InitialisingWindow;
using commands::CommandId;

namespace {

// The roles of controls a user acts on; each must have a name.
bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonMenu:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::MenuBar:
    case QAccessible::PopupMenu:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

// The name a screen reader says for a control. Qt on Linux names a
// drop-down list by its current item and says its label through the
// labelled-by relation; a list without a label is described by its tooltip.
QString spokenName(QAccessibleInterface *node)
{
    for (const auto &[label, relation] : node->relations(QAccessible::Label)) {
        Q_UNUSED(relation);
        if (!label->text(QAccessible::Name).isEmpty())
            return label->text(QAccessible::Name);
    }
    if (node->role() == QAccessible::ComboBox)
        return node->text(QAccessible::Description);
    return node->text(QAccessible::Name);
}

QString describe(QAccessibleInterface *node)
{
    QObject *object = node->object();
    return QStringLiteral("%1 role %2 (%3)")
        .arg(object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("-"))
        .arg(int(node->role()))
        .arg(object ? object->objectName() : QString());
}

// Every interactive control under node without a spoken name. A drop-down
// list's own pop-up list is part of it, and the page inside an engine view
// is the user's document, not the program's controls.
void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    if (isInteractive(node->role()) && node->role() != QAccessible::Separator && spokenName(node).isEmpty())
        unnamed << describe(node);
    if (node->role() == QAccessible::ComboBox || node->role() == QAccessible::WebDocument)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            collectUnnamed(child, unnamed);
}

QStringList unnamedControls(QObject *root)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(root), unnamed);
    return unnamed;
}

// Whether a comes before b when the window is read row by row from the top
// and left to right within a row, the contents of a box taken together.
bool readsBefore(QWidget *a, QWidget *b)
{
    QWidgetList pathA, pathB;
    for (QWidget *w = a; w; w = w->parentWidget())
        pathA.prepend(w);
    for (QWidget *w = b; w; w = w->parentWidget())
        pathB.prepend(w);
    int i = 0;
    while (i < pathA.size() && i < pathB.size() && pathA[i] == pathB[i])
        ++i;
    if (i == pathA.size())
        return true;
    if (i == pathB.size())
        return false;
    const QRect ra = pathA[i]->geometry();
    const QRect rb = pathB[i]->geometry();
    const int overlap = std::min(ra.bottom(), rb.bottom()) - std::max(ra.top(), rb.top());
    if (overlap > std::min(ra.height(), rb.height()) / 2)
        return ra.center().x() < rb.center().x();
    return ra.center().y() < rb.center().y();
}

// The controls Tab can reach in the window as it is shown. Of a group of
// radio buttons Tab reaches the chosen one; the arrow keys move the choice.
QWidgetList tabStops(QWidget *window)
{
    QWidgetList stops;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        auto *radio = qobject_cast<QRadioButton *>(w);
        if (w->window() == window && w->isVisible() && w->isEnabled() && !w->focusProxy()
            && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && (!radio || radio->isChecked()))
            stops << w;
    }
    return stops;
}

QString stopName(QWidget *w)
{
    const QString name = w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName();
    return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
}

QAbstractButton *visibleButton(QWidget *window, const QString &caption)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->isVisible() && b->text() == caption)
            return b;
    return nullptr;
}

// The first control in reading order that takes typed values on one line:
// Enter there belongs to the dialog, not to the control.
QWidget *firstField(const QWidgetList &stops)
{
    QWidget *first = nullptr;
    for (QWidget *w : stops) {
        const bool field = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
            || w->inherits("ui::ColourPicker") || w->inherits("insert::WordArtStyleBox");
        if (field && (!first || readsBefore(w, first)))
            first = w;
    }
    return first;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    QString tmp;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter; // the tutorial's question is answered "取消"

    QDialog *openThrough(CommandId command, const QString &caption)
    {
        window->router().run(command);
        QDialog *found = nullptr;
        const bool opened = QTest::qWaitFor([&] {
            for (QDialog *d : window->findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
                if (d->isVisible() && d->windowTitle() == caption)
                    found = d;
            return found != nullptr;
        });
        if (opened) {
            found->activateWindow();
            if (!QTest::qWaitForWindowActive(found))
                qWarning("%s is not the active window", qPrintable(caption));
        }
        return found;
    }

    // Tab from control to control round the window: every control is
    // reached once, and the round is in reading order (it steps back only
    // where it wraps from the last control to the first).
    void checkTabRound(QWidget *dialog, const QString &page)
    {
        const QWidgetList stops = tabStops(dialog);
        QVERIFY2(!stops.isEmpty(), qPrintable(page));
        stops.first()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(stops.contains(QApplication::focusWidget()));
        QWidgetList round;
        QStringList names;
        for (int i = 0; i < stops.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            round << focus;
            names << (focus ? stopName(focus) : QStringLiteral("(none)"));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        const QString seen = page + QStringLiteral(": ") + names.join(QStringLiteral(" → "));
        QCOMPARE(QSet<QWidget *>(round.begin(), round.end()), QSet<QWidget *>(stops.begin(), stops.end()));
        QVERIFY2(QApplication::focusWidget() == round.first(), qPrintable(seen)); // back where it started
        int stepsBack = 0;
        for (int i = 0; i < round.size(); ++i)
            stepsBack += readsBefore(round[(i + 1) % round.size()], round[i]) ? 1 : 0;
        QVERIFY2(stepsBack == (round.size() > 1 ? 1 : 0), qPrintable(seen));
    }

private slots:
    void initTestCase()
    {
        ui::installQtTranslations(qApp);
        tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", tmp.toLocal8Bit());
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
    }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }

    void greetingWindowIsADialogWithThreeButtons()
    {
        InitialisingWindow *greeting = window->initialisingWindow();
        QVERIFY(greeting);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(greeting);
        QVERIFY(root);
        QCOMPARE(root->role(), QAccessible::Dialog);
        QCOMPARE(root->text(QAccessible::Name), QStringLiteral("初始化窗口"));
        QCOMPARE(unnamedControls(greeting), QStringList());

        QStringList buttons;
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface *child = root->child(i);
            if (child->role() != QAccessible::Button)
                continue;
            buttons << child->text(QAccessible::Name);
            QAccessibleActionInterface *actions = child->actionInterface();
            QVERIFY(actions);
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
        QCOMPARE(buttons, QStringList({"新建", "打开", "向导"}));
    }

    void pressingAPictureButtonRunsIt()
    {
        InitialisingWindow *greeting = window->initialisingWindow();
        QVERIFY(greeting);
        QSignalSpy chosen(greeting, &InitialisingWindow::actionRequested);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(greeting);
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface *child = root->child(i);
            if (child->text(QAccessible::Name) == QStringLiteral("向导"))
                child->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<InitialisingWindow::Action>(), InitialisingWindow::Action::Tutorial);
    }

    void everyWindowOfTheProgramHasAName()
    {
        // The engine's off-screen window is listed among the program's
        // windows too.
        QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
        QStringList windows;
        for (int i = 0; i < application->childCount(); ++i)
            windows << application->child(i)->text(QAccessible::Name);
        QVERIFY2(!windows.contains(QString()), qPrintable(windows.join(QLatin1Char(','))));
        QVERIFY2(!windows.contains(QStringLiteral("Offscreen")), qPrintable(windows.join(QLatin1Char(','))));
        QVERIFY2(windows.contains(QStringLiteral("设计视图")), qPrintable(windows.join(QLatin1Char(','))));
    }

    void mainWindowControlsAreNamedInTheirRoles()
    {
        QCOMPARE(unnamedControls(window.get()), QStringList());
        const struct {
            const char *objectName;
            QAccessible::Role role;
            const char *name;
        } expected[] = {
            {"图片框_工具栏", QAccessible::ToolBar, "工具栏"},
            {"状态条1", QAccessible::StatusBar, "状态条"},
            {"状态条1_面板1", QAccessible::StaticText, "元素"},
            {"颜色选择器_字体颜色", QAccessible::ButtonDropDown, "文字颜色"},
            {"按钮_加粗", QAccessible::Button, "加粗"},
        };
        for (const auto &e : expected) {
            auto *w = window->findChild<QWidget *>(QString::fromUtf8(e.objectName));
            QVERIFY2(w, e.objectName);
            QAccessibleInterface *node = QAccessible::queryAccessibleInterface(w);
            QCOMPARE(node->role(), e.role);
            QCOMPARE(node->text(QAccessible::Name), QString::fromUtf8(e.name));
        }
        // The views: what takes the keyboard focus carries the view's name.
        for (QWidget *view : {static_cast<QWidget *>(window->designView()), static_cast<QWidget *>(window->codeView())}) {
            QWidget *focus = view;
            while (focus->focusProxy())
                focus = focus->focusProxy();
            QCOMPARE(focus->accessibleName(), view->accessibleName());
        }
        QAccessibleInterface *code = QAccessible::queryAccessibleInterface(window->codeView()->focusProxy());
        QCOMPARE(code->role(), QAccessible::EditableText);
        QCOMPARE(code->text(QAccessible::Name), QStringLiteral("代码视图"));
    }

    void colourControlSaysItsColourAndOpensThroughPress()
    {
        auto *picker = window->findChild<QWidget *>(QStringLiteral("颜色选择器_字体颜色"));
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(picker);
        QCOMPARE(node->text(QAccessible::Description), QStringLiteral("黑色 #000000"));
        QVERIFY(node->state().hasPopup);
        bool opened = false;
        testsupport::PopupWatch watch([&](QWidget *popup) { opened = popup->accessibleName() == QStringLiteral("颜色列表"); });
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(watch.handled());
        QVERIFY(opened);
    }

    void toolbarPictureButtonOpensItsDialogThroughPress()
    {
        auto *button = window->findChild<QWidget *>(QStringLiteral("按钮_表格"));
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(button);
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QPointer<QDialog> dialog;
        QTRY_VERIFY((dialog = window->findChild<QDialog *>(QStringLiteral("插入表格"))) && dialog->isVisible());
        dialog->close();
        QTRY_VERIFY(!dialog);
    }

    void dialogsSpeakAndWorkFromTheKeyboard_data()
    {
        QTest::addColumn<CommandId>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("confirms"); // has a "确定" that Enter runs
        QTest::newRow("按钮") << CommandId::InsertButton << "插入按钮" << true;
        QTest::newRow("分组框") << CommandId::InsertGroupBox << "插入分组框" << true;
        QTest::newRow("表格") << CommandId::InsertTable << "插入表格" << true;
        QTest::newRow("图片") << CommandId::InsertImage << "插入图片" << true;
        QTest::newRow("超级链接") << CommandId::InsertHyperlink << "超级链接" << true;
        QTest::newRow("多媒体视频") << CommandId::InsertFlash << "多媒体视频" << true;
        QTest::newRow("Java脚本") << CommandId::InsertJavaScript << "JavaScript" << true;
        QTest::newRow("网页框架") << CommandId::InsertFrame << "插入网页框架" << true;
        QTest::newRow("滚动字幕") << CommandId::InsertMarquee << "插入滚动字幕" << true;
        QTest::newRow("艺术字") << CommandId::InsertWordArt << "插入艺术字" << true;
        QTest::newRow("发光字") << CommandId::InsertGlowText << "插入发光字" << true;
        QTest::newRow("页面属性") << CommandId::PageProperties << "页面属性" << true;
        QTest::newRow("取色窗口") << CommandId::ColourPickerTool << "取色窗口" << false;
    }
    void dialogsSpeakAndWorkFromTheKeyboard()
    {
        QFETCH(CommandId, command);
        QFETCH(QString, caption);
        QFETCH(bool, confirms);

        QPointer<QDialog> dialog = openThrough(command, caption);
        QVERIFY(dialog);
        // Typing goes into a field of the first page from the start.
        if (confirms) {
            const auto typingGoesIntoAField = [&] {
                QWidget *focus = QApplication::focusWidget();
                return focus && dialog->isAncestorOf(focus) && !qobject_cast<QTabBar *>(focus)
                    && !qobject_cast<QAbstractButton *>(focus);
            };
            QTRY_VERIFY2(typingGoesIntoAField(), qPrintable(QApplication::focusWidget()
                                                                ? QApplication::focusWidget()->objectName()
                                                                : QStringLiteral("no focus")));
        }
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(dialog);
        QCOMPARE(root->role(), QAccessible::Dialog);
        QCOMPARE(root->text(QAccessible::Name), caption);

        // Every page of the dialog: named controls, Tab in reading order.
        const QList<QTabWidget *> tabs = dialog->findChildren<QTabWidget *>();
        QTabWidget *pages = tabs.isEmpty() ? nullptr : tabs.first();
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages)
                pages->setCurrentIndex(page);
            const QString where = pages ? pages->tabText(page).trimmed() : caption;
            QVERIFY2(unnamedControls(dialog).isEmpty(),
                     qPrintable(where + QStringLiteral(": ") + unnamedControls(dialog).join(QStringLiteral(", "))));
            checkTabRound(dialog, where);
            if (QTest::currentTestFailed())
                return;
        }
        // Enter in the first field runs the page's "确定" (on the first page
        // that has a one-line field: Enter in a script makes a new line).
        const auto showFirstPageWithAField = [&] {
            QTabWidget *pages = dialog->findChild<QTabWidget *>();
            for (int page = 0; pages && page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                if (firstField(tabStops(dialog)))
                    break;
            }
            return firstField(tabStops(dialog));
        };
        if (confirms) {
            QWidget *field = showFirstPageWithAField();
            QVERIFY(field);
            QAbstractButton *confirm = visibleButton(dialog, QStringLiteral("确定"));
            QVERIFY(confirm);
            QSignalSpy confirmed(confirm, &QAbstractButton::clicked);
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClick(field, Qt::Key_Return);
            QTRY_COMPARE(confirmed.size(), 1);
            if (dialog)
                dialog->close();
            QTRY_VERIFY(!dialog);
            dialog = openThrough(command, caption);
            QVERIFY(dialog);
        }

        // Escape closes without confirming.
        QWidget *field = showFirstPageWithAField();
        QVERIFY(field);
        QAbstractButton *confirm = visibleButton(dialog, QStringLiteral("确定"));
        QSignalSpy confirmed(confirm ? static_cast<QObject *>(confirm) : dialog.data(),
                             confirm ? SIGNAL(clicked(bool)) : SIGNAL(accepted()));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_Escape);
        QTRY_VERIFY(!dialog);
        QCOMPARE(confirmed.size(), 0);
    }

    void wordArtStylesAreChosenWithArrowKeys()
    {
        QPointer<QDialog> dialog = openThrough(CommandId::InsertWordArt, QStringLiteral("插入艺术字"));
        QVERIFY(dialog);
        auto *first = dialog->findChild<QWidget *>(QStringLiteral("图片框1"));
        first->setFocus(Qt::TabFocusReason);
        QTest::keyClick(first, Qt::Key_Right); // style 2
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // style 8
        QWidget *focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), QStringLiteral("图片框8"));
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(focus);
        QCOMPARE(node->role(), QAccessible::RadioButton);
        QVERIFY(node->state().checked);
        QVERIFY(!QAccessible::queryAccessibleInterface(first)->state().checked);
        // The press action chooses a style as a click does.
        auto *last = dialog->findChild<QWidget *>(QStringLiteral("图片框30"));
        QAccessible::queryAccessibleInterface(last)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(QAccessible::queryAccessibleInterface(last)->state().checked);
        dialog->close();
        QTRY_VERIFY(!dialog);
    }

    void informationBoxSpeaksAndAnswersKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void informationBoxSpeaksAndAnswersKeys()
    {
        QFETCH(int, key);
        ui::setPrompter(nullptr); // the real message box
        QString name;
        QStringList buttons, unnamed;
        bool closedByKey = false;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            QWidget *box = QApplication::activeModalWidget();
            name = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
            unnamed = unnamedControls(box);
            for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
                buttons << QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name);
            QTest::keyClick(box, Qt::Key(key));
            closedByKey = !box->isVisible();
            if (!closedByKey)
                box->close();
        });
        ui::showInformation(window.get(), QStringLiteral("请输入链接地址！"));
        ui::setPrompter(prompter.get());
        QCOMPARE(name, QStringLiteral("信息："));
        QCOMPARE(unnamed, QStringList());
        QCOMPARE(buttons, QStringList({"确定"}));
        QVERIFY(closedByKey);
    }
};

ZELVO_TEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
