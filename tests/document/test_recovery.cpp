// Recovery copies: what is kept and when, what a normal end removes, what
// the next start offers back, and that two editors keep to their own copies.
#include "DocumentFixture.h"
#include "document/RecoveryKeeper.h"

#include <QDir>
#include <QFileInfo>

using namespace document;

Q_DECLARE_METATYPE(RecoveryCopy)

namespace {

std::optional<RecoveryCopy> copyIn(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return RecoveryStore::parse(f.readAll());
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

quint64 inodeOf(const QString &file)
{
    return text::stampOf(file).inode;
}

// A copy left behind by an editor that has ended without removing it.
void leaveCopy(const QString &dir, const RecoveryCopy &copy)
{
    RecoveryStore gone(dir);
    QVERIFY(gone.isReady());
    QVERIFY(gone.writeNow(copy));
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
    DocumentFixture f;
    QString storeDir;
    std::unique_ptr<RecoveryStore> store;
    std::unique_ptr<RecoveryKeeper> keeper;

private slots:
    void initTestCase() { f.create(); }
    void init()
    {
        f.reset();
        storeDir = testsupport::freshTempDir() + QStringLiteral("/recovery");
        store = std::make_unique<RecoveryStore>(storeDir);
        QVERIFY(store->isReady());
        // The test brings the copy up to date itself.
        keeper = std::make_unique<RecoveryKeeper>(*f.controller, *store, 3600 * 1000);
    }
    void cleanup()
    {
        keeper.reset();
        f.controller.reset();
        store.reset();
    }

    void copiesReadBackAsWritten_data()
    {
        QTest::addColumn<RecoveryCopy>("copy");
        RecoveryCopy blank;
        blank.designText = QStringLiteral("<html><body>新网页</body></html>");
        blank.codeText = blank.designText;
        QTest::newRow("new page, views alike") << blank;
        RecoveryCopy code;
        code.path = QStringLiteral("/页面/网页.htm");
        code.encoding = {text::PageCharset::Other, false, "CP950"};
        code.designText = QStringLiteral("<p>設計</p>");
        code.codeText = QStringLiteral("<p>代碼 \U0001F600</p>");
        code.codeViewCurrent = true;
        code.savingTo = QStringLiteral("/页面/另存.htm");
        QTest::newRow("code view ahead, Big5, saving") << code;
    }
    void copiesReadBackAsWritten()
    {
        QFETCH(RecoveryCopy, copy);
        copy.writtenAt = QDateTime::currentDateTime();
        const std::optional<RecoveryCopy> back = RecoveryStore::parse(RecoveryStore::serialise(copy));
        QVERIFY(back);
        QCOMPARE(back->path, copy.path);
        QVERIFY(back->encoding == copy.encoding);
        QCOMPARE(back->designText, copy.designText);
        QCOMPARE(back->codeText, copy.codeText);
        QCOMPARE(back->codeViewCurrent, copy.codeViewCurrent);
        QCOMPARE(back->writtenAt, copy.writtenAt);
        QCOMPARE(back->savingTo, copy.savingTo);
    }

    void damagedCopiesAreRefused()
    {
        RecoveryCopy copy;
        copy.designText = QStringLiteral("<p>x</p>");
        const QByteArray good = RecoveryStore::serialise(copy);
        QVERIFY(RecoveryStore::parse(good));
        QVERIFY(!RecoveryStore::parse(good.chopped(1)));
        QVERIFY(!RecoveryStore::parse(good + 'x'));
        QVERIFY(!RecoveryStore::parse(QByteArray(good).replace(0, 4, "ABCD")));
        QVERIFY(!RecoveryStore::parse(QByteArray()));
    }

    // Unsaved work is copied, an unchanged page is not copied again, and
    // saving or closing removes the copy.
    void copyFollowsTheWork()
    {
        keeper->update(true);
        QVERIFY(!QFileInfo::exists(store->copyPath())); // nothing to keep yet

        f.editDesign(QStringLiteral("第一段"));
        keeper->update(true);
        std::optional<RecoveryCopy> copy = copyIn(store->copyPath());
        QVERIFY(copy);
        QVERIFY(copy->designText.contains(QStringLiteral("第一段")));
        QVERIFY(copy->path.isEmpty());
        QVERIFY(!copy->codeViewCurrent);
        const quint64 written = inodeOf(store->copyPath());
        keeper->update(true);
        QCOMPARE(inodeOf(store->copyPath()), written); // unchanged: not written again

        const QString file = f.path(QStringLiteral("页.htm"));
        f.prompter->fileNames.enqueue(file);
        QVERIFY(f.controller->SavePage());
        QTRY_VERIFY(!QFileInfo::exists(store->copyPath()));

        f.editDesign(QStringLiteral("第二段"));
        keeper->update(true);
        QVERIFY(QFileInfo::exists(store->copyPath()));
        f.prompter->buttons.enqueue(QMessageBox::Cancel);
        QVERIFY(!f.controller->CloseProgram());
        QVERIFY(QFileInfo::exists(store->copyPath())); // still running: still kept
        f.prompter->buttons.enqueue(QMessageBox::No);
        QVERIFY(f.controller->CloseProgram());
        QVERIFY(!QFileInfo::exists(store->copyPath()));
        QCOMPARE(filesIn(storeDir).size(), 1); // this editor's lock, while it runs
    }

    // Edits in the code view that have not reached the design view are work too.
    void codeViewEditsAreKept()
    {
        f.controller->ShowCodeView();
        f.code->insertTextAt(0, QStringLiteral("<!-- 代码里的修改 -->"));
        QVERIFY(f.controller->HasUnsavedWork());
        keeper->update(true);
        const std::optional<RecoveryCopy> copy = copyIn(store->copyPath());
        QVERIFY(copy);
        QVERIFY(copy->codeViewCurrent);
        QVERIFY(copy->codeText.startsWith(QStringLiteral("<!-- 代码里的修改 -->")));
        QVERIFY(!copy->designText.contains(QStringLiteral("代码里的修改")));
    }

    // A save that is cut short leaves the copy that names where it went.
    void aSaveUnderWayIsRecorded()
    {
        f.editDesign(QStringLiteral("保存中"));
        const QString target = f.path(QStringLiteral("no-such-folder/页.htm"));
        f.prompter->fileNames.enqueue(target);
        QVERIFY(!f.controller->SavePageAs()); // the write fails after the copy was made
        const std::optional<RecoveryCopy> copy = copyIn(store->copyPath());
        QVERIFY(copy);
        QCOMPARE(copy->savingTo, target);
        QVERIFY(copy->designText.contains(QStringLiteral("保存中")));
    }

    // A running editor's copy is never taken; one whose editor has ended is.
    void twoEditorsKeepToTheirOwnCopies()
    {
        f.editDesign(QStringLiteral("甲的修改"));
        keeper->update(true);
        {
            RecoveryStore other(storeDir);
            QVERIFY(other.isReady());
            QVERIFY(other.takeLeftCopies().isEmpty());
            RecoveryCopy theirs;
            theirs.designText = QStringLiteral("<p>乙的修改</p>");
            theirs.codeText = theirs.designText;
            QVERIFY(other.writeNow(theirs));
            QVERIFY(store->takeLeftCopies().isEmpty());
        } // ended without removing its copy
        const QList<RecoveryStore::LeftCopy> left = store->takeLeftCopies();
        QCOMPARE(left.size(), 1);
        QVERIFY(left.first().copy);
        QCOMPARE(left.first().copy->designText, QStringLiteral("<p>乙的修改</p>"));
        QVERIFY(store->takeLeftCopies().isEmpty()); // taken once
        store->discard(left.first());
        const QString mine = QFileInfo(store->copyPath()).completeBaseName();
        QCOMPARE(filesIn(storeDir), (QStringList{mine + ".lock", mine + ".page"}));
    }

    void leftCopiesAreOffered_data()
    {
        QTest::addColumn<int>("choice"); // 0 恢复, 1 放弃, -1 no answer
        QTest::addColumn<bool>("codeViewCurrent");
        QTest::newRow("restore") << 0 << false;
        QTest::newRow("restore with the code view ahead") << 0 << true;
        QTest::newRow("discard") << 1 << false;
        QTest::newRow("no answer") << -1 << false;
    }
    void leftCopiesAreOffered()
    {
        QFETCH(int, choice);
        QFETCH(bool, codeViewCurrent);
        const QString file = f.path(QStringLiteral("网页.htm"));
        f.writeFile(file, "<html><body><p>old</p></body></html>");
        RecoveryCopy copy;
        copy.path = file;
        copy.designText = QStringLiteral("<html><head></head><body><p>找回的文字</p></body></html>");
        copy.codeText = codeViewCurrent ? QStringLiteral("<p>代码视图里的文字</p>") : copy.designText;
        copy.codeViewCurrent = codeViewCurrent;
        copy.savingTo = file;
        leaveCopy(storeDir, copy);
        // What the cut-short save left beside the page (the first half of the
        // page's bytes), and the user's own files that are only named alike.
        const QByteArray page = text::encodePage(copy.designText, text::gbkEncoding());
        f.writeFile(file + QStringLiteral(".Ab3dE9"), page.left(page.size() / 2));
        f.writeFile(file + QStringLiteral(".Cd4eF0"), page); // cut short in the final rename
        f.writeFile(file + QStringLiteral(".backup"), "mine");
        f.writeFile(file + QStringLiteral(".Zz9yX8"), page + "more");

        if (choice >= 0)
            f.prompter->choices.enqueue(choice);
        keeper->offerLeftCopies(f.window.get());

        QCOMPARE(f.prompter->messages.size(), 1);
        const ShownMessage &asked = f.prompter->messages.first();
        QCOMPARE(asked.caption, QStringLiteral("恢复网页"));
        QCOMPARE(asked.choices, (QStringList{QStringLiteral("恢复"), QStringLiteral("放弃")}));
        QVERIFY2(asked.text.contains(QDir::toNativeSeparators(file)) && asked.text.contains(QStringLiteral(".Ab3dE9")) &&
                     asked.text.contains(QDate::currentDate().toString(QStringLiteral("yyyy年M月d日"))),
                 qPrintable(asked.text));
        QVERIFY(!asked.text.contains(QStringLiteral(".backup")) && !asked.text.contains(QStringLiteral(".Zz9yX8")));
        QVERIFY(QFileInfo::exists(file + QStringLiteral(".backup")));
        QVERIFY(QFileInfo::exists(file + QStringLiteral(".Zz9yX8")));
        QVERIFY(asked.text.contains(QStringLiteral(".Cd4eF0")));
        QCOMPARE(QFileInfo::exists(file + QStringLiteral(".Ab3dE9")), choice < 0);
        QCOMPARE(QFileInfo::exists(file + QStringLiteral(".Cd4eF0")), choice < 0);
        QCOMPARE(store->takeLeftCopies().size(), choice < 0 ? 1 : 0);

        if (choice != 0) {
            QVERIFY(!f.controller->IsPageChanged());
            QVERIFY(f.state().currentPath.isEmpty());
            return;
        }
        QCOMPARE(f.state().currentPath, file);
        QVERIFY(f.designBody().contains(QStringLiteral("找回的文字")));
        QVERIFY(f.controller->IsPageChanged()); // an unsaved change to the file
        QCOMPARE(f.views->currentIndex(), codeViewCurrent ? 1 : 0);
        if (codeViewCurrent)
            QCOMPARE(f.code->text(), copy.codeText);
        // This editor keeps it from now on.
        const std::optional<RecoveryCopy> mine = copyIn(store->copyPath());
        QVERIFY(mine);
        QCOMPARE(mine->path, file);
        QCOMPARE(mine->codeText, copy.codeText);
        if (codeViewCurrent)
            f.controller->ShowDesignView(); // the code view's text becomes the page
        QVERIFY(f.controller->SavePage());
        const QString saved = text::decodePage(f.fileBytes(file)).text;
        QVERIFY2(saved.contains(codeViewCurrent ? QStringLiteral("代码视图里的文字") : QStringLiteral("找回的文字")),
                 qPrintable(saved));
    }
};

ZELVO_TEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
