// Insertions into a real page view: the simple commands, a selection being
// replaced, and the dialogs inserting through the engine.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "insert/Insertion.h"
#include "insert/SimpleElements.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <memory>

using engine::EngineView;
using namespace insert;

namespace {
const QString Page = QStringLiteral("<html><head><title>t</title></head><body><p>ab</p></body></html>");
}

class InsertionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void directCommands_data();
    void directCommands();
    void dateAndTimeLabelsGoInAsText();
    void selectionIsReplaced();
    void checkBoxesShareTheirName();
    void groupBoxKeepsItsStyleText();
    void buttonDialogInsertsIntoPage();
    void quoteInButtonTitleGoesInRaw();
    void groupBoxDialogDefaults();
    void inserterOutlivingItsView();

private:
    QString body() { return m_view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    // Puts the caret after the first character of the page's paragraph.
    void caretAfterA()
    {
        QVERIFY(m_view->evaluate(QStringLiteral(
                                     "(function(){var t=document.querySelector('p').firstChild;"
                                     "var r=document.createRange(); r.setStart(t,1); r.collapse(true);"
                                     "var s=getSelection(); s.removeAllRanges(); s.addRange(r); return true;})();"))
                    .toBool());
    }
    QDialog *confirm(QDialog *dialog)
    {
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QStringLiteral("按钮1")), Qt::LeftButton);
        return dialog;
    }

    EngineView *m_view = nullptr;
    std::unique_ptr<QWidget> m_owner;
};

void InsertionTest::initTestCase()
{
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(800, 600);
    m_view = new EngineView(m_owner.get());
    m_view->resize(800, 600);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
}

void InsertionTest::cleanupTestCase()
{
    m_owner.reset();
}

void InsertionTest::init()
{
    QVERIFY(m_view->WriteDocument(Page));
    caretAfterA();
}

void InsertionTest::directCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("横线") << 0 << "<hr>";
    QTest::newRow("文本框") << 1 << "<input>";
    QTest::newRow("文本域") << 2 << "<textarea></textarea>";
    QTest::newRow("复选框") << 3 << "<input type=\"checkbox\" value=\"ON\" checked=\"\" name=\"C1\">";
    QTest::newRow("单选框") << 4 << "<input type=\"radio\" value=\"V1\" checked=\"\" name=\"R1\">";
    QTest::newRow("标签") << 5 << "<div>新的标签</div>";
}

void InsertionTest::directCommands()
{
    QFETCH(int, command);
    QFETCH(QString, inserted);
    void (*const commands[])(EngineView &) = {InsertHorizontalRule, InsertTextBox, InsertTextArea,
                                             InsertCheckBox,       InsertRadioButton, InsertLabel};
    commands[command](*m_view);
    QCOMPARE(body(), QStringLiteral("<p>a") + inserted + QStringLiteral("b</p>"));
    QVERIFY(m_view->ReadDocument().contains(inserted));
}

void InsertionTest::dateAndTimeLabelsGoInAsText()
{
    const QString today = DateLabel(QDate::currentDate());
    InsertDateLabel(*m_view);
    QString html = body();
    // Around midnight the date may have moved on between the two readings.
    QVERIFY2(html == QStringLiteral("<p>a") + today + QStringLiteral("b</p>")
                 || html == QStringLiteral("<p>a") + DateLabel(QDate::currentDate()) + QStringLiteral("b</p>"),
             qPrintable(html));

    init();
    InsertTimeLabel(*m_view);
    html = body();
    QVERIFY2(QRegularExpression(QStringLiteral("^<p>a([0-9]|1[0-9]|2[0-3])时[1-5]?[0-9]分[1-5]?[0-9]秒b</p>$"))
                 .match(html)
                 .hasMatch(),
             qPrintable(html));
}

void InsertionTest::selectionIsReplaced()
{
    QVERIFY(m_view->WriteDocument(
        QStringLiteral("<html><head></head><body><p>hello world end</p></body></html>")));
    QVERIFY(m_view->evaluate(QStringLiteral(
                                 "(function(){var t=document.querySelector('p').firstChild;"
                                 "var r=document.createRange(); r.setStart(t,6); r.setEnd(t,11);"
                                 "var s=getSelection(); s.removeAllRanges(); s.addRange(r); return true;})();"))
                .toBool());
    QVERIFY(InsertFragment(*m_view, QStringLiteral("<b>X</b>")));
    QCOMPARE(body(), QStringLiteral("<p>hello <b>X</b> end</p>"));
}

void InsertionTest::checkBoxesShareTheirName()
{
    InsertCheckBox(*m_view);
    InsertCheckBox(*m_view);
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelectorAll('input[type=checkbox][name=C1]').length;"))
                 .toInt(),
             2);
}

void InsertionTest::groupBoxKeepsItsStyleText()
{
    QVERIFY(InsertFragment(*m_view, BuildGroupBox(GroupBoxFields())));
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('fieldset').getAttribute('style');"))
                 .toString(),
             QStringLiteral("BORDER-COLOR:#000000; WIDTH:400px;HEIGHT:200px;BACKGROUND-COLOR:#FFFFFF"));
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('legend').getAttribute('align');")).toString(),
             QStringLiteral("left"));
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('fieldset').textContent;")).toString(),
             QStringLiteral("标题内容"));
}

void InsertionTest::buttonDialogInsertsIntoPage()
{
    QPointer<QDialog> dialog = OpenButtonDialog(m_owner.get(), m_view);
    QVERIFY(dialog);
    QCOMPARE(OpenButtonDialog(m_owner.get(), m_view), dialog.data());
    dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_按钮名称"))->setText(QStringLiteral("b1"));
    dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_按钮标题"))->setText(QStringLiteral("提交"));
    confirm(dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<input type=\"button\" name=\"b1\" value=\"提交\">b</p>"));
    QTRY_VERIFY(!dialog);
}

void InsertionTest::quoteInButtonTitleGoesInRaw()
{
    QDialog *dialog = OpenButtonDialog(m_owner.get(), m_view);
    dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_按钮名称"))->setText(QStringLiteral("q"));
    dialog->findChild<QLineEdit *>(QStringLiteral("编辑框_按钮标题"))->setText(QStringLiteral("say \"hi\""));
    confirm(dialog);
    // The quote ends the value attribute early.
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('input[name=q]').value;")).toString(),
             QStringLiteral("say "));
}

void InsertionTest::groupBoxDialogDefaults()
{
    QPointer<QDialog> dialog = OpenGroupBoxDialog(m_owner.get(), m_view);
    confirm(dialog);
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelectorAll('fieldset').length;")).toInt(), 1);
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('legend').textContent;")).toString(),
             QStringLiteral("标题"));
    QTRY_VERIFY(!dialog);
}

void InsertionTest::inserterOutlivingItsView()
{
    auto *other = new EngineView;
    const insert::Inserter inserter = InserterFor(other);
    delete other;
    QVERIFY(!inserter(QStringLiteral("<hr>")));
}

ZELVO_TEST_MAIN(InsertionTest)
#include "test_insertion.moc"
