// What comes into the page from outside, on the real views: a picture pasted
// from the clipboard becomes a file beside the page and shows; a page without
// a file asks for one first; dropped pictures go in at the drop point;
// word-processor markup comes in cleaned, its list a real list and its
// picture copied; plain text keeps its paragraphs; a page saved into another
// folder keeps finding its files. Each is one undo step.
#include "ShownWindow.h"
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "document/DocumentController.h"
#include "engine/EngineView.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>

using commands::CommandId;

namespace {

void writePicture(const QString &path, QColor colour, int side = 24)
{
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(path));
}

} // namespace

class TransfersTest : public QObject {
    Q_OBJECT

    QString dir;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    engine::EngineView *design() { return window->designView(); }
    QString body() { return design()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    // A saved page of the test's folder, open in the editor.
    QString openPage(const QString &name, const QByteArray &content)
    {
        const QString path = QDir(dir).filePath(name);
        QFile f(path);
        [&] { QVERIFY(f.open(QIODevice::WriteOnly)); }();
        f.write(content);
        f.close();
        prompter->buttons.enqueue(QMessageBox::No); // a changed page before it is not saved
        [&] { QVERIFY(window->document()->OpenPath(path)); }();
        design()->focusPage();
        return path;
    }
    void pasteKey(bool plain = false)
    {
        QTRY_COMPARE(QApplication::focusWidget(), design()->inputWidget());
        QTest::keyClick(design()->inputWidget(), Qt::Key_V,
                        plain ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    }
    int pixelsOf(QColor colour)
    {
        const QImage shot = design()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += shot.pixel(x, y) == colour.rgb() ? 1 : 0;
        return count;
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(testsupport::freshTempDir()));
        qputenv("TMPDIR", QFile::encodeName(testsupport::freshTempDir()));
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        QVERIFY(testsupport::showMainWindow(*window, QSize(1000, 700)));
    }
    void init() { dir = testsupport::freshTempDir(); }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }

    // The page of the start has no file: the picture asks for one first;
    // cancelled, nothing is pasted.
    void pastedPictureAsksForAFile()
    {
        QImage red(24, 24, QImage::Format_RGB32);
        red.fill(Qt::red);
        QApplication::clipboard()->setImage(red);
        design()->focusPage();
        const QString before = body();
        pasteKey(); // the save dialog is cancelled
        QTRY_VERIFY(!prompter->fileDialogs.isEmpty());
        QCOMPARE(body(), before);

        const QString saved = QDir(dir).filePath(QStringLiteral("新页.htm"));
        prompter->fileNames.enqueue(saved);
        pasteKey();
        QTRY_VERIFY(body().contains(QStringLiteral("<img src=\"新页_files/图片1.png\" width=\"24\" height=\"24\">")));
        QVERIFY(QFile::exists(QDir(dir).filePath(QStringLiteral("新页_files/图片1.png"))));
        QTRY_VERIFY(pixelsOf(Qt::red) >= 24 * 24 * 3 / 4);
    }

    // A picture pasted into a saved page: a new file beside it, never one
    // written over, shown; undo takes the picture away and leaves the files.
    void pastedPictureBecomesAFile()
    {
        const QString page = openPage(QStringLiteral("主页.htm"), "<html><body><p>x</p></body></html>");
        QDir(dir).mkpath(QStringLiteral("主页_files"));
        writePicture(QDir(dir).filePath(QStringLiteral("主页_files/图片1.png")), Qt::black); // not to be touched
        QImage blue(30, 20, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QApplication::clipboard()->setImage(blue);
        pasteKey();
        QTRY_VERIFY(body().contains(QStringLiteral("<img src=\"主页_files/图片2.png\" width=\"30\" height=\"20\">")));
        QCOMPARE(QImage(QDir(dir).filePath(QStringLiteral("主页_files/图片1.png"))).pixel(0, 0), QColor(Qt::black).rgb());
        QTRY_VERIFY(pixelsOf(Qt::blue) >= 30 * 20 * 3 / 4);
        QVERIFY(design()->Undo());
        QVERIFY(!body().contains(QStringLiteral("<img")));
        QVERIFY(QFile::exists(QDir(dir).filePath(QStringLiteral("主页_files/图片2.png"))));
        Q_UNUSED(page);
    }

    // Files dropped from the file manager: one already below the page's
    // folder is used where it is, another is copied beside the page; both
    // go in at the drop point, in order, as one step.
    void droppedPictures()
    {
        openPage(QStringLiteral("drop.htm"), "<html><body><p>before</p><p>after</p></body></html>");
        QDir(dir).mkpath(QStringLiteral("images"));
        const QString inside = QDir(dir).filePath(QStringLiteral("images/in.png"));
        const QString outside = testsupport::freshTempDir() + QStringLiteral("/out.png");
        writePicture(inside, Qt::green);
        writePicture(outside, Qt::yellow);
        const QVariantList at = design()
                                    ->evaluate(QStringLiteral("(function(){ var r = document.querySelectorAll('p')[1]"
                                                              ".getBoundingClientRect(); return [r.left + 2, r.top + r.height / 2]; })();"))
                                    .toList();
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(inside), QUrl::fromLocalFile(outside)});
        // As the window system delivers a drop: entered, then dropped.
        const QPoint point(at.value(0).toInt(), at.value(1).toInt());
        QDragEnterEvent enter(point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(design()->inputWidget(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(design()->inputWidget(), &drop);
        QTRY_VERIFY2(body().contains(QStringLiteral("<p><img src=\"images/in.png\" width=\"24\" height=\"24\">"
                                                    "<img src=\"drop_files/图片1.png\" width=\"24\" height=\"24\">after</p>")),
                     qPrintable(body()));
        QVERIFY(QFile::exists(QDir(dir).filePath(QStringLiteral("drop_files/图片1.png"))));
        QVERIFY(design()->Undo());
        QCOMPARE(body(), QStringLiteral("<p>before</p><p>after</p>"));
    }

    // Markup from a word processor: its structure stays, its clutter goes,
    // its bullet paragraphs become a list and its local picture a file
    // beside the page.
    void wordProcessorMarkup()
    {
        openPage(QStringLiteral("paste.htm"), "<html><body><p>x</p></body></html>");
        const QString picture = testsupport::freshTempDir() + QStringLiteral("/clip.png");
        writePicture(picture, Qt::magenta);
        const QString html = QStringLiteral(
            "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><meta name=Generator content=\"Word\">"
            "<style>p.MsoNormal{mso-style-parent:\"\"}</style></head><body lang=ZH-CN>"
            "<!--StartFragment--><p class=MsoNormal style='mso-margin-top-alt:auto;color:red'>"
            "<b>粗体</b><span lang=EN-US>Word</span><o:p>&nbsp;</o:p></p>"
            "<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'><span style='mso-list:Ignore'>·"
            "<span>&nbsp;&nbsp;</span></span>第一项</p>"
            "<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'><span style='mso-list:Ignore'>·"
            "<span>&nbsp;&nbsp;</span></span>第二项</p>"
            "<!--[if gte mso 9]><xml><o:OfficeDocumentSettings/></xml><![endif]-->"
            "<p><img src=\"%1\" width=24 height=24><span></span></p><!--EndFragment--></body></html>")
                                 .arg(QUrl::fromLocalFile(picture).toString());
        auto *mime = new QMimeData;
        mime->setHtml(html);
        mime->setText(QStringLiteral("粗体Word"));
        QApplication::clipboard()->setMimeData(mime);
        pasteKey();
        QTRY_VERIFY(body().contains(QStringLiteral("第二项")));
        const QString pasted = body();
        for (const char *clutter : {"mso-", "Mso", "o:p", "lang=", "<style", "<meta", "<!--", "·", "<span></span>"})
            QVERIFY2(!pasted.contains(QString::fromUtf8(clutter)), qPrintable(clutter + QStringLiteral(" in ") + pasted));
        QVERIFY2(pasted.contains(QStringLiteral("<p style=\"color:red\"><b>粗体</b>Word</p>")), qPrintable(pasted));
        QVERIFY2(pasted.contains(QStringLiteral("<ul><li>第一项</li><li>第二项</li></ul>")), qPrintable(pasted));
        QVERIFY2(pasted.contains(QStringLiteral("<img src=\"paste_files/图片1.png\" width=\"24\" height=\"24\">")),
                 qPrintable(pasted));
        QVERIFY(QFile::exists(QDir(dir).filePath(QStringLiteral("paste_files/图片1.png"))));
        QVERIFY(design()->Undo());
        QCOMPARE(body(), QStringLiteral("<p>x</p>"));
    }

    // Ctrl+Shift+V: the text alone, with its paragraphs and line ends.
    void plainText()
    {
        openPage(QStringLiteral("plain.htm"), "<html><body></body></html>");
        auto *mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b>不要</b>"));
        mime->setText(QStringLiteral("第一行\n第二行 <b>\n\n第二段"));
        QApplication::clipboard()->setMimeData(mime);
        pasteKey(true);
        QTRY_COMPARE(body(), QStringLiteral("<p>第一行<br>第二行 &lt;b&gt;</p><p>第二段</p>"));
        QVERIFY(design()->Undo());
        QCOMPARE(body(), QString());
    }

    // Saved into another folder, the page's relative addresses are written
    // as seen from there and still find the same files; the rest stays.
    void saveAsKeepsTheAddresses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("prefix"); // what each address gains
        QTest::newRow("sibling folder") << "other/page.htm" << "../site/";
        QTest::newRow("subfolder") << "site/deeper/page.htm" << "../";
    }
    void saveAsKeepsTheAddresses()
    {
        QFETCH(QString, target);
        QFETCH(QString, prefix);
        QDir(dir).mkpath(QStringLiteral("site/pics"));
        QDir(dir).mkpath(QFileInfo(QDir(dir).filePath(target)).path());
        writePicture(QDir(dir).filePath(QStringLiteral("site/pics/a.png")), Qt::cyan);
        for (const char *file : {"site/style.css", "site/other.htm"}) {
            QFile f(QDir(dir).filePath(QString::fromUtf8(file)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray page =
            "<html><head><link rel=\"stylesheet\" href=\"style.css\"></head><body>"
            "<p><img src=\"pics/a.png\" width=\"24\" height=\"24\"><a href=\"other.htm#top\">o</a>"
            "<a href=\"http://example.com/x.htm\">w</a><img src=\"missing.png\">"
            "<span style=\"background: url(pics/a.png)\">b</span></p></body></html>";
        const QString path = openPage(QStringLiteral("site/index.htm"), page);
        Q_UNUSED(path);
        prompter->fileNames.enqueue(QDir(dir).filePath(target));
        QVERIFY(window->document()->SavePageAs());
        const QString saved = QString::fromUtf8([&] {
            QFile f(QDir(dir).filePath(target));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
        for (const QString &moved : {prefix + QStringLiteral("style.css"), prefix + QStringLiteral("pics/a.png"),
                                     prefix + QStringLiteral("other.htm#top"),
                                     QStringLiteral("url(") + prefix + QStringLiteral("pics/a.png)")})
            QVERIFY2(saved.contains(moved), qPrintable(moved + QStringLiteral(" not in ") + saved));
        QVERIFY(saved.contains(QStringLiteral("\"http://example.com/x.htm\"")));
        QVERIFY(saved.contains(QStringLiteral("\"missing.png\"")));
        QVERIFY(prompter->messages.last().text.contains(QStringLiteral("4 处相对地址已改写")));
        // Still shown from the new place.
        QTRY_VERIFY(pixelsOf(Qt::cyan) >= 24 * 24 * 3 / 4);
        QVERIFY(design()->Undo());
        QVERIFY(body().contains(QStringLiteral("<img src=\"pics/a.png\"")));
    }
};

ZELVO_TEST_MAIN(TransfersTest)
#include "test_transfers.moc"
