// Switching between the design view and the code view, and the preview.
#include "DocumentFixture.h"
#include "document/PreviewText.h"
#include "text/PageCodec.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>

using namespace document;

namespace {
const QString kPage = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><P>段落</P></BODY></HTML>");

// Marks the design view's current document; a page written anew loses it.
const QString kMark = QStringLiteral("document.body.__mark = 1; true;");
const QString kMarked = QStringLiteral("document.body.__mark === 1;");
}

class ViewsTest : public QObject {
    Q_OBJECT
    DocumentFixture f;

    long caret() const { return f.code->currentPosition(); }
    bool canUndo() const { return f.code->canUndo(); }

private slots:
    void initTestCase() { f.create(); }
    void init()
    {
        f.reset();
        f.design->WriteDocument(kPage);
    }

    void codeViewGetsTheDesignViewsText()
    {
        f.controller->ShowCodeView();
        QCOMPARE(f.views->currentIndex(), 1);
        const QString engine = f.design->ReadDocument();
        QCOMPARE(f.code->text(), engine);
        // The replacement is one undoable step.
        f.code->undo();
        QVERIFY(f.code->text().isEmpty());
    }

    void switchingToTheShownViewDoesNothing()
    {
        f.controller->ShowDesignView(); // already the design view
        QCOMPARE(f.views->currentIndex(), 0);
        f.controller->ShowCodeView();
        f.editDesign(QStringLiteral("later"));
        const QString code = f.code->text();
        f.controller->ShowCodeView(); // already the code view
        QCOMPARE(f.code->text(), code);
        QCOMPARE(f.views->currentIndex(), 1);
    }

    // There and back without typing loads nothing into either view, and the
    // code editor keeps its caret and its undo history.
    void equalTextsLoadNothing()
    {
        f.controller->ShowCodeView();
        QVERIFY(f.design->evaluate(kMark).toBool());
        f.controller->ShowDesignView();
        QCOMPARE(f.views->currentIndex(), 0);
        QVERIFY(f.design->evaluate(kMarked).toBool());

        f.code->setCurrentPosition(12);
        QVERIFY(canUndo());
        f.controller->ShowCodeView();
        QCOMPARE(caret(), 12L);
        f.code->undo(); // still the one step of the first fill
        QVERIFY(f.code->text().isEmpty());
    }

    void typedCodeReachesTheDesignView()
    {
        f.controller->ShowCodeView();
        f.code->replaceAllText(QStringLiteral("<html><body><P CLASS=x>改过的</P></body></html>"));
        f.controller->ShowDesignView();
        QCOMPARE(f.views->currentIndex(), 0);
        QCOMPARE(f.designBody(), QStringLiteral("<p class=\"x\">改过的</p>"));
        // Going back pastes that serialisation, as it differs from what was typed.
        f.controller->ShowCodeView();
        QCOMPARE(f.code->text(), f.design->ReadDocument());
    }

    void designChangesWhileTheCodeViewIsShownAreOverwritten()
    {
        f.controller->ShowCodeView();
        f.code->insertTextAt(0, QStringLiteral("<!--c-->"));
        f.editDesign(QStringLiteral("formatting"));
        f.controller->ShowDesignView();
        QVERIFY(!f.designBody().contains(QStringLiteral("formatting")));
        QVERIFY(f.design->ReadDocument().startsWith(QStringLiteral("<!--c-->")));
    }

    void switchesLeaveTheClipboardAlone()
    {
        QApplication::clipboard()->setText(QStringLiteral("用户复制的文字"));
        f.controller->ShowCodeView();
        f.code->insertTextAt(0, QStringLiteral("<!--c-->"));
        f.controller->ShowDesignView();
        f.editDesign(QStringLiteral("x"));
        f.controller->ShowCodeView();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("用户复制的文字"));
    }

    // Preview: the current view's text, in the page's encoding, in the
    // program's directory; the views and the state are not touched.
    void previewWritesTheCurrentViewsText()
    {
        f.controller->PreviewPage();
        const QString preview = f.program + QStringLiteral("/temp.htm");
        QCOMPARE(f.controller->preview().lastPath(), preview);
        QCOMPARE(f.openedUrls, QList<QUrl>{QUrl::fromLocalFile(preview)});
        // A page without a file resolves against the home folder, in the
        // preview as in the design view.
        QCOMPARE(f.fileBytes(preview),
                 encodePage(document::withBaseForPreview(f.design->ReadDocument(), QDir::homePath()), gbkEncoding()));
        QVERIFY(f.fileBytes(preview).contains("\xB6\xCE\xC2\xE4")); // 段落 in GBK

        f.controller->ShowCodeView();
        f.code->insertTextAt(0, QStringLiteral("<!--只在代码里-->"));
        const QString designBefore = f.design->ReadDocument();
        f.controller->PreviewPage(); // overwrites the same file
        QCOMPARE(decodePage(f.fileBytes(preview)).text, document::withBaseForPreview(f.code->text(), QDir::homePath()));
        QCOMPARE(f.design->ReadDocument(), designBefore);
        QVERIFY(f.code->text().startsWith(QStringLiteral("<!--只在代码里-->")));
        QCOMPARE(f.openedUrls.size(), 2);
        QVERIFY(f.prompter->messages.isEmpty());
    }

    // A page with a file previews with its own folder as base; its text and
    // the design view stay without it.
    void previewOfAPageWithAFileResolvesBesideIt()
    {
        const QString file = f.path(QStringLiteral("网页.htm"));
        f.writeFile(file, "<meta charset=utf-8><p>\xE4\xB8\xAD<img src=\"pic.png\"></p>");
        f.prompter->buttons.enqueue(QMessageBox::No); // the page written in init() counts as changed
        f.open(file);
        QCOMPARE(f.state().currentPath, file);
        f.controller->PreviewPage();
        const QByteArray bytes = f.fileBytes(f.controller->preview().lastPath());
        const QString base = QStringLiteral("<base href=\"%1\">")
                                 .arg(QUrl::fromLocalFile(f.dir + QLatin1Char('/')).toString(QUrl::FullyEncoded));
        QCOMPARE(QString::fromUtf8(bytes), f.design->ReadDocument().replace(QStringLiteral("<head>"),
                                                                           QStringLiteral("<head>") + base));
        QVERIFY(!f.design->ReadDocument().contains(QStringLiteral("<base")));
        QVERIFY(!f.fileBytes(file).contains("<base"));
    }

    void previewFallsBackToTheTemporaryFolder()
    {
        const QByteArray oldTmp = qgetenv("TMPDIR");
        const QString tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", QFile::encodeName(tmp));
        f.controller->preview().setProgramDirectory(f.path(QStringLiteral("not-there")));
        f.controller->PreviewPage();
        qputenv("TMPDIR", oldTmp);
        QCOMPARE(f.controller->preview().lastPath(), tmp + QStringLiteral("/temp.htm"));
        QVERIFY(QFileInfo::exists(tmp + QStringLiteral("/temp.htm")));
        QCOMPARE(f.openedUrls.size(), 1);
        // Closing without saving removes the preview this run wrote.
        f.editDesign(QStringLiteral("x"));
        f.prompter->buttons.enqueue(QMessageBox::No);
        QVERIFY(f.controller->CloseProgram());
        QVERIFY(!QFileInfo::exists(tmp + QStringLiteral("/temp.htm")));
    }

    void previewThatCannotBeWrittenSaysSo()
    {
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(f.path(QStringLiteral("no-tmp"))));
        f.controller->preview().setProgramDirectory(f.path(QStringLiteral("not-there")));
        f.controller->PreviewPage();
        qputenv("TMPDIR", oldTmp);
        QVERIFY(f.openedUrls.isEmpty());
        QCOMPARE(f.informationTexts().size(), 1);
        QVERIFY(f.informationTexts().first().contains(QStringLiteral("temp.htm")));
    }
};

ZELVO_TEST_MAIN(ViewsTest)
#include "test_views.moc"
