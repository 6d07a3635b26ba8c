// The insertion commands of the menus and toolbar open their dialogs over
// the main window, and the dialogs insert into the design view; the image
// dialog of the scrolling-text dialog is that dialog's own.
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandId.h"
#include "commands/PictureButton.h"
#include "engine/EngineView.h"
#include "insert/ImageDialog.h"
#include "insert/MarqueeDialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>

using commands::CommandId;

class InsertCommandsTest : public QObject {
    Q_OBJECT

    QString tmp;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    QDialog *openDialog(const QString &caption) const
    {
        for (QDialog *d : window->findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
            if (d->isVisible() && d->windowTitle() == caption)
                return d;
        return nullptr;
    }
    void fillImage(QDialog *dialog, const QString &path)
    {
        dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_图片位置"))->setText(path);
        dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_图片宽度"))->setText(QStringLiteral("8"));
        dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_图片高度"))->setText(QStringLiteral("8"));
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QStringLiteral("按钮_确定")), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
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

    void commandsOpenTheirDialogs_data()
    {
        QTest::addColumn<CommandId>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("page"); // the current tab, or -1
        QTest::newRow("表格") << CommandId::InsertTable << "插入表格" << -1;
        QTest::newRow("图片") << CommandId::InsertImage << "插入图片" << -1;
        QTest::newRow("超级链接") << CommandId::InsertHyperlink << "超级链接" << -1;
        QTest::newRow("Flash视频") << CommandId::InsertFlash << "多媒体视频" << 0;
        QTest::newRow("Wmv视频") << CommandId::InsertWmv << "多媒体视频" << 1;
        QTest::newRow("按钮_视频") << CommandId::InsertMultimedia << "多媒体视频" << 0;
        QTest::newRow("Java脚本") << CommandId::InsertJavaScript << "JavaScript" << -1;
        QTest::newRow("网页框架") << CommandId::InsertFrame << "插入网页框架" << -1;
        QTest::newRow("滚动字幕") << CommandId::InsertMarquee << "插入滚动字幕" << -1;
    }
    void commandsOpenTheirDialogs()
    {
        QFETCH(CommandId, command);
        QFETCH(QString, caption);
        QFETCH(int, page);
        QVERIFY(window->router().run(command));
        QPointer<QDialog> dialog = openDialog(caption);
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), window.get());
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        if (page >= 0)
            QCOMPARE(dialog->findChild<QTabWidget *>(QStringLiteral("选择夹1"))->currentIndex(), page);
        dialog->close();
        QTRY_VERIFY(!dialog);
    }

    void imageGoesToTheMarqueeOrThePageByWhereItWasOpened()
    {
        engine::EngineView *page = window->designView();
        QVERIFY(window->router().run(CommandId::InsertMarquee));
        auto *marquee = qobject_cast<insert::MarqueeDialog *>(openDialog(QStringLiteral("插入滚动字幕")));
        QVERIFY(marquee);
        auto *button = marquee->findChild<commands::PictureButton *>(QStringLiteral("图形按钮21"));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QTRY_VERIFY(qobject_cast<insert::ImageDialog *>(QApplication::activeModalWidget()));
        auto *inner = static_cast<insert::ImageDialog *>(QApplication::activeModalWidget());
        QCOMPARE(inner->parentWidget(), marquee);
        QCOMPARE(inner->imageTarget(), insert::ImageTarget::MarqueeView);
        fillImage(inner, QStringLiteral("in-marquee.gif"));
        QTRY_VERIFY(!QApplication::activeModalWidget());

        // Then from the toolbar: the second image goes into the page.
        QVERIFY(window->router().run(CommandId::InsertImage));
        QDialog *outer = openDialog(QStringLiteral("插入图片"));
        QVERIFY(outer);
        QCOMPARE(static_cast<insert::ImageDialog *>(outer)->imageTarget(), insert::ImageTarget::MainPage);
        fillImage(outer, QStringLiteral("in-page.gif"));
        QTRY_VERIFY(!openDialog(QStringLiteral("插入图片")));

        const QString imagesOf = QStringLiteral(
            "Array.prototype.map.call(document.images, function (i) { return i.getAttribute('src'); }).join();");
        QCOMPARE(page->evaluate(imagesOf).toString(), QStringLiteral("in-page.gif"));
        QCOMPARE(marquee->editingView()->evaluate(imagesOf).toString(), QStringLiteral("in-marquee.gif"));
        QVERIFY(page->ReadDocument().contains(QStringLiteral("src=\"in-page.gif\"")));
        marquee->close();
    }
};

ZELVO_TEST_MAIN(InsertCommandsTest)
#include "test_insert_commands.moc"
