// The dialog conventions shared by every insertion dialog, shown on the two
// dialogs of the simple insertions: owned, centred, not modal, one per kind,
// fresh at every opening; confirm checks, builds, inserts and closes; a
// failed check keeps the dialog; cancel just closes.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "ui/DialogHost.h"
#include "insert/InsertDialog.h"
#include "insert/ButtonDialog.h"
#include "ui/ColourPicker.h"
#include "insert/GroupBoxDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <memory>

using namespace insert;

namespace {

// Records what the dialogs hand over for insertion.
struct Inserted {
    QStringList fragments;
    insert::Inserter inserter()
    {
        return [this](const QString &fragment) {
            fragments << fragment;
            return true;
        };
    }
};

template <class T>
T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QString::fromUtf8(name));
    if (!found)
        qFatal("control %s missing", name);
    return found;
}

void click(QWidget *dialog, const char *buttonName)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, buttonName), Qt::LeftButton);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void dialogsAreOwnedCentredNotModal();
    void twoDialogsOpenWhileOwnerWorks();
    void reopeningRaisesTheOpenDialog();
    void closedDialogReopensWithDefaults();
    void buttonChecksKeepDialogAndValues_data();
    void buttonChecksKeepDialogAndValues();
    void confirmInsertsAndCloses();
    void cancelClosesWithoutInserting();
    void groupBoxConfirmBuildsFromControls();
    void refusalThatCloses();
    void secondConfirmDuringInsertionIsIgnored();
    void dialogDeletedDuringInsertion();
    void everyControlHasNames();
    void modalDialogOwnedByADialog();
    void buttonDialogTakesMorePages();

private:
    std::unique_ptr<QWidget> m_owner;
    QLineEdit *m_ownerEdit = nullptr;
    QPushButton *m_ownerButton = nullptr;
    int m_ownerClicks = 0;
    Inserted m_inserted;
    std::unique_ptr<ScriptedPrompter> m_prompter;

    QDialog *openButton()
    {
        return ui::DialogHost::of(m_owner.get())->open(ButtonDialogCaption, [this](QWidget *owner) {
            return new ButtonDialog(owner, m_inserted.inserter());
        });
    }
    QDialog *openGroupBox()
    {
        return ui::DialogHost::of(m_owner.get())->open(GroupBoxDialogCaption, [this](QWidget *owner) {
            return new GroupBoxDialog(owner, m_inserted.inserter());
        });
    }
};

void DialogsTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_inserted = {};
    m_ownerClicks = 0;
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(600, 400);
    m_ownerEdit = new QLineEdit(m_owner.get());
    m_ownerButton = new QPushButton(QStringLiteral("x"), m_owner.get());
    m_ownerButton->move(0, 40);
    connect(m_ownerButton, &QPushButton::clicked, this, [this] { ++m_ownerClicks; });
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
}

void DialogsTest::cleanup()
{
    m_owner.reset();
    m_prompter.reset();
}

void DialogsTest::dialogsAreOwnedCentredNotModal()
{
    struct Expected {
        QDialog *dialog;
        QString caption;
        QSize size;
    };
    const Expected expected[] = {{openButton(), QStringLiteral("插入按钮"), QSize(374, 247)},
                                 {openGroupBox(), QStringLiteral("插入分组框"), QSize(190, 254)}};
    for (const Expected &e : expected) {
        QVERIFY(e.dialog);
        QCOMPARE(e.dialog->windowTitle(), e.caption);
        QCOMPARE(e.dialog->parentWidget(), m_owner.get());
        QVERIFY(e.dialog->isWindow());
        QVERIFY(e.dialog->isVisible());
        QCOMPARE(e.dialog->windowModality(), Qt::NonModal);
        QCOMPARE(e.dialog->size(), e.size);
        QCOMPARE(e.dialog->minimumSize(), e.size);
        QCOMPARE(e.dialog->maximumSize(), e.size);
        // Centred on the screen as the window system placed it, frame and
        // all (a window manager adds the frame only once the dialog is shown).
        QVERIFY(QTest::qWaitForWindowExposed(e.dialog));
        const QRect area = m_owner->screen()->availableGeometry();
        const QPoint off = e.dialog->frameGeometry().center() - area.center();
        QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2,
                 qPrintable(QStringLiteral("%1: %2,%3 from the centre").arg(e.caption).arg(off.x()).arg(off.y())));
    }
}

void DialogsTest::twoDialogsOpenWhileOwnerWorks()
{
    QDialog *button = openButton();
    QDialog *groupBox = openGroupBox();
    QVERIFY(button && groupBox && button != groupBox);
    QVERIFY(button->isVisible());
    QVERIFY(groupBox->isVisible());
    QVERIFY(!QApplication::activeModalWidget());

    // The owner still takes clicks and typing with both dialogs open.
    QTest::mouseClick(m_ownerButton, Qt::LeftButton);
    QCOMPARE(m_ownerClicks, 1);
    // The dialog opened last takes the focus once it is on the screen; then
    // the owner can take it back.
    QVERIFY(QTest::qWaitForWindowActive(groupBox));
    m_owner->activateWindow();
    m_ownerEdit->setFocus();
    QTRY_VERIFY(m_ownerEdit->hasFocus());
    QTest::keyClicks(m_ownerEdit, QStringLiteral("abc"));
    QCOMPARE(m_ownerEdit->text(), QStringLiteral("abc"));

    // And each dialog still works on its own.
    click(groupBox, "按钮1");
    QCOMPARE(m_inserted.fragments.size(), 1);
    QTRY_VERIFY(!groupBox->isVisible());
    QVERIFY(button->isVisible());
}

void DialogsTest::reopeningRaisesTheOpenDialog()
{
    QDialog *first = openButton();
    control<QLineEdit>(first, "编辑框_按钮名称")->setText(QStringLiteral("kept"));
    QDialog *again = openButton();
    QCOMPARE(again, first);
    QCOMPARE(m_owner->findChildren<ButtonDialog *>().size(), 1);
    QCOMPARE(control<QLineEdit>(again, "编辑框_按钮名称")->text(), QStringLiteral("kept"));
    QCOMPARE(ui::DialogHost::of(m_owner.get())->find(ButtonDialogCaption), first);
}

void DialogsTest::closedDialogReopensWithDefaults()
{
    QPointer<QDialog> first = openGroupBox();
    control<QLineEdit>(first, "编辑框1")->setText(QStringLiteral("9"));
    control<QComboBox>(first, "组合框1")->setCurrentIndex(2);
    control<ui::ColourPicker>(first, "颜色选择器2")->setColour(0x123456);
    first->close();
    QTRY_VERIFY(!first);

    QDialog *second = openGroupBox();
    QCOMPARE(control<QLineEdit>(second, "编辑框1")->text(), QStringLiteral("400"));
    QCOMPARE(control<QLineEdit>(second, "编辑框2")->text(), QStringLiteral("200"));
    QCOMPARE(control<QLineEdit>(second, "编辑框3")->text(), QStringLiteral("标题"));
    auto *align = control<QComboBox>(second, "组合框1");
    QCOMPARE(align->currentIndex(), 0);
    QCOMPARE(align->count(), 3);
    QCOMPARE(align->itemText(0), QStringLiteral("左对齐"));
    QCOMPARE(align->itemText(1), QStringLiteral("居中"));
    QCOMPARE(align->itemText(2), QStringLiteral("右对齐"));
    QCOMPARE(control<ui::ColourPicker>(second, "颜色选择器2")->colour(), 0);
    QCOMPARE(control<ui::ColourPicker>(second, "颜色选择器1")->colour(), 0xFFFFFF);
}

void DialogsTest::buttonChecksKeepDialogAndValues_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("both empty: ID first") << "" << "" << "请输入按钮ID！";
    QTest::newRow("ID empty") << "" << "t" << "请输入按钮ID！";
    QTest::newRow("title empty") << "b1" << "" << "请输入按钮标题！";
}

void DialogsTest::buttonChecksKeepDialogAndValues()
{
    QFETCH(QString, id);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QPointer<QDialog> dialog = openButton();
    control<QLineEdit>(dialog, "编辑框_按钮名称")->setText(id);
    control<QLineEdit>(dialog, "编辑框_按钮标题")->setText(title);
    click(dialog, "按钮1");

    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_prompter->messages[0].text, message);
    QCOMPARE(m_prompter->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(m_inserted.fragments.isEmpty());
    // Whatever the refusal set in motion has run (a zero-timer armed now fires
    // after any armed before it, and deletions come last): the dialog is
    // still there.
    bool later = false;
    QTimer::singleShot(0, [&later] { later = true; });
    QTRY_VERIFY(later);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_按钮名称")->text(), id);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_按钮标题")->text(), title);
}

void DialogsTest::confirmInsertsAndCloses()
{
    QPointer<QDialog> dialog = openButton();
    QTest::keyClicks(control<QLineEdit>(dialog, "编辑框_按钮名称"), QStringLiteral("ok1"));
    control<QLineEdit>(dialog, "编辑框_按钮标题")->setText(QStringLiteral("确 定"));
    click(dialog, "按钮1");
    QCOMPARE(m_inserted.fragments,
             QStringList{QStringLiteral("<input type=\"button\" name=\"ok1\" value=\"确 定\">")});
    QVERIFY(m_prompter->messages.isEmpty());
    QTRY_VERIFY(!dialog);
    QVERIFY(!ui::DialogHost::of(m_owner.get())->find(ButtonDialogCaption));
}

void DialogsTest::cancelClosesWithoutInserting()
{
    QPointer<QDialog> button = openButton();
    QPointer<QDialog> groupBox = openGroupBox();
    control<QLineEdit>(button, "编辑框_按钮名称")->setText(QStringLiteral("a"));
    control<QLineEdit>(button, "编辑框_按钮标题")->setText(QStringLiteral("b"));
    click(button, "按钮2");
    click(groupBox, "按钮2");
    QTRY_VERIFY(!button && !groupBox);
    QVERIFY(m_inserted.fragments.isEmpty());
    QVERIFY(m_prompter->messages.isEmpty());
}

void DialogsTest::groupBoxConfirmBuildsFromControls()
{
    QDialog *dialog = openGroupBox();
    control<QLineEdit>(dialog, "编辑框1")->setText(QStringLiteral("300"));
    control<QLineEdit>(dialog, "编辑框2")->clear();
    control<QComboBox>(dialog, "组合框1")->setCurrentIndex(1);
    // One colour through the full colour dialog, one left at its default.
    m_prompter->colours.enqueue(QColor(12, 11, 10));
    control<ui::ColourPicker>(dialog, "颜色选择器2")->chooseOtherColour();
    control<QLineEdit>(dialog, "编辑框3")->setText(QStringLiteral("分组"));
    click(dialog, "按钮1");
    QCOMPARE(m_inserted.fragments,
             QStringList{QStringLiteral(
                 "<fieldset style=\"BORDER-COLOR:#0C0B0A; WIDTH:300px;HEIGHT:px;BACKGROUND-COLOR:#FFFFFF\">"
                 "<legend align=center>分组</legend>内容</fieldset>")});
}

void DialogsTest::refusalThatCloses()
{
    // Some builders close their dialog after their message.
    auto *dialog = new insert::InsertDialog(m_owner.get(), QStringLiteral("试验"), QSize(200, 100));
    QPointer<insert::InsertDialog> guard(dialog);
    dialog->setInserter(m_inserted.inserter());
    dialog->show();
    QVERIFY(dialog->runBuilder([] { return insert::BuildResult::refuseAndClose(QStringLiteral("没有地址！")); }));
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_prompter->messages[0].text, QStringLiteral("没有地址！"));
    QVERIFY(m_inserted.fragments.isEmpty());
    QTRY_VERIFY(!guard);
}

void DialogsTest::secondConfirmDuringInsertionIsIgnored()
{
    // The engine's insertion waits in a local event loop; a second click on
    // the confirm button arriving meanwhile must not insert a second time.
    auto *dialog = new insert::InsertDialog(m_owner.get(), QStringLiteral("试验"), QSize(200, 100));
    QPointer<insert::InsertDialog> guard(dialog);
    int builds = 0;
    const insert::Builder builder = [&builds] {
        ++builds;
        return insert::BuildResult::insert(QStringLiteral("<b>x</b>"));
    };
    dialog->setInserter([&](const QString &fragment) {
        m_inserted.fragments << fragment;
        dialog->runBuilder(builder);
        return true;
    });
    dialog->show();
    QVERIFY(dialog->runBuilder(builder));
    QCOMPARE(builds, 1);
    QCOMPARE(m_inserted.fragments.size(), 1);
    QTRY_VERIFY(!guard);
}

void DialogsTest::dialogDeletedDuringInsertion()
{
    // The dialog may be destroyed while the insertion pumps events (its owner
    // closing, say); finishing the confirm must not touch it afterwards.
    auto *dialog = new insert::InsertDialog(m_owner.get(), QStringLiteral("试验"), QSize(200, 100));
    QPointer<insert::InsertDialog> guard(dialog);
    dialog->setInserter([&](const QString &fragment) {
        m_inserted.fragments << fragment;
        delete dialog;
        return true;
    });
    dialog->show();
    QVERIFY(dialog->runBuilder([] { return insert::BuildResult::insert(QStringLiteral("y")); }));
    QVERIFY(!guard);
    QCOMPARE(m_inserted.fragments, QStringList{QStringLiteral("y")});
}

void DialogsTest::everyControlHasNames()
{
    struct Expected {
        QDialog *dialog;
        QStringList names;
    };
    const Expected expected[] = {
        {openButton(),
         {QStringLiteral("新选择夹1"), QStringLiteral("编辑框_按钮名称"), QStringLiteral("编辑框_按钮标题"),
          QStringLiteral("按钮1"), QStringLiteral("按钮2")}},
        {openGroupBox(),
         {QStringLiteral("编辑框1"), QStringLiteral("编辑框2"), QStringLiteral("组合框1"),
          QStringLiteral("颜色选择器2"), QStringLiteral("颜色选择器1"), QStringLiteral("编辑框3"),
          QStringLiteral("按钮1"), QStringLiteral("按钮2")}},
    };
    for (const Expected &e : expected) {
        for (const QString &name : e.names)
            QVERIFY2(e.dialog->findChild<QWidget *>(name), qPrintable(name));
        const auto widgets = e.dialog->findChildren<QWidget *>();
        for (QWidget *w : widgets) {
            const bool isControl = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                || qobject_cast<QComboBox *>(w) || qobject_cast<QTabWidget *>(w);
            if (!isControl || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
    }
    auto *ok = control<QAbstractButton>(expected[0].dialog, "按钮1");
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    QCOMPARE(control<QAbstractButton>(expected[0].dialog, "按钮2")->text(), QStringLiteral("取消"));
    QCOMPARE(control<QLineEdit>(expected[0].dialog, "编辑框_按钮名称")->accessibleName(),
             QStringLiteral("按钮ID"));
    QCOMPARE(control<QWidget>(expected[1].dialog, "颜色选择器1")->accessibleName(),
             QStringLiteral("背景颜色"));
}

void DialogsTest::modalDialogOwnedByADialog()
{
    // A dialog may open another one owned by itself that blocks everything
    // else until it closes.
    QDialog *outer = openGroupBox();
    QDialog *inner = ui::DialogHost::of(outer)->openModal(ButtonDialogCaption, [this](QWidget *owner) {
        return new ButtonDialog(owner, m_inserted.inserter());
    });
    QCOMPARE(inner->parentWidget(), outer);
    QCOMPARE(inner->windowModality(), Qt::ApplicationModal);
    QTRY_COMPARE(QApplication::activeModalWidget(), inner);
    // The main window's own host knows nothing of it.
    QVERIFY(!ui::DialogHost::of(m_owner.get())->find(ButtonDialogCaption));
    inner->close();
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(outer->isVisible());
}

void DialogsTest::buttonDialogTakesMorePages()
{
    auto *dialog = static_cast<ButtonDialog *>(openButton());
    QTabWidget *pages = dialog->pages();
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(0).trimmed(), QStringLiteral("普通按钮"));
    QCOMPARE(pages->tabText(1).trimmed(), QStringLiteral("图形按钮"));
    QWidget *third = dialog->addPage(QStringLiteral("第三页"));
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->indexOf(third), 2);
    QCOMPARE(pages->tabText(2).trimmed(), QStringLiteral("第三页"));
}

ZELVO_TEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
