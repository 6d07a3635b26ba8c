// New, Open, Save, Save As and closing against a real design view and code
// editor: the state after each operation, the unsaved-changes prompt, failed
// and cancelled writes, and every kind of page encoding.
#include "DocumentFixture.h"
#include "document/BlankPage.h"
#include "text/PageCodec.h"

#include <QDir>
#include <QFileInfo>

using namespace document;

namespace {

const QString kPrompt = QStringLiteral("当前文件已改变，是否保存修改？");
const QString kSaved = QStringLiteral("保存文档成功！");
const QByteArray kMetaGb2312 = "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">";

enum class Command { New, Open, Close };

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class LifecycleTest : public QObject {
    Q_OBJECT
    DocumentFixture f;

private slots:
    void initTestCase() { f.create(); }
    void init() { f.reset(); }

    void startUpPageCountsAsUnchanged()
    {
        QVERIFY(f.state().currentPath.isEmpty());
        QCOMPARE(f.state().savedText, f.design->ReadDocument());
        QVERIFY(f.state().savedText != BlankPageTemplate()); // the engine rewrites the markup
        QVERIFY(f.code->text().isEmpty());
        QCOMPARE(f.designTitle(), QStringLiteral("无标题网页"));
        QVERIFY(!f.controller->IsPageChanged());
        QVERIFY(f.controller->CloseProgram());
        QVERIFY(f.prompter->messages.isEmpty());
    }

    void newPageWritesTheTemplateAndCountsAsUnchanged()
    {
        const QString file = f.path(QStringLiteral("新建网页.htm"));
        f.writeFile(file, "an older file of that name");
        f.editDesign(QStringLiteral("old"));
        f.views->setCurrentIndex(1); // the current view stays as it was
        f.prompter->buttons.enqueue(QMessageBox::No);
        f.prompter->fileNames.enqueue(file);
        f.controller->NewPageCommand();

        QCOMPARE(f.prompter->fileDialogs.size(), 1);
        const ShownFileDialog dialog = f.prompter->fileDialogs.first();
        QVERIFY(dialog.save);
        QCOMPARE(dialog.request.filter, QStringLiteral("HTML文件（*.htm）|*.htm"));
        QCOMPARE(dialog.request.defaultSuffix, QStringLiteral("*.htm"));
        QCOMPARE(dialog.request.proposedName, QStringLiteral("新建网页"));

        QCOMPARE(f.fileBytes(file), BlankPageTemplateBytes());
        QCOMPARE(f.state().currentPath, file);
        QCOMPARE(f.code->text(), BlankPageTemplate());
        QCOMPARE(f.designTitle(), QStringLiteral("无标题网页"));
        QVERIFY(!f.designBody().contains(QStringLiteral("old")));
        QCOMPARE(f.views->currentIndex(), 1);
        QCOMPARE(f.state().savedText, f.design->ReadDocument());
        // The new page counts as unchanged: New again asks nothing.
        f.prompter->messages.clear();
        f.controller->NewPageCommand();
        QVERIFY(!f.promptedToSave());
        // Undo in the code view does not bring the old page back.
        f.code->undo();
        QCOMPARE(f.code->text(), BlankPageTemplate());
    }

    void cancelledNewChangesNothing()
    {
        f.editDesign(QStringLiteral("kept"));
        f.prompter->buttons.enqueue(QMessageBox::No);
        f.controller->NewPageCommand(); // the dialog answers cancel
        QCOMPARE(f.prompter->fileDialogs.size(), 1);
        QVERIFY(QDir(f.dir).isEmpty());
        QVERIFY(f.state().currentPath.isEmpty());
        QVERIFY(f.designBody().contains(QStringLiteral("kept")));
    }

    void newThatCannotWriteKeepsThePage()
    {
        f.editDesign(QStringLiteral("kept"));
        const QString file = f.path(QStringLiteral("missing/a.htm"));
        f.prompter->buttons.enqueue(QMessageBox::No);
        f.prompter->fileNames.enqueue(file);
        f.controller->NewPageCommand();
        QCOMPARE(f.informationTexts().size(), 1);
        const QString message = f.informationTexts().first();
        QVERIFY2(message.contains(file) && message.contains(QStringLiteral("文件夹不存在")), qPrintable(message));
        QVERIFY(f.state().currentPath.isEmpty());
        QVERIFY(f.designBody().contains(QStringLiteral("kept")));
        QVERIFY(f.controller->IsPageChanged());
    }

    // The prompt of New, Open and closing, and what each answer does.
    void unsavedChangesPrompt_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("saved");      // the page file holds the edit afterwards
        QTest::addColumn<bool>("proceeded");  // New/Open showed its dialog; closing allowed
        for (auto c : {Command::New, Command::Open, Command::Close}) {
            const char *name = c == Command::New ? "new" : c == Command::Open ? "open" : "close";
            QTest::addRow("%s yes", name) << c << QMessageBox::Yes << true << (c == Command::Close);
            QTest::addRow("%s no", name) << c << QMessageBox::No << false << true;
            QTest::addRow("%s cancel", name) << c << QMessageBox::Cancel << false << false;
            QTest::addRow("%s box closed", name) << c << QMessageBox::Escape << false << false;
        }
    }
    void unsavedChangesPrompt()
    {
        QFETCH(Command, command);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, saved);
        QFETCH(bool, proceeded);
        const QString file = f.path(QStringLiteral("page.htm"));
        f.writeFile(file, kMetaGb2312 + "<p>first</p>");
        f.open(file);
        f.editDesign(QStringLiteral("edited"));
        f.prompter->messages.clear();
        f.prompter->fileDialogs.clear();

        f.prompter->buttons.enqueue(answer);
        bool mayClose = false;
        if (command == Command::New)
            f.controller->NewPageCommand();
        else if (command == Command::Open)
            f.controller->OpenPageCommand();
        else
            mayClose = f.controller->CloseProgram();

        QVERIFY(!f.prompter->messages.isEmpty());
        const ShownMessage prompt = f.prompter->messages.first();
        QCOMPARE(prompt.caption, QStringLiteral("是否保存"));
        QCOMPARE(prompt.text, kPrompt);
        QCOMPARE(prompt.icon, QMessageBox::Question);
        QCOMPARE(prompt.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        QCOMPARE(f.fileBytes(file).contains("edited"), saved);
        if (command == Command::Close)
            QCOMPARE(mayClose, proceeded);
        else
            QCOMPARE(!f.prompter->fileDialogs.isEmpty(), proceeded);
        // Yes saves and stops; the command given again finds the page unchanged.
        if (answer == QMessageBox::Yes && command != Command::Close) {
            QCOMPARE(f.informationTexts(), QStringList{kSaved});
            f.prompter->messages.clear();
            f.controller->NewPageCommand();
            QVERIFY(!f.promptedToSave());
            QCOMPARE(f.prompter->fileDialogs.size(), 1);
        }
    }

    void openPutsTheFileInBothViews()
    {
        const QString file = f.path(QStringLiteral("页.htm"));
        const QByteArray bytes = kMetaGb2312 + "\r\n<BODY BGCOLOR=white><P ALIGN=center>\xD6\xD0\xCE\xC4<IMG SRC=\"pic.png\"></BODY>";
        f.writeFile(file, bytes);
        f.open(file);

        const ShownFileDialog dialog = f.prompter->fileDialogs.first();
        QVERIFY(!dialog.save);
        QCOMPARE(dialog.request.filter, QStringLiteral("HTML文件(*.htm);(*.html)|*.htm;*.html"));
        QVERIFY(dialog.request.defaultSuffix.isEmpty());
        QVERIFY(dialog.request.proposedName.isEmpty());

        const QString text = decodePage(bytes).text;
        QCOMPARE(f.state().currentPath, file);
        QCOMPARE(f.state().savedText, f.design->ReadDocument());
        QVERIFY(f.state().savedText != text);
        QCOMPARE(f.state().encoding.charset, text::PageCharset::Gbk);
        QVERIFY(f.designBody().contains(QStringLiteral("中文")));
        QVERIFY(!f.controller->IsPageChanged());
        // Relative addresses resolve beside the page's file.
        QCOMPARE(QUrl(f.design->evaluate(QStringLiteral("document.images[0].src;")).toString()).path(),
                 f.path(QStringLiteral("pic.png")));
        // The code view, once shown, holds the engine's reading, with the
        // file's own text one undo step back.
        f.controller->ShowCodeView();
        QCOMPARE(f.code->text(), f.design->ReadDocument());
        f.code->undo();
        QCOMPARE(f.code->text(), text);
    }

    // A large page is not read back while it stays as it was opened: it
    // counts as unchanged, and any change since, even one taken back, counts
    // as changed (its reading at opening was never taken). A save makes the
    // comparison exact again.
    void largePageIsNotReadBackWhileUnchanged()
    {
        const QString file = f.path(QStringLiteral("large.htm"));
        f.writeFile(file, "<html><body><p>" + QByteArray(300 * 1024, 'x') + "</p></body></html>");
        f.open(file);
        QVERIFY(!f.controller->HasUnsavedWork());
        QVERIFY(!f.controller->IsPageChanged());
        QVERIFY(f.state().savedText.isEmpty());

        f.editDesign(QStringLiteral("y"));
        QVERIFY(f.controller->HasUnsavedWork());
        QVERIFY(f.design->evaluate(QStringLiteral("document.body.lastChild.remove(); true;")).toBool());
        QVERIFY(f.controller->IsPageChanged());
        f.prompter->buttons.enqueue(QMessageBox::Cancel);
        QVERIFY(!f.controller->CloseProgram());
        QCOMPARE(f.prompter->messages.size(), 1);
        QCOMPARE(f.prompter->messages.at(0).text, kPrompt);
        QVERIFY(f.controller->SavePage());
        QVERIFY(!f.controller->IsPageChanged());
        f.editDesign(QStringLiteral("z"));
        QVERIFY(f.controller->HasUnsavedWork());
    }

    void openRefusalChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << QStringLiteral("gone.htm") << QByteArray() << QStringLiteral("文件不存在");
        QTest::newRow("a folder") << QStringLiteral("folder") << QByteArray() << QStringLiteral("文件夹");
        QTest::newRow("zero byte") << QStringLiteral("z.htm") << QByteArray("<p>a\0b</p>", 10)
                                   << QStringLiteral("零字节");
        QTest::newRow("no known encoding") << QStringLiteral("bad.htm") << QByteArray("<p>\xD6\xD0\x81</p>")
                                           << QStringLiteral("编码");
    }
    void openRefusalChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString first = f.path(QStringLiteral("first.htm"));
        f.writeFile(first, "<p>first page</p>");
        f.open(first);
        QDir(f.dir).mkdir(QStringLiteral("folder"));
        if (!content.isEmpty())
            f.writeFile(f.path(name), content);
        const QString savedBefore = f.state().savedText;

        f.open(f.path(name));
        QCOMPARE(f.informationTexts().size(), 1);
        const QString message = f.informationTexts().first();
        QVERIFY2(message.contains(f.path(name)) && message.contains(reason), qPrintable(message));
        QCOMPARE(f.state().currentPath, first);
        QCOMPARE(f.state().savedText, savedBefore);
        QVERIFY(f.designBody().contains(QStringLiteral("first page")));
        f.controller->ShowCodeView();
        QVERIFY(f.code->text().contains(QStringLiteral("first page")));
        QCOMPARE(f.fileBytes(f.path(name)), content);
    }

    // Every kind of file opens with every character intact and is saved in
    // its own encoding with every character kept, including one added.
    void pagesKeepTheirEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("bom");
        QTest::addColumn<QString>("content");
        QTest::addColumn<text::PageCharset>("charset");
        const QString chinese = QStringLiteral("中文网页");
        QTest::newRow("gbk") << kMetaGb2312 + "<p>" + QByteArray::fromHex("d6d0cec4cdf8d2b3") + "</p>"
                             << QByteArray() << chinese << text::PageCharset::Gbk;
        QTest::newRow("gbk outside gbk") << kMetaGb2312 + "<p>" + QByteArray::fromHex("d6d0cec49439fc36") + "</p>"
                                         << QByteArray() << QStringLiteral("中文😀") << text::PageCharset::Gbk;
        QTest::newRow("utf-8") << "<p>" + chinese.toUtf8() + "</p>" << QByteArray() << chinese
                               << text::PageCharset::Utf8;
        QTest::newRow("utf-8 bom") << "\xEF\xBB\xBF<p>" + chinese.toUtf8() + "</p>" << QByteArray("\xEF\xBB\xBF")
                                   << chinese << text::PageCharset::Utf8;
        QTest::newRow("meta charset") << "<meta charset=\"utf-8\"><p>" + chinese.toUtf8() + "</p>"
                                      << QByteArray() << chinese << text::PageCharset::Utf8;
        QByteArray utf16("\xFF\xFE", 2);
        const QString u16text = QStringLiteral("<p>") + chinese + QStringLiteral("</p>");
        utf16 += QByteArray(reinterpret_cast<const char *>(u16text.utf16()), u16text.size() * 2);
        QTest::newRow("utf-16 bom") << utf16 << QByteArray("\xFF\xFE", 2) << chinese << text::PageCharset::Utf16LE;
    }
    void pagesKeepTheirEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, bom);
        QFETCH(QString, content);
        QFETCH(text::PageCharset, charset);
        const QString file = f.path(QStringLiteral("enc.htm"));
        f.writeFile(file, bytes);
        f.open(file);
        QVERIFY2(f.informationTexts().isEmpty(), qPrintable(f.informationTexts().join('\n')));
        QCOMPARE(f.state().encoding.charset, charset);
        QVERIFY(f.designBody().contains(content));

        const QString added = QStringLiteral("新增€𠀀한");
        f.editDesign(added);
        QVERIFY(f.controller->SavePage());
        const QByteArray written = f.fileBytes(file);
        QCOMPARE(written.left(bom.size()), bom);
        QVERIFY(bom.size() || written.startsWith('<')); // no mark where there was none
        const DecodedPage reread = decodePage(written);
        QVERIFY(reread.ok);
        QCOMPARE(reread.encoding, f.state().encoding);
        QCOMPARE(reread.encoding.charset, charset);
        // A GBK page holds what GBK lacks as character references.
        if (charset == text::PageCharset::Gbk)
            QVERIFY(written.contains("&#8364;&#131072;&#54620;"));
        else
            QCOMPARE(reread.text, f.design->ReadDocument());
        QVERIFY(reread.text.contains(content.left(2)));
        // And it opens again as it was saved.
        f.open(file);
        QVERIFY(f.designBody().contains(content) && f.designBody().contains(added));
    }

    void saveWritesToTheCurrentFile()
    {
        const QString file = f.path(QStringLiteral("a.htm"));
        f.writeFile(file, kMetaGb2312 + "<p>a</p>");
        f.open(file);
        f.editDesign(QStringLiteral("中文"));
        QVERIFY(f.controller->IsPageChanged());
        QVERIFY(f.controller->SavePage());
        QCOMPARE(f.informationTexts(), QStringList{kSaved});
        QCOMPARE(f.prompter->messages.last().icon, QMessageBox::NoIcon);
        QCOMPARE(f.state().currentPath, file);
        QCOMPARE(f.state().savedText, f.design->ReadDocument());
        QCOMPARE(f.fileBytes(file), encodePage(f.design->ReadDocument(), gbkEncoding()));
        QVERIFY(!f.controller->IsPageChanged());
    }

    void saveWithoutAFileAsksEachTime()
    {
        f.editDesign(QStringLiteral("x"));
        const QString copy = f.path(QStringLiteral("copy.htm"));
        f.prompter->fileNames.enqueue(copy);
        QVERIFY(f.controller->SavePage());
        QCOMPARE(f.prompter->fileDialogs.size(), 1);
        const ShownFileDialog dialog = f.prompter->fileDialogs.first();
        QVERIFY(dialog.save);
        QCOMPARE(dialog.request.filter, QStringLiteral("HTML文件（*.htm）|*.htm"));
        QCOMPARE(dialog.request.defaultSuffix, QStringLiteral("*.htm"));
        QCOMPARE(dialog.request.proposedName, QStringLiteral("blank"));
        QCOMPARE(decodePage(f.fileBytes(copy)).text, f.design->ReadDocument());
        QVERIFY(f.state().currentPath.isEmpty());
        QVERIFY(!f.controller->IsPageChanged());
        f.controller->SavePage(); // asks again; cancelled
        QCOMPARE(f.prompter->fileDialogs.size(), 2);
    }

    void saveAfterSaveAsWritesToTheOpenedFile()
    {
        const QString opened = f.path(QStringLiteral("opened.htm"));
        const QString other = f.path(QStringLiteral("other.htm"));
        f.writeFile(opened, "<p>a</p>");
        f.open(opened);
        f.prompter->fileNames.enqueue(other);
        QVERIFY(f.controller->SavePageAs());
        f.editDesign(QStringLiteral("later"));
        QVERIFY(f.controller->SavePage());
        QVERIFY(f.fileBytes(opened).contains("later"));
        QVERIFY(!f.fileBytes(other).contains("later"));
    }

    void cancelledSaveAsKeepsThePageChanged()
    {
        f.editDesign(QStringLiteral("x"));
        QVERIFY(!f.controller->SavePageAs());
        QVERIFY(!f.controller->SavePage()); // Save without a file: Save As, cancelled
        QVERIFY(QDir(f.dir).isEmpty());
        QVERIFY(f.informationTexts().isEmpty());
        f.controller->NewPageCommand(); // still asks
        QVERIFY(f.promptedToSave());
    }

    void failedSaveSaysWhyAndKeepsThePageChanged_data()
    {
        QTest::addColumn<bool>("folderInPlace");
        QTest::newRow("folder removed") << false;
        QTest::newRow("folder in the file's place") << true;
    }
    void failedSaveSaysWhyAndKeepsThePageChanged()
    {
        QFETCH(bool, folderInPlace);
        QDir(f.dir).mkdir(QStringLiteral("sub"));
        const QString file = f.path(QStringLiteral("sub/a.htm"));
        f.writeFile(file, "<p>a</p>");
        f.open(file);
        f.editDesign(QStringLiteral("edit"));
        if (folderInPlace) {
            QFile::remove(file);
            QDir(f.dir).mkpath(QStringLiteral("sub/a.htm"));
        } else {
            QDir(f.path(QStringLiteral("sub"))).removeRecursively();
        }
        QVERIFY(!f.controller->SavePage());
        QCOMPARE(f.informationTexts().size(), 1);
        const QString message = f.informationTexts().first();
        QVERIFY2(message.contains(file) && message.contains(QStringLiteral("原因：")), qPrintable(message));
        QVERIFY(f.controller->IsPageChanged());
        QCOMPARE(f.state().currentPath, file);
    }

    // Closing with a changed page: every way a save can go, from the close box
    // and 文件 › 退出 alike (both ask CloseProgram whether to end).
    void closingWithChanges_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QString>("saveAsName"); // "" cancels the Save As dialog; "bad" names a missing folder
        QTest::addColumn<bool>("mayEnd");
        QTest::addColumn<bool>("fileHasEdit");
        QTest::addColumn<bool>("previewRemoved");
        QTest::newRow("cancel") << QMessageBox::Cancel << true << QString() << false << false << false;
        QTest::newRow("no") << QMessageBox::No << true << QString() << true << false << true;
        QTest::newRow("yes with file") << QMessageBox::Yes << true << QString() << true << true << true;
        QTest::newRow("yes, file gone bad") << QMessageBox::Yes << true << QStringLiteral("bad") << false << false << false;
        QTest::newRow("yes without file") << QMessageBox::Yes << false << QStringLiteral("new.htm") << true << true << true;
        QTest::newRow("yes without file, cancelled") << QMessageBox::Yes << false << QString() << false << false << false;
        QTest::newRow("yes without file, bad folder") << QMessageBox::Yes << false << QStringLiteral("bad") << false << false << false;
    }
    void closingWithChanges()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, hasFile);
        QFETCH(QString, saveAsName);
        QFETCH(bool, mayEnd);
        QFETCH(bool, fileHasEdit);
        QFETCH(bool, previewRemoved);
        QString file = f.path(QStringLiteral("page.htm"));
        if (hasFile) {
            QDir(f.dir).mkdir(QStringLiteral("sub"));
            file = f.path(QStringLiteral("sub/page.htm"));
            f.writeFile(file, "<p>a</p>");
            f.open(file);
        }
        f.controller->PreviewPage();
        const QString preview = f.program + QStringLiteral("/temp.htm");
        QVERIFY(QFileInfo::exists(preview));
        f.editDesign(QStringLiteral("edit"));
        if (saveAsName == QStringLiteral("bad") && hasFile)
            QDir(f.path(QStringLiteral("sub"))).removeRecursively();
        f.prompter->buttons.enqueue(answer);
        if (!hasFile && !saveAsName.isEmpty()) {
            file = saveAsName == QStringLiteral("bad") ? f.path(QStringLiteral("missing/x.htm")) : f.path(saveAsName);
            f.prompter->fileNames.enqueue(file);
        }
        f.prompter->messages.clear();
        f.prompter->fileDialogs.clear();

        QCOMPARE(f.controller->CloseProgram(), mayEnd);
        QCOMPARE(f.fileBytes(file).contains("edit"), fileHasEdit);
        QCOMPARE(!QFileInfo::exists(preview), previewRemoved);
        if (answer == QMessageBox::Yes && !hasFile) {
            // The program's own Save As dialog.
            QCOMPARE(f.prompter->fileDialogs.size(), 1);
            QCOMPARE(f.prompter->fileDialogs.first().request.proposedName, QStringLiteral("blank"));
        }
        if (saveAsName == QStringLiteral("bad"))
            QVERIFY(f.informationTexts().size() == 1 && f.informationTexts().first().contains(QStringLiteral("原因：")));
        else
            QVERIFY(f.informationTexts().isEmpty()); // no success box while closing
        if (!mayEnd)
            QVERIFY(f.controller->IsPageChanged());
    }

    void closingAnUnchangedPageLeavesThePreview()
    {
        f.controller->PreviewPage();
        QVERIFY(f.controller->CloseProgram());
        QVERIFY(f.prompter->messages.isEmpty());
        QVERIFY(QFileInfo::exists(f.program + QStringLiteral("/temp.htm")));
    }

    // Typing in the code view reaches neither the file nor the close prompt
    // until the user switches back to the design view.
    void codeEditsCountOnlyAfterSwitchingBack()
    {
        const QString file = f.path(QStringLiteral("a.htm"));
        f.writeFile(file, "<p>a</p>");
        f.open(file);
        f.controller->ShowCodeView();
        f.code->insertTextAt(0, QStringLiteral("<!-- typed -->"));
        QVERIFY(f.controller->SavePage());
        QVERIFY(!f.fileBytes(file).contains("typed"));
        QVERIFY(f.controller->CloseProgram());
        QVERIFY(!f.promptedToSave());
        f.controller->ShowDesignView();
        QVERIFY(f.controller->IsPageChanged());
    }
};

ZELVO_TEST_MAIN(LifecycleTest)
#include "test_lifecycle.moc"
