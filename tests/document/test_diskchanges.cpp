// The page's file changed by another program while it is open, on real files:
// rewritten in place (another editor), replaced by a rename (a checkout),
// deleted, or only touched; what the user is asked and what each answer
// does; a save over a file changed since it was read; the editor's own saves
// never taken for another program's change.
#include "DocumentFixture.h"
#include "document/FileWatch.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSignalSpy>

#include <cstdio>

namespace {

enum class Other { Rewrite, Replace, Delete, Touch };

const QByteArray kOnDisk = "<html><body><p>disk one</p></body></html>";
const QByteArray kTheirs = "<html><body><p>their version</p></body></html>";

void changeFile(const QString &file, Other how)
{
    switch (how) {
    case Other::Rewrite:
        DocumentFixture::writeFile(file, kTheirs);
        break;
    case Other::Replace: {
        DocumentFixture::writeFile(file + QStringLiteral(".new"), kTheirs);
        QVERIFY(std::rename(QFile::encodeName(file + QStringLiteral(".new")).constData(),
                            QFile::encodeName(file).constData()) == 0);
        break;
    }
    case Other::Delete:
        QVERIFY(QFile::remove(file));
        break;
    case Other::Touch: {
        // The same bytes written again, a minute later.
        DocumentFixture::writeFile(file, kOnDisk);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        break;
    }
    }
}

} // namespace

class DiskChangesTest : public QObject {
    Q_OBJECT
    DocumentFixture f;
    QString file;

    QList<ShownMessage> asked(const QString &caption) const
    {
        QList<ShownMessage> found;
        for (const ShownMessage &m : f.prompter->messages)
            if (m.caption == caption)
                found << m;
        return found;
    }

private slots:
    void initTestCase() { f.create(); }
    void init()
    {
        f.reset();
        file = f.path(QStringLiteral("网页.htm"));
        f.writeFile(file, kOnDisk);
        f.open(file);
        QVERIFY(f.designBody().contains(QStringLiteral("disk one")));
    }

    // Noticed without being asked to look (the file system's notice), then
    // one answer; afterwards a save asks nothing more and writes what the
    // page holds.
    void changesByAnotherProgram_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<int>("answer");     // index of the button pressed
        QTest::addColumn<QString>("button"); // its label
        QTest::addColumn<QString>("shows");  // what the design view holds afterwards
        QTest::addColumn<bool>("changed");   // the page then counts as changed

        QTest::newRow("rewritten, nothing unsaved: reload")
            << int(Other::Rewrite) << false << 0 << "重新载入" << "their version" << false;
        QTest::newRow("replaced, nothing unsaved: keep")
            << int(Other::Replace) << false << 1 << "保留编辑器中的版本" << "disk one" << true;
        QTest::newRow("rewritten, unsaved: keep mine")
            << int(Other::Rewrite) << true << 0 << "保留我的版本" << "my edit" << true;
        QTest::newRow("replaced, unsaved: reload")
            << int(Other::Replace) << true << 1 << "重新载入" << "their version" << false;
    }
    void changesByAnotherProgram()
    {
        QFETCH(int, how);
        QFETCH(bool, unsaved);
        QFETCH(int, answer);
        QFETCH(QString, button);
        QFETCH(QString, shows);
        QFETCH(bool, changed);
        if (unsaved)
            f.editDesign(QStringLiteral("my edit"));
        f.prompter->choices.enqueue(answer);
        changeFile(file, Other(how));

        QTRY_COMPARE(asked(QStringLiteral("文件已被修改")).size(), 1);
        const ShownMessage question = asked(QStringLiteral("文件已被修改")).first();
        QVERIFY(question.text.contains(QDir::toNativeSeparators(file)));
        QCOMPARE(question.choices.at(answer), button);
        QVERIFY2(f.designBody().contains(shows), qPrintable(f.designBody()));
        QCOMPARE(f.controller->IsPageChanged(), changed);
        if (!changed)
            return;
        QVERIFY(f.controller->SavePage());
        QCOMPARE(asked(QStringLiteral("文件已被修改")).size(), 1); // the answer stands
        QVERIFY(text::decodePage(f.fileBytes(file)).text.contains(shows));
    }

    void deletionIsTold()
    {
        changeFile(file, Other::Delete);
        QTRY_COMPARE(f.informationTexts().size(), 1);
        QVERIFY(f.informationTexts().first().contains(QStringLiteral("已被其他程序删除")));
        QVERIFY(f.designBody().contains(QStringLiteral("disk one")));
        QVERIFY(f.controller->IsPageChanged()); // closing now asks to save it
        f.controller->disk().check();
        QCOMPARE(f.prompter->messages.size(), 1); // told once
    }

    // What the editor wrote itself, and a file touched with the same bytes,
    // are no change: the check looks at the bytes, not at the file's times.
    void ownSavesAndTouchesAreNoChange()
    {
        f.editDesign(QStringLiteral("saved by me"));
        QVERIFY(f.controller->SavePage());
        f.controller->disk().check();
        f.editDesign(QStringLiteral("saved again"));
        auto *watch = f.controller->findChild<document::FileWatch *>();
        QVERIFY(watch);
        QSignalSpy noticed(watch, &document::FileWatch::mayHaveChanged);
        QVERIFY(f.controller->SavePage());
        const QByteArray mine = f.fileBytes(file);
        // The file system's notice of the save came and went: only the
        // editor's own notices of success were shown.
        QTRY_VERIFY(noticed.count() > 0);
        f.controller->disk().check();
        QCOMPARE(f.prompter->messages.size(), 2);
        QCOMPARE(f.informationTexts(), QStringList(2, QStringLiteral("保存文档成功！")));

        f.writeFile(file, mine);
        QFile touched(file);
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        touched.close();
        f.controller->disk().check();
        QCOMPARE(f.prompter->messages.size(), 2);
    }

    // A save that comes before the change was noticed asks before it
    // replaces the other program's work.
    void saveOverAChangedFileAsks_data()
    {
        QTest::addColumn<int>("reply");
        QTest::addColumn<bool>("saved");
        QTest::newRow("overwrite") << int(QMessageBox::Yes) << true;
        QTest::newRow("keep the file") << int(QMessageBox::No) << false;
    }
    void saveOverAChangedFileAsks()
    {
        QFETCH(int, reply);
        QFETCH(bool, saved);
        f.editDesign(QStringLiteral("my edit"));
        changeFile(file, Other::Rewrite);
        f.prompter->buttons.enqueue(QMessageBox::StandardButton(reply));
        QCOMPARE(f.controller->SavePage(), saved);
        const QList<ShownMessage> warned = asked(QStringLiteral("文件已被修改"));
        QCOMPARE(warned.size(), 1);
        QCOMPARE(warned.first().buttons, QMessageBox::Yes | QMessageBox::No);
        const QString onDisk = text::decodePage(f.fileBytes(file)).text;
        QCOMPARE(onDisk.contains(QStringLiteral("my edit")), saved);
        QCOMPARE(onDisk.contains(QStringLiteral("their version")), !saved);
    }
};

ZELVO_TEST_MAIN(DiskChangesTest)
#include "test_diskchanges.moc"
