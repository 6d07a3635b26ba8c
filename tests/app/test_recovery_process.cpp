// The real editor, killed with SIGKILL after an edit: the next start offers
// the work back, restoring puts it into the page, and a clean exit leaves no
// recovery file behind. Driven like a user, through the X server with
// xdotool (keys only, so no window manager is needed).
#include "TestSupport.h"
#include "document/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString kMainCaption = QStringLiteral("Zelvo网页编辑器V2.0");
const QString kTyped = QStringLiteral("words to recover");
const QString kGreetingCaption = QStringLiteral("初始化窗口");

} // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT
    QString m_dir;
    QString m_recoveryDir;

    bool xdotool(const QStringList &args, QString *out = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return false;
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return true;
    }

    // The shown window of the process whose caption holds caption, or an
    // empty text. xdotool's own name search does not match Chinese
    // captions, so each window's name is read and compared here.
    QString shownWindow(const QProcess &editor, const QString &caption)
    {
        QString ids;
        if (!xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                      QString::number(editor.processId())},
                     &ids))
            return QString();
        for (const QString &id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            QString name;
            if (xdotool({QStringLiteral("getwindowname"), id}, &name) && name.contains(caption))
                return id;
        }
        return QString();
    }

    // The window of that caption, once it is shown.
    QString windowOf(const QProcess &editor, const QString &caption)
    {
        QString id;
        (void)QTest::qWaitFor([&] { return !(id = shownWindow(editor, caption)).isEmpty(); }, 90000);
        return id;
    }

    // True once no shown window of the process has that caption.
    bool noWindow(const QProcess &editor, const QString &caption)
    {
        return QTest::qWaitFor([&] { return shownWindow(editor, caption).isEmpty(); }, 60000);
    }

    bool keys(const QString &window, const QStringList &sequence)
    {
        if (!xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}))
            return false;
        for (const QString &key : sequence)
            if (!xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), key}))
                return false;
        return true;
    }

    void start(QProcess &editor)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir + QStringLiteral("/data"));
        env.insert(QStringLiteral("TMPDIR"), m_dir + QStringLiteral("/tmp"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        editor.setProcessEnvironment(env);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(QStringLiteral(ZELVO_PROGRAM), {});
        QVERIFY(editor.waitForStarted());
    }

    // The copies in the recovery folder and what they hold.
    QList<document::RecoveryCopy> copies(QStringList *names = nullptr)
    {
        QList<document::RecoveryCopy> found;
        const QStringList files = QDir(m_recoveryDir).entryList({QStringLiteral("*.page")}, QDir::Files);
        for (const QString &name : files) {
            QFile f(m_recoveryDir + QLatin1Char('/') + name);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            if (auto copy = document::RecoveryStore::parse(f.readAll())) {
                found << *copy;
                if (names)
                    *names << name;
            }
        }
        return found;
    }

    bool copyHolds(const QString &text)
    {
        const QList<document::RecoveryCopy> all = copies();
        return all.size() == 1 && all.first().designText.contains(text);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed (scripts/setup.sh --with-test-tools installs it)");
        m_dir = testsupport::freshTempDir();
        QVERIFY(QDir(m_dir).mkpath(QStringLiteral("tmp")));
        m_recoveryDir = m_dir + QStringLiteral("/data/zelvo/recovery");
    }

    void killedEditorsWorkComesBack()
    {
        // An edit, then the copy that the editor keeps of it (within its
        // half-minute interval), then SIGKILL.
        QProcess first;
        start(first);
        // The configuration files are written once the blank page is in;
        // keys typed before that would go into the page it replaces. The
        // main window is made anew while the engine starts: it is looked up
        // only now.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir + QStringLiteral("/tmp/stylers.xml")), 60000);
        // The greeting holds the keyboard (a space would press its buttons):
        // Escape sends it away first.
        const QString greeting = windowOf(first, kGreetingCaption);
        QVERIFY(!greeting.isEmpty());
        QVERIFY(keys(greeting, {QStringLiteral("Escape")}));
        QVERIFY(noWindow(first, kGreetingCaption));
        bool kept = false;
        for (int attempt = 0; attempt < 3 && !kept; ++attempt) {
            const QString window = windowOf(first, kMainCaption);
            QVERIFY(!window.isEmpty());
            QVERIFY(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
            QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), kTyped}));
            kept = QTest::qWaitFor([&] { return copyHolds(kTyped); }, 45000);
        }
        QVERIFY(kept);
        QStringList before;
        copies(&before);
        first.kill();
        QVERIFY(first.waitForFinished());

        // The next start asks; Enter takes "恢复".
        QProcess second;
        start(second);
        const QString box = windowOf(second, QStringLiteral("恢复网页"));
        QVERIFY(!box.isEmpty());
        QVERIFY(keys(box, {QStringLiteral("Return")}));
        // The page holds the text again: the new editor's own copy is made
        // from it, and the old copy is gone.
        const auto restored = [&] {
            QStringList now;
            copies(&now);
            return now.size() == 1 && now != before && copyHolds(kTyped);
        };
        QTRY_VERIFY_WITH_TIMEOUT(restored(), 60000);
        // With the work restored, the greeting's choices are not offered.
        QVERIFY(noWindow(second, kGreetingCaption));

        // 文件 › 退出 from the keyboard, "否" to saving: nothing is left behind.
        const QString main = windowOf(second, kMainCaption);
        QVERIFY(keys(main, {QStringLiteral("alt"), QStringLiteral("Return"), QStringLiteral("Up"), QStringLiteral("Return")}));
        const QString question = windowOf(second, QStringLiteral("是否保存"));
        QVERIFY(!question.isEmpty());
        QVERIFY(keys(question, {QStringLiteral("alt+n")}));
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QDir(m_recoveryDir).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

ZELVO_TEST_MAIN(RecoveryProcessTest)
#include "test_recovery_process.moc"
