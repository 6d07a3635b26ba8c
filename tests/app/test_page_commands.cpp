// The commands that change the whole page or draw text the engine cannot:
// page properties round trip through both views, the effect pages replace
// the design view's page, WordArt and glow text show in the design view.
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "document/DocumentController.h"
#include "engine/EngineView.h"
#include "ui/DialogHost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>

using app::MainWindow;
using commands::CommandId;

// WordArt shows as its drawing, an object of its own, and not as the
// VML's string beside it.
const QString kWordArtShown = QStringLiteral(
        "(function () { var d = document.querySelector('svg.zelvo-wordart'); return [getComputedStyle("
        "document.querySelector('v\\\\:textpath[string]'), '::before').content, d.textContent, "
        "d.getBoundingClientRect().width > 100, getComputedStyle(d).webkitUserModify].join('|'); })()");


class PageCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    engine::EngineView *design() const { return window->designView(); }
    QVariant run(const QString &script) { return design()->evaluate(script); }
    QDialog *dialog(const char *caption)
    {
        return ui::DialogHost::of(window.get())->find(QString::fromUtf8(caption));
    }
    void click(QWidget *dialog, const char *name)
    {
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QString::fromUtf8(name)), Qt::LeftButton);
    }
    void startFrom(const QString &page)
    {
        window->document()->WritePageToDesign(page);
        run(QStringLiteral("getSelection().collapse(document.body, document.body.childNodes.length); true;"));
    }

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", testsupport::freshTempDir().toLocal8Bit());
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<MainWindow>(*lexer);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
    }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }

    void pagePropertiesRoundTrip()
    {
        startFrom(QStringLiteral("<html><head><TITLE>abc</TITLE></head><body background=\"bg.jpg\">"
                                 "<bgsound src=\"music.mp3\"><p>my work</p></body></html>"));
        QVERIFY(window->router().run(CommandId::PageProperties));
        QPointer<QDialog> properties = dialog("页面属性");
        QVERIFY(properties);
        auto *title = properties->findChild<QLineEdit *>(QStringLiteral("编辑框_网页标题"));
        QCOMPARE(title->text(), QStringLiteral("abc"));
        QCOMPARE(properties->findChild<QLineEdit *>(QStringLiteral("编辑框_背景音乐"))->text(), QStringLiteral("music.mp3"));
        QCOMPARE(properties->findChild<QLineEdit *>(QStringLiteral("编辑框_背景图片"))->text(), QStringLiteral("bg.jpg"));
        title->setText(QStringLiteral("新的标题"));
        click(properties, "按钮_确定");
        QTRY_VERIFY(!properties);

        // The design view has the new page, the code view its text when shown.
        QCOMPARE(run(QStringLiteral("document.title;")).toString(), QStringLiteral("新的标题"));
        QCOMPARE(run(QStringLiteral("document.body.getAttribute('bgcolor') + ' ' + document.body.getAttribute('background');"))
                     .toString(),
                 QStringLiteral("#FFFFFF bg.jpg"));
        QCOMPARE(run(QStringLiteral("document.querySelectorAll('bgsound').length + ' ' + document.querySelector('bgsound').getAttribute('src');"))
                     .toString(),
                 QStringLiteral("1 music.mp3"));
        QCOMPARE(run(QStringLiteral("document.querySelector('p').textContent;")).toString(), QStringLiteral("my work"));
        QVERIFY(window->router().run(CommandId::CodeView));
        QCOMPARE(window->codeView()->text(), window->designView()->ReadDocument()); // the engine's reading,
        window->codeView()->undo();                                                // the text one step back
        const QString code = window->codeView()->text();
        QVERIFY(window->router().run(CommandId::DesignView));
        QVERIFY2(code.startsWith(QStringLiteral("<HTML><HEAD><TITLE>新的标题</TITLE>\r\n")), qPrintable(code));
        QVERIFY2(code.endsWith(QStringLiteral("<bgsound balance=0 src=\"music.mp3\" volume=0 ><audio src=\"music.mp3\" autoplay loop></audio><p>my work</p></BODY></HTML>")),
                 qPrintable(code));
        // Opening the dialog again reads the new page.
        QVERIFY(window->router().run(CommandId::PageProperties));
        properties = dialog("页面属性");
        QCOMPARE(properties->findChild<QLineEdit *>(QStringLiteral("编辑框_网页标题"))->text(), QStringLiteral("新的标题"));
        click(properties, "按钮_取消");
        QTRY_VERIFY(!properties);
    }

    void effectPagesReplaceTheDesignPage_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("source");
        QTest::newRow("星空特效") << int(CommandId::EffectStarrySky) << "请在浏览器中预览效果：动态星空背景！" << "var starnum = 75;";
        QTest::newRow("鼠标经过图片") << int(CommandId::EffectRolloverImage)
                                      << "请在浏览器中预览效果：鼠标滑过图片后，现有图片会变成另一张图片！" << "function MM_swapImage()";
        QTest::newRow("图片轮播") << int(CommandId::EffectCarousel) << "请在浏览器中预览效果：图片轮播相册！" << "var PImgPlayer = {";
    }
    void effectPagesReplaceTheDesignPage()
    {
        QFETCH(int, command);
        QFETCH(QString, message);
        QFETCH(QString, source);
        startFrom(QStringLiteral("<html><head></head><body><p>old content</p></body></html>"));
        window->document()->ShowCodeView();
        window->document()->ShowDesignView();
        const QString codeBefore = window->codeView()->text();
        const QString path = window->document()->state().currentPath;

        QVERIFY(window->router().run(CommandId(command)));
        const QString page = design()->ReadDocument();
        QVERIFY(page.contains(message));
        QVERIFY(!page.contains(QStringLiteral("old content")));
        // The page's scripts stay inert in the design view.
        QCOMPARE(run(QStringLiteral("document.querySelectorAll('div.star').length + document.querySelectorAll('#tit').length;")).toInt(), 0);
        // Asked nothing, the file stays, the code view learns of it at the next switch.
        QVERIFY(prompter->messages.isEmpty());
        QCOMPARE(window->document()->state().currentPath, path);
        QCOMPARE(window->codeView()->text(), codeBefore);
        window->document()->ShowCodeView();
        QVERIFY(window->codeView()->text().contains(source));
        window->document()->ShowDesignView();
        QCOMPARE(window->views()->currentIndex(), 0);
    }

    void wordArtAndGlowTextShowInTheDesignView()
    {
        startFrom(QStringLiteral("<html><head></head><body><p>x</p></body></html>"));
        QVERIFY(window->router().run(CommandId::InsertWordArt));
        QPointer<QDialog> wordArt = dialog("插入艺术字");
        QVERIFY(wordArt);
        click(wordArt, "按钮1");
        QTRY_VERIFY(!wordArt);
        QCOMPARE(run(kWordArtShown).toString(), QStringLiteral("none|请在此处键入您自己的内容|true|read-only"));

        QVERIFY(window->router().run(CommandId::InsertGlowText));
        QPointer<QDialog> glow = dialog("插入发光字");
        QVERIFY(glow);
        glow->findChild<QLineEdit *>(QStringLiteral("编辑框1"))->setText(QStringLiteral("发光字"));
        click(glow, "按钮1");
        QTRY_VERIFY(!glow);
        QVERIFY(run(QStringLiteral("getComputedStyle(document.querySelector('span[style*=glow]')).textShadow;"))
                    .toString()
                    .contains(QStringLiteral("rgb(255, 0, 0)")));
        // The sheets stay with the view through a new page and never reach the code view.
        window->document()->ShowCodeView();
        QVERIFY(!window->codeView()->text().contains(QStringLiteral("attr(string)")));
        QVERIFY(window->codeView()->text().contains(QStringLiteral("FILTER: glow(color=#FF0000,strength=3); WIDTH:42pt")));
        window->document()->ShowDesignView();
        QCOMPARE(run(kWordArtShown).toString(), QStringLiteral("none|请在此处键入您自己的内容|true|read-only"));
    }
};

ZELVO_TEST_MAIN(PageCommandsTest)
#include "test_page_commands.moc"
