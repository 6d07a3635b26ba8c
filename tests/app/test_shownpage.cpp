// What the design view shows is what the page holds: the pictures of a new
// page and of a page just saved to another folder are drawn, typing after
// inserted WordArt goes after it, and players, sounds and scripts show as
// placeholders. None of it reaches the page's text. Pixels are counted on
// the real view: markup can be right while nothing is drawn.
#include "ShownWindow.h"
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "engine/EngineView.h"
#include "insert/Insertion.h"
#include "insert/WordArt.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QUrl>

using commands::CommandId;
using engine::EngineView;

namespace {

constexpr int kSide = 24;

void writePicture(const QString &path, QColor colour)
{
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(path));
}

QString picture(const QString &address)
{
    return QStringLiteral("<img src=\"%1\" width=%2 height=%2>").arg(address).arg(kSide);
}

// How many pixels of the view have exactly this colour.
int pixelsOf(QWidget *view, QColor colour)
{
    const QImage shot = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x)
            count += line[x] == colour.rgb() ? 1 : 0;
    }
    return count;
}

bool drawn(QWidget *view, QColor colour)
{
    return QTest::qWaitFor([&] { return pixelsOf(view, colour) >= kSide * kSide * 3 / 4; }, 10000);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ShownPageTest : public QObject {
    Q_OBJECT

    QString home, dir;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    EngineView *view() { return window->designView(); }
    QString body() { return view()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    void newPage()
    {
        QVERIFY(view()->WriteDocument(QStringLiteral("<html><body><p>x</p></body></html>"), view()->baseFolder()));
        view()->focusPage();
    }

private slots:
    void initTestCase()
    {
        // The folder of a page that has no file yet.
        home = testsupport::freshTempDir();
        qputenv("HOME", QFile::encodeName(home));
        dir = testsupport::freshTempDir();
        qputenv("TMPDIR", QFile::encodeName(testsupport::freshTempDir()));
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        QVERIFY(testsupport::showMainWindow(*window, QSize(1000, 700)));
    }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }

    // The page of the start has never been saved: relative addresses go
    // to the home folder; absolute paths and file:// addresses show too.
    void picturesOfANewPage()
    {
        writePicture(home + QStringLiteral("/红.png"), Qt::red);
        writePicture(dir + QStringLiteral("/green.png"), Qt::green);
        writePicture(dir + QStringLiteral("/blue.png"), Qt::blue);
        const QString pictures = picture(QStringLiteral("红.png")) + picture(dir + QStringLiteral("/green.png"))
            + picture(QUrl::fromLocalFile(dir + QStringLiteral("/blue.png")).toString());
        QVERIFY(insert::InsertFragment(*view(), pictures));
        QVERIFY(drawn(view(), Qt::red));
        QVERIFY(drawn(view(), Qt::green));
        QVERIFY(drawn(view(), Qt::blue));

        // The scrolling-text dialog's editing view resolves as the page does.
        window->router().run(CommandId::InsertMarquee);
        QDialog *marquee = nullptr;
        QVERIFY(QTest::qWaitFor([&] {
            for (QDialog *d : window->findChildren<QDialog *>())
                if (d->isVisible() && d->windowTitle() == QStringLiteral("插入滚动字幕"))
                    marquee = d;
            return marquee != nullptr;
        }));
        EngineView *editing = marquee->findChild<EngineView *>();
        QVERIFY(editing);
        QVERIFY(insert::InsertFragment(*editing, picture(QStringLiteral("红.png"))));
        QVERIFY(drawn(editing, Qt::red));
        marquee->close();
    }

    // Save As to another folder: the page's relative addresses resolve
    // there at once, with the caret and the history as they were, and
    // nothing of it is in the page's text.
    void picturesAfterSaveAsToAnotherFolder()
    {
        newPage();
        QVERIFY(QDir(dir).mkpath(QStringLiteral("站点")));
        writePicture(dir + QStringLiteral("/站点/yellow.png"), Qt::yellow);
        QVERIFY(insert::InsertFragment(*view(), QStringLiteral("<b>first</b>")));
        const QString saved = dir + QStringLiteral("/站点/page.htm");
        prompter->fileNames.enqueue(saved);
        window->router().run(CommandId::SavePageAs);
        QVERIFY(QFile::exists(saved));

        QVERIFY(insert::InsertFragment(*view(), picture(QStringLiteral("yellow.png"))));
        QVERIFY(drawn(view(), Qt::yellow));
        QVERIFY(body().contains(QStringLiteral("<b>first</b><img src=\"yellow.png\"")));
        QVERIFY(view()->Undo()); // the picture, then the bold text: the history stayed
        QVERIFY(view()->Undo());
        QVERIFY(!body().contains(QStringLiteral("first")));
        QVERIFY(view()->Redo());
        QVERIFY(view()->Redo());

        prompter->fileNames.enqueue(saved);
        window->router().run(CommandId::SavePageAs);
        window->router().run(CommandId::CodeView);
        const QString code = window->codeView()->text();
        window->router().run(CommandId::DesignView);
        for (const QString &text : {QString::fromUtf8(fileBytes(saved)), code, view()->ReadDocument()}) {
            QVERIFY2(!text.contains(QStringLiteral("<base"), Qt::CaseInsensitive), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("src=\"yellow.png\"")));
        }
        QVERIFY(drawn(view(), Qt::yellow)); // still shown after the way through the code view
    }

    // Typing right after WordArt inserted through its dialog goes after it
    // and leaves the WordArt's markup as it was inserted, also once the
    // page has taken the keyboard back from the dialog.
    void typingAfterWordArt()
    {
        newPage();
        window->router().run(CommandId::InsertWordArt);
        QDialog *dialog = nullptr;
        QVERIFY(QTest::qWaitFor([&] {
            for (QDialog *d : window->findChildren<QDialog *>())
                if (d->isVisible() && d->windowTitle() == QStringLiteral("插入艺术字"))
                    dialog = d;
            return dialog != nullptr;
        }));
        dialog->findChild<QPlainTextEdit *>(QStringLiteral("编辑框2"))->setPlainText(QStringLiteral("艺术字"));
        dialog->findChild<QPushButton *>(QStringLiteral("按钮1"))->click();
        window->activateWindow(); // as the window manager gives the window back
        QTRY_COMPARE(QApplication::focusWidget(), view()->inputWidget());
        const QString wordArt = QStringLiteral("(function(){ var s = document.querySelector('span'); "
                                               "return s ? s.outerHTML : ''; })();");
        const QString inserted = view()->evaluate(wordArt).toString();
        QVERIFY(inserted.contains(QStringLiteral("<v:shape")));
        // A space first: alone at the end of the line it would not show.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" abc"));
        QTRY_VERIFY(body().contains(QStringLiteral("abc")));
        QCOMPARE(view()->evaluate(wordArt).toString(), inserted);
        QVERIFY2(body().contains(QRegularExpression(QStringLiteral("</svg><!--\\[endif\\]-->(&nbsp;| )abc"))),
                 qPrintable(body().right(80)));
        QVERIFY(view()->Undo());
        QCOMPARE(view()->evaluate(wordArt).toString(), inserted);
        QVERIFY(!body().contains(QStringLiteral("abc")));
    }

    // Players, a background sound and a script show as placeholders; a
    // click selects one whole, Delete removes it as one step.
    void placeholdersForWhatTheEngineDoesNotDraw()
    {
        const QString page = QStringLiteral(
            "<html><head><script>var inHead;</script></head><body><p>a<embed src=\"media/片头.swf\" width=237 "
            "height=200>b</p><p><bgsound src=\"music/背景.mid\" loop=-1>c<script>var x;</script>d"
            "<embed src=\"small.wmv\"></p></body></html>");
        QVERIFY(view()->WriteDocument(page, view()->baseFolder()));
        const QString written = view()->ReadDocument();
        // The placeholder's background, far more than the small markers could make.
        QVERIFY(QTest::qWaitFor([&] { return pixelsOf(view(), QColor(0xee, 0xf2, 0xf7)) > 200 * 150; }));
        QCOMPARE(view()->evaluate(QStringLiteral(
                                      "Array.prototype.map.call(document.querySelectorAll('bgsound,body script,embed'),"
                                      "function(e){ var r = e.getBoundingClientRect();"
                                      "return r.width > 10 && r.height > 10; }).join();"))
                     .toString(),
                 QStringLiteral("true,true,true,true"));
        QVERIFY(!view()->canUndo());

        const QVariantList at = view()->evaluate(QStringLiteral(
                                                     "(function(){ var r = document.querySelector('embed')"
                                                     ".getBoundingClientRect(); return [r.x + r.width / 2, "
                                                     "r.y + r.height / 2]; })();"))
                                    .toList();
        QCOMPARE(at.size(), 2);
        const QPoint centre(at.at(0).toInt(), at.at(1).toInt());
        QTest::mouseClick(view()->inputWidget(), Qt::LeftButton, {}, centre);
        QTRY_COMPARE(view()->evaluate(QStringLiteral("(function(){ var s = getSelection(); var f = s.rangeCount ? "
                                                     "s.getRangeAt(0).cloneContents() : null; return f && "
                                                     "f.childNodes.length === 1 ? f.firstChild.nodeName : ''; })();"))
                         .toString(),
                     QStringLiteral("EMBED"));
        QTest::keyClick(view()->inputWidget(), Qt::Key_Delete);
        QTRY_VERIFY(!body().contains(QStringLiteral("片头")));
        QVERIFY(view()->Undo());
        QCOMPARE(view()->ReadDocument(), written);
    }
};

ZELVO_TEST_MAIN(ShownPageTest)
#include "test_shownpage.moc"
