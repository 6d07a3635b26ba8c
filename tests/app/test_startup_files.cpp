// Start-up with the code view's configuration files replaced by what another
// user of the shared temporary folder could plant there: a FIFO and a link to
// /dev/zero. The editor starts, and says once, without waiting for an answer,
// which files it could not use.
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"

#include <QDir>
#include <QFile>

#include <QFileInfo>

#include <sys/stat.h>

class StartupFilesTest : public QObject {
    Q_OBJECT

private slots:
    void plantedFilesNeitherHangNorFillMemory()
    {
        const QString tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", QFile::encodeName(tmp));
        const QString styles = tmp + QStringLiteral("/stylers.xml");
        const QString langs = tmp + QStringLiteral("/langs.xml");
        QVERIFY(::mkfifo(QFile::encodeName(styles).constData(), 0644) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), langs));

        ScriptedPrompter prompter;
        codeview::LexerConfig lexer;
        app::MainWindow window(lexer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.initialise();
        QVERIFY(window.isInitialised());

        QCOMPARE(prompter.messages.size(), 1);
        const ShownMessage notice = prompter.messages.constFirst();
        QVERIFY(!notice.waited);
        QCOMPARE(notice.caption, QStringLiteral("信息："));
        QVERIFY2(notice.text.contains(QDir::toNativeSeparators(styles)) &&
                     notice.text.contains(QDir::toNativeSeparators(langs)) &&
                     notice.text.contains(QStringLiteral("不是普通文件")),
                 qPrintable(notice.text));
        // Nothing was written over what lies there.
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(styles).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(QFileInfo(langs).isSymLink());
    }
};

ZELVO_TEST_MAIN(StartupFilesTest)
#include "test_startup_files.moc"
