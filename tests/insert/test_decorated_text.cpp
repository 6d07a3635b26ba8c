// WordArt and glow text: the glow fragment, the two dialogs on their real
// widgets, and both kinds of text inserted into a real page, where the
// editor's own style sheets make them visible.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "insert/GlowText.h"
#include "insert/GlowTextDialog.h"
#include "insert/Insertion.h"
#include "insert/WordArt.h"
#include "insert/WordArtDialog.h"
#include "insert/WordArtLook.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <memory>

using namespace insert;

namespace {

template <class T>
T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QString::fromUtf8(name));
    if (!found)
        qFatal("control %s missing", name);
    return found;
}

} // namespace

class DecoratedTextTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void glowText_data();
    void glowText();

    void wordArtDialogOpens();
    void framesFollowThePointer();
    void chosenStyleIsInserted();
    void twoLinesGoInWithCrLf();
    void emptyWordArtTextKeepsTheDialog();
    void glowDialogDefaults();

    void wordArtShowsInTheDesignView();
    void glowTextShowsItsColour();

private:
    WordArtDialog *openWordArt()
    {
        return static_cast<WordArtDialog *>(ui::DialogHost::of(m_owner.get())->open(
            WordArtDialogCaption, [this](QWidget *owner) { return new WordArtDialog(owner, inserter()); }));
    }
    Inserter inserter()
    {
        return [this](const QString &fragment) {
            m_fragments << fragment;
            return true;
        };
    }
    QVariant run(const QString &script) { return m_view->evaluate(script); }
    QList<int> framed(WordArtDialog *dialog)
    {
        QList<int> styles;
        for (int n = 1; n <= WordArtStyleCount; ++n)
            if (dialog->styleBox(n)->isFramed())
                styles << n;
        return styles;
    }

    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    QStringList m_fragments;
    std::unique_ptr<QWidget> m_page;
    engine::EngineView *m_view = nullptr;
};

void DecoratedTextTest::initTestCase()
{
    m_page = std::make_unique<QWidget>();
    m_page->resize(900, 600);
    m_view = new engine::EngineView(m_page.get());
    m_view->resize(900, 600);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
    QVERIFY(m_view->setDocumentSheet(WordArtSheetName, WordArtDesignSheet()));
    QVERIFY(m_view->setDocumentSheet(GlowTextSheetName, GlowTextDesignSheet()));
}

void DecoratedTextTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_fragments.clear();
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(400, 300);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
}

void DecoratedTextTest::cleanup()
{
    m_owner.reset();
    m_prompter.reset();
}

void DecoratedTextTest::cleanupTestCase()
{
    m_page.reset();
}

void DecoratedTextTest::glowText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("strength");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("defaults")
        << "发光字" << quint32(0x0000FF) << "3"
        << "<SPAN style=\"FILTER: glow(color=#FF0000,strength=3); WIDTH:42pt; HEIGHT:18px; TEXT-SHADOW: 0 0 3px #FF0000, 0 0 6px #FF0000\">发光字</SPAN>";
    QTest::newRow("ten ASCII letters") << "abcdefghij" << quint32(0x0000FF) << "3"
        << "<SPAN style=\"FILTER: glow(color=#FF0000,strength=3); WIDTH:70pt; HEIGHT:18px; TEXT-SHADOW: 0 0 3px #FF0000, 0 0 6px #FF0000\">abcdefghij</SPAN>";
    QTest::newRow("five Chinese characters") << "五个汉字啊" << quint32(0x0000FF) << "3"
        << "<SPAN style=\"FILTER: glow(color=#FF0000,strength=3); WIDTH:70pt; HEIGHT:18px; TEXT-SHADOW: 0 0 3px #FF0000, 0 0 6px #FF0000\">五个汉字啊</SPAN>";
    QTest::newRow("empty text, zero width") << "" << quint32(0x0000FF) << "3"
        << "<SPAN style=\"FILTER: glow(color=#FF0000,strength=3); WIDTH:0pt; HEIGHT:18px; TEXT-SHADOW: 0 0 3px #FF0000, 0 0 6px #FF0000\"></SPAN>";
    QTest::newRow("four bytes outside GBK") << "😀" << quint32(0x0000FF) << "3"
        << "<SPAN style=\"FILTER: glow(color=#FF0000,strength=3); WIDTH:28pt; HEIGHT:18px; TEXT-SHADOW: 0 0 3px #FF0000, 0 0 6px #FF0000\">😀</SPAN>";
    QTest::newRow("colour and strength as given") << "<b>" << quint32(0x0A0B0C) << " x"
        << "<SPAN style=\"FILTER: glow(color=#0C0B0A,strength= x); WIDTH:21pt; HEIGHT:18px; TEXT-SHADOW: 0 0 1px #0C0B0A, 0 0 2px #0C0B0A\"><b></SPAN>";
}

void DecoratedTextTest::glowText()
{
    QFETCH(QString, text);
    QFETCH(quint32, colour);
    QFETCH(QString, strength);
    QFETCH(QString, fragment);
    QCOMPARE(BuildGlowText({text, colour, strength}), fragment);
}

void DecoratedTextTest::wordArtDialogOpens()
{
    WordArtDialog *dialog = openWordArt();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("插入艺术字"));
    QCOMPARE(dialog->size(), QSize(709, 425));
    QCOMPARE(dialog->style(), 1);
    QCOMPARE(framed(dialog), QList<int>{1});
    auto *text = control<QPlainTextEdit>(dialog, "编辑框2");
    QCOMPARE(text->toPlainText(), QStringLiteral("请在此处键入您自己的内容"));
    QVERIFY(text->textCursor().atEnd());
    QTRY_COMPARE(QApplication::focusWidget(), text);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框3")->text(), QStringLiteral("宋体"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框1")->text(), QStringLiteral("36"));
    QCOMPARE(control<QWidget>(dialog, "图片框")->size(), QSize(477, 388));
    // Six columns and five rows of 77 by 75 boxes over the picture.
    const int xs[] = {0, 80, 160, 240, 320, 400};
    const int ys[] = {1, 79, 157, 235, 312};
    for (int n = 1; n <= WordArtStyleCount; ++n) {
        auto *box = control<QWidget>(dialog, qPrintable(QStringLiteral("图片框%1").arg(n)));
        QCOMPARE(box->parentWidget(), control<QWidget>(dialog, "图片框"));
        QCOMPARE(box->geometry(), QRect(xs[(n - 1) % 6], ys[(n - 1) / 6], 77, 75));
    }
    // The frames follow events, not a clock.
    QVERIFY(dialog->findChildren<QTimer *>().isEmpty());
}

void DecoratedTextTest::framesFollowThePointer()
{
    WordArtDialog *dialog = openWordArt();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QPoint middle(38, 37);
    QTest::mouseMove(dialog->styleBox(9), middle);
    QTRY_COMPARE(framed(dialog), (QList<int>{1, 9}));
    QTest::mouseMove(dialog->styleBox(10), middle);
    QTRY_COMPARE(framed(dialog), (QList<int>{1, 10}));
    // Off the gallery only the chosen style keeps its frame.
    QTest::mouseMove(control<QWidget>(dialog, "编辑框2"), QPoint(20, 20));
    QTRY_COMPARE(framed(dialog), QList<int>{1});
    QCOMPARE(dialog->hoveredStyle(), 0);
    // A press chooses the style under the pointer.
    QTest::mousePress(dialog->styleBox(17), Qt::LeftButton, {}, middle);
    QTest::mouseRelease(dialog->styleBox(17), Qt::LeftButton, {}, middle);
    QCOMPARE(dialog->style(), 17);
    QTRY_COMPARE(framed(dialog), QList<int>{17});
    QTest::mouseMove(dialog->styleBox(30), middle);
    QTRY_COMPARE(framed(dialog), (QList<int>{17, 30}));
    // The right button chooses nothing.
    QTest::mouseClick(dialog->styleBox(30), Qt::RightButton, {}, middle);
    QCOMPARE(dialog->style(), 17);
}

void DecoratedTextTest::chosenStyleIsInserted()
{
    QPointer<WordArtDialog> dialog = openWordArt();
    QTest::mouseClick(dialog->styleBox(17), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮1"), Qt::LeftButton);
    QCOMPARE(m_fragments, QStringList{WordArtFragment(17, WordArtDefaultText)});
    QVERIFY(m_fragments.first().contains(QStringLiteral("type = \"#_x0000_t156\"")));
    QVERIFY(m_fragments.first().contains(QStringLiteral("myid=\"_x0000_i0017\"")));
    QTRY_VERIFY(!dialog);
    // Every opening starts again from style 1.
    QCOMPARE(openWordArt()->style(), 1);
}

void DecoratedTextTest::twoLinesGoInWithCrLf()
{
    WordArtDialog *dialog = openWordArt();
    auto *text = control<QPlainTextEdit>(dialog, "编辑框2");
    text->clear();
    text->insertPlainText(QStringLiteral("第一行"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("second"));
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮1"), Qt::LeftButton);
    QCOMPARE(m_fragments, QStringList{WordArtFragment(1, QStringLiteral("第一行\r\nsecond"))});
}

void DecoratedTextTest::emptyWordArtTextKeepsTheDialog()
{
    QPointer<WordArtDialog> dialog = openWordArt();
    QTest::mouseClick(dialog->styleBox(4), Qt::LeftButton, {}, QPoint(5, 5));
    control<QPlainTextEdit>(dialog, "编辑框2")->clear();
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮1"), Qt::LeftButton);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages.first().caption, QStringLiteral("信息："));
    QCOMPARE(m_prompter->messages.first().text, QStringLiteral("请输入艺术字内容！"));
    QVERIFY(m_fragments.isEmpty());
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->style(), 4);
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮2"), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QVERIFY(m_fragments.isEmpty());
}

void DecoratedTextTest::glowDialogDefaults()
{
    QPointer<QDialog> dialog = ui::DialogHost::of(m_owner.get())->open(
        GlowTextDialogCaption, [this](QWidget *owner) { return new GlowTextDialog(owner, inserter()); });
    QCOMPARE(dialog->windowTitle(), QStringLiteral("插入发光字"));
    QCOMPARE(dialog->size(), QSize(343, 181));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框1")->text(), QString());
    QCOMPARE(control<ui::ColourPicker>(dialog, "颜色选择器1")->colour(), 0x0000FF);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框2")->text(), QStringLiteral("3"));
    // Nothing is required: an empty text gives a span without width.
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮1"), Qt::LeftButton);
    QCOMPARE(m_fragments, QStringList{BuildGlowText({})});
    QTRY_VERIFY(!dialog);
}

void DecoratedTextTest::wordArtShowsInTheDesignView()
{
    QVERIFY(m_view->WriteDocument(QStringLiteral("<html><head></head><body><p>a</p></body></html>")));
    run(QStringLiteral("getSelection().collapse(document.querySelector('p').firstChild, 1); true;"));
    // WordArt of older pages, without the drawing for today's browsers.
    QVERIFY(InsertFragment(*m_view, WordArtTemplate(1) + QStringLiteral("艺术字") + WordArtClosing));
    QVERIFY(InsertFragment(*m_view, WordArtTemplate(6) + QStringLiteral("竖排\r\n两行") + WordArtClosing));

    // Each insertion brings its own style block.
    QCOMPARE(run(QStringLiteral("document.querySelectorAll('style#ZelvoEditor_Style_VML').length;")).toInt(), 2);
    const QString shapes = QStringLiteral("document.querySelectorAll('v\\\\:shape')");
    QCOMPARE(run(shapes + QStringLiteral(".length;")).toInt(), 2);
    // The string shows as the shape's text, in the style's look.
    const QString before = QStringLiteral("getComputedStyle(%1[%2].querySelector('v\\\\:textpath'), '::before').%3;");
    QCOMPARE(run(before.arg(shapes).arg(0).arg(QStringLiteral("content"))).toString(), QStringLiteral("\"艺术字\""));
    QCOMPARE(run(shapes + QStringLiteral("[1].querySelector('v\\\\:textpath').getAttribute('string');")).toString(),
             QStringLiteral("竖排\n两行"));
    QCOMPARE(run(before.arg(shapes).arg(1).arg(QStringLiteral("whiteSpace"))).toString(), QStringLiteral("pre"));
    QCOMPARE(run(before.arg(shapes).arg(0).arg(QStringLiteral("webkitTextStrokeColor"))).toString(),
             QStringLiteral("rgb(0, 0, 0)"));
    QCOMPARE(run(before.arg(shapes).arg(1).arg(QStringLiteral("writingMode"))).toString(),
             QStringLiteral("vertical-rl"));
    QCOMPARE(run(before.arg(shapes).arg(1).arg(QStringLiteral("color"))).toString(), QStringLiteral("rgb(0, 0, 0)"));
    // It takes room on the page; the shape type shows nothing.
    QVERIFY(run(shapes + QStringLiteral("[0].getBoundingClientRect().width;")).toDouble() > 100);
    // The rotated style stands upright: its two lines are two columns.
    QVERIFY(run(shapes + QStringLiteral("[1].getBoundingClientRect().height;")).toDouble()
            > 1.5 * run(QStringLiteral("getComputedStyle(document.querySelector('p')).fontSize;")).toString().remove(QStringLiteral("px")).toDouble());
    QCOMPARE(run(QStringLiteral("getComputedStyle(document.querySelector('v\\\\:shapetype')).display;")).toString(),
             QStringLiteral("none"));
    // None of it is in the page's text.
    const QString page = m_view->ReadDocument();
    QVERIFY(page.contains(QStringLiteral("string=\"艺术字\"")));
    QVERIFY(!page.contains(QStringLiteral("attr(string)")));
    QVERIFY(!page.contains(QStringLiteral("writing-mode")));
}

void DecoratedTextTest::glowTextShowsItsColour()
{
    QVERIFY(m_view->WriteDocument(QStringLiteral("<html><head></head><body><p>a</p></body></html>")));
    run(QStringLiteral("getSelection().collapse(document.querySelector('p').firstChild, 1); true;"));
    QVERIFY(InsertFragment(*m_view, BuildGlowText({QStringLiteral("发光字"), 0x0000FF, QStringLiteral("3")})));
    // Glow text of an older page, with a colour the sheet does not know.
    QVERIFY(InsertFragment(*m_view, QStringLiteral("<SPAN style=\"FILTER: glow(color=#563412,strength=3); WIDTH:35pt; "
                                                   "HEIGHT:18px\">other</SPAN>")));
    const QString shadow = QStringLiteral("getComputedStyle(document.querySelectorAll('span')[%1]).textShadow;");
    QVERIFY2(run(shadow.arg(0)).toString().contains(QStringLiteral("rgb(255, 0, 0)")), qPrintable(run(shadow.arg(0)).toString()));
    QVERIFY2(run(shadow.arg(1)).toString().contains(QStringLiteral("rgb(128, 128, 128)")), qPrintable(run(shadow.arg(1)).toString()));
    QVERIFY(m_view->ReadDocument().contains(QStringLiteral("FILTER: glow(color=#FF0000,strength=3); WIDTH:42pt; HEIGHT:18px")));
}

ZELVO_TEST_MAIN(DecoratedTextTest)
#include "test_decorated_text.moc"
