// The menu bar, the pop-up menus and the toolbar: their structure, and that
// every trigger reaches its command.
#include "TestSupport.h"

#include "ui/ColourPicker.h"
#include "commands/CommandRouter.h"
#include "commands/CommandTable.h"
#include "commands/Menus.h"
#include "commands/Toolbar.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>

using commands::CommandId;
using commands::CommandRouter;

namespace {

struct Expected {
    const char *path; // menu texts joined by '/', "—" for a separator
    CommandId id;
};

const Expected kMenuBar[] = {
    {"文件/新建", CommandId::NewPage},
    {"文件/打开", CommandId::OpenPage},
    {"文件/—", CommandId::None},
    {"文件/保存", CommandId::SavePage},
    {"文件/另存为", CommandId::SavePageAs},
    {"文件/—", CommandId::None},
    {"文件/退出", CommandId::Exit},
    {"排版/左对齐", CommandId::JustifyLeft},
    {"排版/居中", CommandId::JustifyCenter},
    {"排版/右对齐", CommandId::JustifyRight},
    {"排版/—", CommandId::None},
    {"排版/项目列表", CommandId::BulletedList},
    {"排版/数字列表", CommandId::NumberedList},
    {"编辑/撤销", CommandId::Undo},
    {"编辑/重做", CommandId::Redo},
    {"编辑/—", CommandId::None},
    {"编辑/复制", CommandId::Copy},
    {"编辑/剪切", CommandId::Cut},
    {"编辑/粘贴", CommandId::Paste},
    {"编辑/—", CommandId::None},
    {"编辑/全选", CommandId::SelectAll},
    {"插入/图片", CommandId::InsertImage},
    {"插入/—", CommandId::None},
    {"插入/表单/按钮", CommandId::InsertButton},
    {"插入/表单/超级链接", CommandId::InsertHyperlink},
    {"插入/表单/表格", CommandId::InsertTable},
    {"插入/表单/横线", CommandId::InsertHorizontalRule},
    {"插入/表单/文本框", CommandId::InsertTextBox},
    {"插入/表单/文本域", CommandId::InsertTextArea},
    {"插入/表单/单选框", CommandId::InsertRadioButton},
    {"插入/表单/复选框", CommandId::InsertCheckBox},
    {"插入/表单/分组框", CommandId::InsertGroupBox},
    {"插入/表单/标签", CommandId::InsertLabel},
    {"插入/—", CommandId::None},
    {"插入/多媒体/Flash视频", CommandId::InsertFlash},
    {"插入/多媒体/Wmv视频", CommandId::InsertWmv},
    {"插入/—", CommandId::None},
    {"插入/网页框架", CommandId::InsertFrame},
    {"插入/—", CommandId::None},
    {"插入/特效类/滚动字幕", CommandId::InsertMarquee},
    {"插入/特效类/艺术字", CommandId::InsertWordArt},
    {"插入/特效类/发光字", CommandId::InsertGlowText},
    {"插入/—", CommandId::None},
    {"插入/Word文档", CommandId::ImportWord},
    {"插入/Excel文档", CommandId::ImportExcel},
    {"插入/—", CommandId::None},
    {"插入/Java脚本", CommandId::InsertJavaScript},
    {"插入/—", CommandId::None},
    {"插入/日期标签", CommandId::InsertDateLabel},
    {"插入/时间标签", CommandId::InsertTimeLabel},
    {"查看/设计", CommandId::DesignView},
    {"查看/—", CommandId::None},
    {"查看/代码", CommandId::CodeView},
    {"查看/—", CommandId::None},
    {"查看/预览", CommandId::Preview},
    {"帮助/查看使用向导", CommandId::Tutorial},
    {"帮助/访问我们", CommandId::VisitWebSite},
    {"关于/名称：Zelvo网页编辑器", CommandId::None},
    {"关于/版本：V2.0", CommandId::None},
    {"关于/*", CommandId::None}, // the author's credit; its text is free
};

const Expected kEffectsMenu[] = {
    {"滚动字幕", CommandId::InsertMarquee},       {"艺术字字", CommandId::InsertWordArt},
    {"发光字", CommandId::InsertGlowText},        {"图片轮播", CommandId::EffectCarousel},
    {"鼠标经过图片", CommandId::EffectRolloverImage}, {"星空特效", CommandId::EffectStarrySky},
};

const Expected kEditMenu[] = {
    {"撤销", CommandId::Undo}, {"重做", CommandId::Redo},   {"—", CommandId::None},
    {"复制", CommandId::Copy}, {"剪切", CommandId::Cut},    {"粘贴", CommandId::Paste},
    {"—", CommandId::None},    {"全选", CommandId::SelectAll},
};

struct ExpectedControl {
    const char *name;
    QRect geometry;
    const char *tooltip;
    CommandId id;
};

const ExpectedControl kToolbar[] = {
    {"按钮_粘贴", {11, 11, 35, 51}, "粘贴", CommandId::Paste},
    {"按钮_剪切", {48, 11, 21, 24}, "剪切", CommandId::Cut},
    {"按钮_复制", {48, 36, 21, 27}, "复制", CommandId::Copy},
    {"组合框_字体名称", {79, 12, 54, 20}, "字体选择", CommandId::FontName},
    {"组合框_字体大小", {139, 12, 54, 20}, "字号选择", CommandId::FontSize},
    {"颜色选择器_字体颜色", {198, 12, 54, 20}, "文字颜色", CommandId::TextColour},
    {"颜色选择器_字体背景色", {257, 12, 54, 20}, "文字背景颜色", CommandId::TextBackColour},
    {"按钮_数字列表", {320, 10, 23, 23}, "数字列表", CommandId::NumberedList},
    {"按钮_项目列表", {345, 10, 23, 23}, "项目列表", CommandId::BulletedList},
    {"按钮_减少缩进", {371, 10, 23, 23}, "减少缩进", CommandId::Outdent},
    {"按钮_增加缩进", {397, 10, 23, 23}, "增加缩进", CommandId::Indent},
    {"按钮_图片", {429, 10, 23, 23}, "插入图片", CommandId::InsertImage},
    {"按钮_超级链接", {454, 10, 23, 23}, "插入超级链接", CommandId::InsertHyperlink},
    {"按钮_表格", {480, 10, 23, 23}, "插入表格", CommandId::InsertTable},
    {"按钮_文本框", {506, 10, 23, 23}, "插入文本框", CommandId::InsertTextBox},
    {"按钮_文本域", {532, 9, 25, 27}, "插入文本域", CommandId::InsertTextArea},
    {"按钮_设计", {563, 10, 48, 23}, "切换至设计窗口", CommandId::DesignView},
    {"按钮_预览", {619, 10, 48, 54}, "效果预览", CommandId::Preview},
    {"按钮_页面属性", {675, 9, 23, 23}, "修改页面属性", CommandId::PageProperties},
    {"按钮_取色", {700, 9, 23, 23}, "取色", CommandId::ColourPickerTool},
    {"按钮_字幕", {726, 9, 23, 23}, "插入滚动字幕", CommandId::InsertMarquee},
    {"按钮_网页框架", {752, 9, 23, 23}, "插入网页框架", CommandId::InsertFrame},
    {"按钮_标签", {777, 9, 25, 27}, "插入标签", CommandId::InsertLabel},
    {"按钮_撤销", {77, 41, 23, 23}, "撤销", CommandId::Undo},
    {"按钮_重做", {102, 41, 23, 23}, "重做", CommandId::Redo},
    {"按钮_加粗", {133, 41, 23, 23}, "加粗", CommandId::Bold},
    {"按钮_倾斜", {158, 41, 23, 23}, "斜体", CommandId::Italic},
    {"按钮_下划线", {184, 41, 23, 23}, "下划线", CommandId::Underline},
    {"按钮_上标", {210, 41, 23, 23}, "上标", CommandId::Superscript},
    {"按钮_下标", {236, 41, 23, 23}, "下标", CommandId::Subscript},
    {"按钮_横线", {263, 41, 23, 23}, "插入横线", CommandId::InsertHorizontalRule},
    {"按钮_删除线", {290, 41, 25, 27}, "删除线", CommandId::StrikeThrough},
    {"按钮_左对齐", {319, 41, 23, 23}, "左对齐", CommandId::JustifyLeft},
    {"按钮_居中对齐", {345, 41, 23, 23}, "居中对齐", CommandId::JustifyCenter},
    {"按钮_右对齐", {371, 41, 23, 23}, "右对齐", CommandId::JustifyRight},
    {"按钮_两端对齐", {398, 41, 23, 23}, "两端对齐", CommandId::JustifyNone},
    {"按钮_分组框", {429, 41, 23, 23}, "插入分组框", CommandId::InsertGroupBox},
    {"按钮_按钮", {454, 41, 23, 23}, "插入按钮", CommandId::InsertButton},
    {"按钮_单选框", {481, 41, 23, 23}, "插入单选框", CommandId::InsertRadioButton},
    {"按钮_复选框", {506, 41, 23, 23}, "插入选择框", CommandId::InsertCheckBox},
    {"按钮_视频", {532, 41, 23, 23}, "插入多媒体视频", CommandId::InsertMultimedia},
    {"按钮_代码", {563, 41, 48, 23}, "切换至代码窗口", CommandId::CodeView},
    {"按钮_艺术字", {675, 41, 23, 23}, "插入艺术字", CommandId::InsertWordArt},
    {"按钮_发光字", {700, 41, 23, 23}, "插入发光字", CommandId::InsertGlowText},
    {"按钮_WORD", {726, 41, 23, 23}, "导入WORD", CommandId::ImportWord},
    {"按钮_EXCEL", {752, 41, 23, 23}, "导入EXCEL", CommandId::ImportExcel},
    {"按钮_特效", {778, 40, 25, 27}, "插入网页特效", CommandId::ShowEffectsMenu},
};

// One line per entry of the menu and its submenus, with the action behind it.
void flatten(QMenu *menu, const QString &prefix, QList<QPair<QString, QAction *>> &out)
{
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            out.append({prefix + QStringLiteral("—"), a});
        else if (a->menu())
            flatten(a->menu(), prefix + a->text() + QLatin1Char('/'), out);
        else
            out.append({prefix + a->text(), a});
    }
}

QList<QPair<QString, QAction *>> flattenBar(QMenuBar *bar)
{
    QList<QPair<QString, QAction *>> out;
    for (QAction *top : bar->actions())
        flatten(top->menu(), top->text() + QLatin1Char('/'), out);
    return out;
}

// Binds every command to a recorder of the commands run.
void recordAll(CommandRouter &router, QList<CommandId> &ran)
{
    for (int i = int(CommandId::None) + 1; i < int(CommandId::Count); ++i) {
        const CommandId id = CommandId(i);
        router.bind(id, [&ran, id] { ran.append(id); });
    }
}

template <std::size_t N>
void compareMenu(const QList<QPair<QString, QAction *>> &actual, const Expected (&expected)[N])
{
    QStringList want, got;
    for (const Expected &e : expected)
        want << QString::fromUtf8(e.path);
    for (const auto &entry : actual)
        got << entry.first;
    // The author's credit is free text: only its place is fixed.
    for (int i = 0; i < want.size() && i < got.size(); ++i)
        if (want[i].endsWith(QLatin1Char('*')) && got[i].startsWith(want[i].chopped(1)))
            got[i] = want[i];
    QCOMPARE(got, want);
}

// The menus must have been built on a router that records into ran.
template <std::size_t N>
void checkTriggers(const QList<QPair<QString, QAction *>> &actual, const Expected (&expected)[N],
                   QList<CommandId> &ran)
{
    QCOMPARE(actual.size(), int(N));
    for (int i = 0; i < actual.size(); ++i) {
        if (actual[i].second->isSeparator())
            continue;
        ran.clear();
        actual[i].second->trigger();
        const QList<CommandId> want = expected[i].id == CommandId::None
            ? QList<CommandId>{}
            : QList<CommandId>{expected[i].id};
        if (ran != want)
            QFAIL(qPrintable(QStringLiteral("%1 ran %2 instead of %3")
                                 .arg(actual[i].first)
                                 .arg(ran.isEmpty() ? QStringLiteral("nothing") : QString::number(int(ran[0])))
                                 .arg(int(expected[i].id))));
    }
}

void clickLeft(QWidget *w, const QPoint &at)
{
    QTest::mouseMove(w, at);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class CommandTableTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarHasEveryMenuInOrder();
    void menuBarItemsRunTheirCommands();
    void popupMenusMatchTheirLists();
    void noItemHasAShortcutOrAState();
    void unboundCommandsDoNothing();
    void toolbarControlsSitWhereTheyBelong();
    void toolbarTooltipsComeWithSetTooltip();
    void everyToolbarButtonRunsItsCommand();
    void effectsButtonOpensTheEffectsMenu();
};

void CommandTableTest::menuBarHasEveryMenuInOrder()
{
    CommandRouter router;
    QMenuBar bar;
    commands::buildMenuBar(&bar, router);
    QStringList titles;
    for (QAction *a : bar.actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"文件", "排版", "编辑", "插入", "查看", "帮助", "关于"}));
    compareMenu(flattenBar(&bar), kMenuBar);
}

void CommandTableTest::menuBarItemsRunTheirCommands()
{
    CommandRouter router;
    QList<CommandId> ran;
    recordAll(router, ran);
    QMenuBar bar;
    commands::buildMenuBar(&bar, router);
    checkTriggers(flattenBar(&bar), kMenuBar, ran);
}

void CommandTableTest::popupMenusMatchTheirLists()
{
    CommandRouter router;
    QList<CommandId> ran;
    recordAll(router, ran);
    QWidget owner;
    QMenu *effects = commands::buildEffectsMenu(&owner, router);
    QMenu *edit = commands::buildEditContextMenu(&owner, router);
    QCOMPARE(effects->parent(), &owner);

    QList<QPair<QString, QAction *>> effectItems, editItems;
    flatten(effects, QString(), effectItems);
    flatten(edit, QString(), editItems);
    compareMenu(effectItems, kEffectsMenu);
    compareMenu(editItems, kEditMenu);
    checkTriggers(effectItems, kEffectsMenu, ran);
    checkTriggers(editItems, kEditMenu, ran);
}

void CommandTableTest::noItemHasAShortcutOrAState()
{
    CommandRouter router;
    QMenuBar bar;
    commands::buildMenuBar(&bar, router);
    QWidget owner;
    QList<QPair<QString, QAction *>> all = flattenBar(&bar);
    flatten(commands::buildEffectsMenu(&owner, router), QStringLiteral("特效/"), all);
    for (QAction *top : bar.actions())
        all.append({top->text(), top});
    for (const auto &[path, action] : all) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(path));
        QVERIFY2(!path.contains(QLatin1Char('&')), qPrintable(path));
        QVERIFY2(action->isEnabled() && action->isVisible() && !action->isCheckable(),
                 qPrintable(path));
    }
}

void CommandTableTest::unboundCommandsDoNothing()
{
    CommandRouter router;
    QMenuBar bar;
    commands::buildMenuBar(&bar, router);
    int runs = 0;
    router.bind(CommandId::Bold, [&runs] { ++runs; });
    for (const auto &entry : flattenBar(&bar))
        entry.second->trigger(); // nothing else is bound; nothing may break
    QCOMPARE(runs, 0);
    QVERIFY(router.run(CommandId::Bold));
    QVERIFY(!router.run(CommandId::InsertTable));
    QVERIFY(!router.run(CommandId::None));
    router.bind(CommandId::Bold, {});
    QVERIFY(!router.run(CommandId::Bold));
    QCOMPARE(runs, 1);
}

void CommandTableTest::toolbarControlsSitWhereTheyBelong()
{
    CommandRouter router;
    commands::Toolbar toolbar(router);
    QCOMPARE(toolbar.objectName(), QStringLiteral("图片框_工具栏"));
    QCOMPARE(toolbar.height(), 72);
    QCOMPARE(toolbar.width(), 1440);

    const QList<QWidget *> children = toolbar.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    int controls = 0;
    for (QWidget *w : children)
        if (!w->objectName().isEmpty())
            ++controls;
    QCOMPARE(controls, int(std::size(kToolbar)));

    for (const ExpectedControl &c : kToolbar) {
        const QString name = QString::fromUtf8(c.name);
        QWidget *w = toolbar.control(name);
        QVERIFY2(w, c.name);
        QCOMPARE(w->geometry(), c.geometry);
        // Screen readers reach every control by name, before and after tooltips.
        QCOMPARE(w->accessibleName(), QString::fromUtf8(c.tooltip));
    }
    QCOMPARE(toolbar.fontNameBox(), toolbar.control(QStringLiteral("组合框_字体名称")));
    QCOMPARE(toolbar.fontSizeBox(), toolbar.control(QStringLiteral("组合框_字体大小")));
    QCOMPARE(static_cast<QWidget *>(toolbar.textColourPicker()),
             toolbar.control(QStringLiteral("颜色选择器_字体颜色")));
    QCOMPARE(static_cast<QWidget *>(toolbar.textBackColourPicker()),
             toolbar.control(QStringLiteral("颜色选择器_字体背景色")));
}

void CommandTableTest::toolbarTooltipsComeWithSetTooltip()
{
    CommandRouter router;
    QWidget window;
    auto *toolbar = new commands::Toolbar(router, &window);
    toolbar->applyTooltips();
    for (const ExpectedControl &c : kToolbar)
        QCOMPARE(toolbar->control(QString::fromUtf8(c.name))->toolTip(), QString::fromUtf8(c.tooltip));
    // Tooltips show also while the window is in the background.
    QVERIFY(window.testAttribute(Qt::WA_AlwaysShowToolTips));
}

void CommandTableTest::everyToolbarButtonRunsItsCommand()
{
    CommandRouter router;
    QList<CommandId> ran;
    recordAll(router, ran);
    router.bind(CommandId::ShowEffectsMenu, [&ran] { ran.append(CommandId::ShowEffectsMenu); });
    commands::Toolbar toolbar(router);
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));

    for (const ExpectedControl &c : kToolbar) {
        const commands::ToolbarControl *entry = commands::toolbarControl(QString::fromUtf8(c.name));
        QVERIFY(entry);
        if (entry->kind != commands::ToolbarControl::Kind::Button)
            continue;
        ran.clear();
        QWidget *w = toolbar.control(QString::fromUtf8(c.name));
        clickLeft(w, QPoint(w->width() / 2, w->height() / 2));
        QCOMPARE(ran, QList<CommandId>{c.id});
    }

    // The boxes run their command when an item is picked.
    ran.clear();
    emit toolbar.fontNameBox()->activated(0);
    emit toolbar.fontSizeBox()->activated(6);
    QCOMPARE(ran, (QList<CommandId>{CommandId::FontName, CommandId::FontSize}));
}

void CommandTableTest::effectsButtonOpensTheEffectsMenu()
{
    CommandRouter router;
    QList<CommandId> ran;
    recordAll(router, ran);
    commands::Toolbar toolbar(router);
    router.bind(CommandId::ShowEffectsMenu, [&toolbar, &ran] {
        ran.append(CommandId::ShowEffectsMenu);
        commands::ShowPopupMenu(toolbar.effectsMenu());
    });
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));

    QWidget *button = toolbar.control(QStringLiteral("按钮_特效"));
    const QPoint at(5, 5);
    QRect menuGeometry;
    QString picked;
    testsupport::PopupWatch watch([&](QWidget *popup) {
        auto *menu = qobject_cast<QMenu *>(popup);
        if (!menu)
            return;
        menuGeometry = menu->geometry();
        QAction *glow = menu->actions().at(2);
        picked = glow->text();
        // A pick with the right button counts as well.
        const QPoint inside = menu->actionGeometry(glow).center();
        menu->setActiveAction(glow);
        QTest::mousePress(menu, Qt::RightButton, Qt::NoModifier, inside);
        QTest::mouseRelease(menu, Qt::RightButton, Qt::NoModifier, inside);
    });
    QCursor::setPos(button->mapToGlobal(at));
    clickLeft(button, at); // returns once the menu has closed
    QVERIFY(watch.handled());
    QCOMPARE(picked, QStringLiteral("发光字"));
    QCOMPARE(ran, (QList<CommandId>{CommandId::ShowEffectsMenu, CommandId::InsertGlowText}));
    // The pop-up opens 3 pixels right of and below the pointer, wherever the
    // window system put the toolbar; only where the screen has no room for it
    // there does the menu move to stay on the screen.
    const QPoint expected = QCursor::pos() + QPoint(3, 3);
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    QVERIFY(screen);
    if (screen->availableGeometry().contains(QRect(expected, menuGeometry.size())))
        QCOMPARE(menuGeometry.topLeft(), expected);
    else
        QVERIFY(screen->geometry().contains(menuGeometry));
}

ZELVO_TEST_MAIN(CommandTableTest)
#include "test_command_table.moc"
