// The page's life decided against stand-in views: no browser engine and no
// editor component start here. What the decisions need of the views is in
// document/PageSurfaces.h; the same decisions run end to end on the real
// views in test_lifecycle and test_views.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "document/DocumentController.h"
#include "document/PageFile.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>

namespace {

// The design view: it rewrites what it is given in its own way, as the engine does.
struct FakeDesign final : document::DesignSurface {
    QString page, folder;
    quint64 count = 0;
    int reads = 0, writes = 0;
    bool writePage(const QString &text, const QString &base) override
    {
        folder = base;
        page = text.toLower();
        ++count;
        ++writes;
        return true;
    }
    QString readPage() override
    {
        ++reads;
        // Like the engine with elements nested too deeply: no reading at all.
        return page.contains(QStringLiteral("<unreadable>")) ? QString() : page;
    }
    quint64 changeCount() override { return count; }
    bool setBaseFolder(const QString &base) override
    {
        folder = base;
        return true;
    }
    void focusPage() override {}
    QStringList addresses() override { return {}; }
    int rewriteAddresses(const QStringList &, const QStringList &) override { return 0; }
    bool undo() override { return false; }
    void type(const QString &text)
    {
        page.replace(QStringLiteral("</body>"), text + QStringLiteral("</body>"));
        ++count;
    }
};

// The code view with its modification flag.
struct FakeCode final : document::CodeSurface {
    QString content;
    bool modified = false;
    mutable int reads = 0;
    int replaces = 0;
    QString text() const override
    {
        ++reads;
        return content;
    }
    void replaceText(const QString &text) override
    {
        content = text;
        modified = true;
        ++replaces;
    }
    void loadText(const QString &text) override
    {
        content = text;
        modified = true;
    }
    bool isModified() const override { return modified; }
    void markUnmodified() override { modified = false; }
    void type(const QString &text)
    {
        content += text;
        modified = true;
    }
};

} // namespace

class DecisionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QTabWidget *views = nullptr;
    FakeDesign design;
    FakeCode code;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<document::DocumentController> controller;

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        views = new QTabWidget(window.get());
        views->addTab(new QWidget, QStringLiteral("编辑器"));
        views->addTab(new QWidget, QStringLiteral("源文件"));
        design = FakeDesign();
        code = FakeCode();
        prompter = std::make_unique<ScriptedPrompter>();
        controller = std::make_unique<document::DocumentController>(window.get(), design, code, *views);
        controller->preview().setProgramDirectory(testsupport::freshTempDir());
        controller->preview().setUrlOpener([](const QUrl &) { return true; });
        controller->InitialiseBlankPage();
    }
    void cleanup()
    {
        controller.reset();
        prompter.reset();
        window.reset();
    }

    // A view is read again only when it changed since it was last read.
    void unchangedViewsAreNotReadAgain()
    {
        const int designReads = design.reads;
        QVERIFY(!controller->IsPageChanged());
        QCOMPARE(design.reads, designReads);

        controller->ShowCodeView();
        QCOMPARE(code.content, design.page);
        QCOMPARE(code.replaces, 1);
        const int designAfter = design.reads, codeAfter = code.reads;
        for (int round = 0; round < 3; ++round) {
            controller->ShowDesignView();
            controller->ShowCodeView();
        }
        QCOMPARE(design.reads, designAfter);
        QCOMPARE(code.reads, codeAfter);
        QCOMPARE(code.replaces, 1);
        QCOMPARE(design.writes, 1); // the blank page only
        QCOMPARE(views->currentIndex(), 1);
    }

    // Edits travel with the switches, and the engine's reading of typed code
    // is what the design view then holds.
    void editsTravelWithTheSwitches()
    {
        design.type(QStringLiteral("<p>typed</p>"));
        QVERIFY(controller->IsPageChanged());
        controller->ShowCodeView();
        QVERIFY(code.content.contains(QStringLiteral("<p>typed</p>")));

        code.type(QStringLiteral("<P>CODE</P>"));
        controller->ShowDesignView();
        QCOMPARE(design.writes, 2);
        QVERIFY(design.page.endsWith(QStringLiteral("<p>code</p>")));

        // Typed and taken back: the texts are equal again, nothing is written.
        controller->ShowCodeView();
        code.type(QStringLiteral("x"));
        code.content.chop(1);
        controller->ShowDesignView();
        QCOMPARE(design.writes, 2);
    }

    // A page the design view cannot read back is refused when it is opened,
    // not when it is saved: the page shown before stays in both views, with
    // its file.
    void unreadablePageIsRefusedAtOpening()
    {
        const QString dir = testsupport::freshTempDir();
        const QString shownPath = QDir(dir).filePath(QStringLiteral("shown.htm"));
        const QString deepPath = QDir(dir).filePath(QStringLiteral("deep.htm"));
        for (const auto &[path, body] : {std::pair{shownPath, "<p>shown</p>"}, std::pair{deepPath, "<unreadable>"}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<html><body>") + body + "</body></html>");
        }
        QVERIFY(controller->OpenPath(shownPath));
        const QString before = design.page;
        design.type(QStringLiteral("<p>typed</p>"));
        const QString typed = design.page;

        QVERIFY(!controller->OpenPath(deepPath));
        QCOMPARE(prompter->messages.size(), 1);
        QVERIFY(prompter->messages.at(0).text.startsWith(QStringLiteral("无法打开网页")));
        QCOMPARE(design.page, typed);
        QCOMPARE(controller->state().currentPath, shownPath);
        QVERIFY(controller->IsPageChanged());
        controller->ShowCodeView();
        QCOMPARE(code.content, typed);
        QVERIFY(before != typed);
    }

    // A change made in the hidden design view while the code view is shown
    // gives way to the code at the switch back.
    void codeWinsOverHiddenDesignChanges()
    {
        controller->ShowCodeView();
        const QString shownCode = code.content;
        design.type(QStringLiteral("<hr>"));
        controller->ShowDesignView();
        QCOMPARE(design.page, shownCode.toLower());
    }

    // Relative addresses always have a local folder to resolve against: the
    // home folder for the page of the start, then the folder of the file
    // last opened or saved to, which Save As changes without writing the
    // page again (its caret and history stay).
    void thePageAlwaysHasAFolder()
    {
        QCOMPARE(design.folder, QDir::homePath());
        const QString dir = testsupport::freshTempDir();
        QVERIFY(QDir(dir).mkpath(QStringLiteral("other")));
        const QString path = QDir(dir).filePath(QStringLiteral("a.htm"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body></body></html>");
        f.close();
        QVERIFY(controller->OpenPath(path));
        QCOMPARE(design.folder, dir);

        const int writes = design.writes;
        prompter->fileNames.enqueue(QDir(dir).filePath(QStringLiteral("other/b.htm")));
        QVERIFY(controller->SavePageAs());
        QCOMPARE(design.folder, QDir(dir).filePath(QStringLiteral("other")));
        QCOMPARE(design.writes, writes);
        QCOMPARE(controller->state().currentPath, path); // Save still writes to the opened file
        design.type(QStringLiteral("x"));
        controller->ShowCodeView();
        code.type(QStringLiteral("y"));
        controller->ShowDesignView();
        QCOMPARE(design.folder, QDir(dir).filePath(QStringLiteral("other")));
    }

    void closing_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("asked");
        QTest::newRow("unchanged page") << false << int(QMessageBox::Cancel) << true << false;
        QTest::newRow("changed, no") << true << int(QMessageBox::No) << true << true;
        QTest::newRow("changed, cancel") << true << int(QMessageBox::Cancel) << false << true;
        QTest::newRow("changed, yes, save cancelled") << true << int(QMessageBox::Yes) << false << true;
    }
    void closing()
    {
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, asked);
        if (edited)
            design.type(QStringLiteral("x"));
        prompter->buttons.enqueue(QMessageBox::StandardButton(answer)); // the save dialog is then cancelled
        QCOMPARE(controller->CloseProgram(), closes);
        QCOMPARE(!prompter->messages.isEmpty(), asked);
    }
};

ZELVO_TEST_MAIN(DecisionsTest)
#include "test_decisions.moc"
