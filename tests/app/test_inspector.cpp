// The element inspector in the running editor: the status bar's panels follow
// the element under the pointer in the program's web views, and keep their
// texts elsewhere; the toolbar opens the colour picker.
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "commands/Toolbar.h"
#include "engine/EngineView.h"
#include "tools/ColourPickerWindow.h"
#include "tools/ElementInspector.h"
#include "ui/DialogHost.h"

#include <QCursor>
#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTimer>

using app::MainWindow;

class InspectorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<MainWindow> window;

    app::StatusBar *panels() const { return window->statusPanels(); }
    tools::ElementInspector *inspector() const { return window->inspector(); }

    // The centre of an element of a view's page, on the screen.
    static QPoint elementCentre(engine::EngineView *view, const QString &id)
    {
        const QString json = view->evaluate(
            QStringLiteral("JSON.stringify(document.getElementById('%1').getBoundingClientRect());").arg(id))
                                 .toString();
        const QJsonObject r = QJsonDocument::fromJson(json.toUtf8()).object();
        const QPointF centre(r.value(QStringLiteral("left")).toDouble() + r.value(QStringLiteral("width")).toDouble() / 2,
                             r.value(QStringLiteral("top")).toDouble() + r.value(QStringLiteral("height")).toDouble() / 2);
        return view->mapToGlobal(centre.toPoint());
    }

    // Lets the timer tick a few times, so that a change would have shown.
    void letTicksPass(int count)
    {
        const quint64 until = inspector()->ticks() + quint64(count);
        QTRY_VERIFY(inspector()->ticks() >= until);
        QTRY_VERIFY(!inspector()->waiting());
    }

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", testsupport::freshTempDir().toLocal8Bit());
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().topLeft());
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<MainWindow>(*lexer);
        window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
        QVERIFY(window->isInitialised());
        QCOMPARE(window->inspectorTimer()->interval(), 50);
        QVERIFY(window->inspectorTimer()->isActive());
    }
    void cleanupTestCase() { window.reset(); }

    void beforeAnyInspectionThePanelsShowTheirLabels()
    {
        letTicksPass(3);
        QCOMPARE(inspector()->questions(), quint64(0));
        QCOMPARE(panels()->panelText(0), QStringLiteral("元素："));
        QCOMPARE(panels()->panelText(1), QStringLiteral("内容："));
        QCOMPARE(panels()->panelText(2), QStringLiteral("代码："));
    }

    void theElementUnderThePointerFillsThePanels()
    {
        engine::EngineView *view = window->designView();
        QVERIFY(view->WriteDocument(QStringLiteral(
            "<html><head><title>t</title></head><body><p id=\"first\">第一段 <b>粗</b>文字</p>"
            "<p id=\"second\">Second\nparagraph</p></body></html>")));
        QCursor::setPos(elementCentre(view, QStringLiteral("first")));
        QTRY_COMPARE(panels()->panelText(0), QStringLiteral("元素:P"));
        QCOMPARE(panels()->panelText(1), QStringLiteral("内容:第一段 粗文字"));
        QCOMPARE(panels()->panelText(2), QStringLiteral("代码:<p id=\"first\">第一段 <b>粗</b>文字</p>"));

        // Texts come as they are, line breaks included.
        QCursor::setPos(elementCentre(view, QStringLiteral("second")));
        QTRY_COMPARE(panels()->panelText(2), QStringLiteral("代码:<p id=\"second\">Second\nparagraph</p>"));
    }

    void aRestingPointerAsksAgainOnlyWhenThePageChanges()
    {
        engine::EngineView *view = window->designView();
        QCursor::setPos(elementCentre(view, QStringLiteral("first")));
        QTRY_COMPARE(panels()->panelText(0), QStringLiteral("元素:P"));
        letTicksPass(2);
        const quint64 asked = inspector()->questions();
        letTicksPass(5);
        QCOMPARE(inspector()->questions(), asked);

        // An edit under the resting pointer shows at once.
        view->evaluate(QStringLiteral("document.getElementById('first').textContent = '改过了'; true;"));
        QTRY_COMPARE(panels()->panelText(1), QStringLiteral("内容:改过了"));
        QCOMPARE(panels()->panelText(2), QStringLiteral("代码:<p id=\"first\">改过了</p>"));
    }

    void overTheToolbarThePanelsKeepTheLastElement()
    {
        engine::EngineView *view = window->designView();
        QCursor::setPos(elementCentre(view, QStringLiteral("second")));
        QTRY_COMPARE(panels()->panelText(0), QStringLiteral("元素:P"));
        QTRY_COMPARE(panels()->panelText(1), QStringLiteral("内容:Second paragraph"));
        const QString code = panels()->panelText(2);

        QWidget *strip = window->toolbar();
        QCursor::setPos(strip->mapToGlobal(QPoint(strip->width() - 3, strip->height() / 2)));
        letTicksPass(2);
        const quint64 asked = inspector()->questions();
        // Even a new page under the view does not count while the pointer is elsewhere.
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><h1>别的页面</h1></body></html>")));
        letTicksPass(5);
        QCOMPARE(inspector()->questions(), asked);
        QCOMPARE(panels()->panelText(0), QStringLiteral("元素:P"));
        QCOMPARE(panels()->panelText(1), QStringLiteral("内容:Second paragraph"));
        QCOMPARE(panels()->panelText(2), code);
    }

    void anyOfTheProgramsViewsIsInspected()
    {
        // A view in a window of its own, as in a dialog.
        engine::EngineView other;
        other.resize(300, 200);
        other.move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(40, 40));
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QVERIFY(other.Navigate(QStringLiteral("about:blank")));
        QVERIFY(other.WriteDocument(QStringLiteral("<html><body><h2 id=\"t\">滚动字幕</h2></body></html>")));
        other.raise();
        QCursor::setPos(elementCentre(&other, QStringLiteral("t")));
        QTRY_COMPARE(panels()->panelText(0), QStringLiteral("元素:H2"));
        QCOMPARE(panels()->panelText(1), QStringLiteral("内容:滚动字幕"));
        QCOMPARE(tools::ElementInspector::viewAt(QCursor::pos()), &other);
    }

    void longTextsStayOnOneLineAndNeverWidenTheWindow()
    {
        const QSize before = window->size();
        const QString text = QStringLiteral("代码:<body>\n") + QString(20000, QLatin1Char('x'))
            + QStringLiteral("\r\n<p>末尾</p></body>");
        panels()->setPanelText(2, text);
        QCOMPARE(panels()->panelText(2), text);
        app::StatusPanel *panel = panels()->panel(2);
        const QString shown = panel->shownText();
        QVERIFY(shown.startsWith(QStringLiteral("代码:<body> xxx")));
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(!shown.contains(QLatin1Char('\n')) && !shown.contains(QLatin1Char('\r')));
        QVERIFY(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width());
        // The tooltip holds the text, shown as text, not as markup, up to
        // what a screen can show.
        const QString tip = panel->tooltipText();
        QVERIFY(Qt::mightBeRichText(tip));
        QVERIFY(tip.contains(text.left(app::StatusPanel::kTooltipChars).toHtmlEscaped() + QChar(0x2026)));
        QVERIFY(!tip.contains(QStringLiteral("末尾")));
        QCoreApplication::processEvents();
        QCOMPARE(window->size(), before);

        // The panels sit side by side, 100 and 200 wide, the last one taking the rest.
        QCOMPARE(panels()->panel(0)->geometry(), QRect(0, 0, 100, app::StatusBar::kHeight));
        QCOMPARE(panels()->panel(1)->geometry(), QRect(102, 0, 200, app::StatusBar::kHeight));
        QCOMPARE(panels()->panel(2)->geometry(), QRect(304, 0, panels()->width() - 304, app::StatusBar::kHeight));

        // A short text is shown whole, and whole in the tooltip.
        const QString code = QStringLiteral("代码:<p>一\n二</p>");
        panels()->setPanelText(2, code);
        QCOMPARE(panel->shownText(), QStringLiteral("代码:<p>一 二</p>"));
        QVERIFY(panel->tooltipText().contains(code.toHtmlEscaped()));
    }

    void theToolbarButtonOpensTheColourPicker()
    {
        QVERIFY(window->router().run(commands::CommandId::ColourPickerTool));
        QDialog *picker = ui::DialogHost::of(window.get())->find(tools::ColourPickerCaption);
        QVERIFY(picker);
        QVERIFY(picker->isVisible());
        QVERIFY(!picker->isModal());
        QCOMPARE(picker->parentWidget(), window.get());
        picker->close();
    }
};

ZELVO_TEST_MAIN(InspectorTest)
#include "test_inspector.moc"
