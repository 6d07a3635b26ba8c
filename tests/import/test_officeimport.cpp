// Word and Excel import with the real LibreOffice into a real page view:
// text at the caret and over a selection, markup kept as text, sheets past
// column az and not starting at A1, every failure told and nothing left
// running, the clipboard untouched.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "import/ImportNotice.h"
#include "import/LibreOffice.h"
#include "import/OfficeImport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTimer>
#include <memory>

using engine::EngineView;
using namespace import;

namespace {

const QString Page = QStringLiteral("<html><head><title>t</title></head><body><p>aXYb</p></body></html>");
const QString ClipboardText = QStringLiteral("用户复制的内容");

QString dataFile(const QString &name)
{
    return QFINDTESTDATA(QStringLiteral("../data/import/") + name);
}

// The live processes in the group, "pid state name" each; empty when there
// are none. Ended ones waiting for the system to collect them do not count.
QString groupMembers(qint64 group)
{
    QStringList members;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : entries) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // pid (comm) state ppid pgrp ...; comm may hold spaces and brackets.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields.at(2).toLongLong() == group && fields.at(0) != "Z"
            && fields.at(0) != "X")
            members << pid + QLatin1Char(' ') + QString::fromUtf8(fields.at(0)) + QLatin1Char(' ')
                           + QString::fromUtf8(line.mid(line.indexOf('('), line.lastIndexOf(')') - line.indexOf('(') + 1));
    }
    return members.join(QStringLiteral(", "));
}

// Sets PATH for the life of the object.
struct PathOverride {
    explicit PathOverride(const QString &path) : saved(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", saved); }
    QByteArray saved;
};

} // namespace

class OfficeImportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void word_data();
    void word();
    void excel_data();
    void excel();
    void failures_data();
    void failures();
    void cancelledDialogs();
    void hangingConverterIsStopped();

private:
    QString body() { return m_view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    void select(int start, int end)
    {
        QVERIFY(m_view->evaluate(QStringLiteral(
                                     "(function(){var t=document.querySelector('p').firstChild;"
                                     "var r=document.createRange(); r.setStart(t,%1); r.setEnd(t,%2);"
                                     "var s=getSelection(); s.removeAllRanges(); s.addRange(r); return true;})();")
                                     .arg(start)
                                     .arg(end))
                    .toBool());
    }
    // The import leaves the page as given, the clipboard as it was and no
    // LibreOffice process behind.
    void checkAfterImport(qint64 groupBefore)
    {
        QCOMPARE(QGuiApplication::clipboard()->text(), ClipboardText);
        QVERIFY(!conversionRunning());
        QVERIFY(!importRunning());
        if (lastConversionGroup() != groupBefore)
            QCOMPARE(groupMembers(lastConversionGroup()), QString());
    }

    EngineView *m_view = nullptr;
    QLineEdit *m_otherControl = nullptr; // stands in for the toolbar button that started the import
    std::unique_ptr<QWidget> m_owner;
};

void OfficeImportTest::initTestCase()
{
    QVERIFY2(!FindConverter().isEmpty(), "LibreOffice (soffice) is needed on the PATH");
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(800, 600);
    m_view = new EngineView(m_owner.get());
    m_view->resize(800, 600);
    m_otherControl = new QLineEdit(m_owner.get());
    m_otherControl->move(0, 600);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
}

void OfficeImportTest::cleanupTestCase()
{
    m_owner.reset();
}

void OfficeImportTest::init()
{
    QVERIFY(m_view->WriteDocument(Page));
    select(1, 1);
    QGuiApplication::clipboard()->setText(ClipboardText);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), ClipboardText);
}

void OfficeImportTest::word_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("overSelection");
    QTest::addColumn<QString>("result");
    const QString paragraphs = QStringLiteral("第一段：Zelvo<br>第二段：导入<br>");
    QTest::newRow("doc at the caret") << "paragraphs.doc" << false << "<p>a" + paragraphs + "XYb</p>";
    QTest::newRow("docx over a selection") << "paragraphs.docx" << true << "<p>a" + paragraphs + "b</p>";
    QTest::newRow("rtf at the caret") << "paragraphs.rtf" << false << "<p>a" + paragraphs + "XYb</p>";
    QTest::newRow("odt with markup characters")
        << "markup.odt" << false
        << "<p>a&lt;b&gt;粗体&lt;/b&gt; &amp; \"引号\"&nbsp; 两个空格<br>"
           "甲<span style=\"white-space:pre\">\t</span>乙<br>XYb</p>";
}

void OfficeImportTest::word()
{
    QFETCH(QString, file);
    QFETCH(bool, overSelection);
    QFETCH(QString, result);
    if (overSelection)
        select(1, 3);
    ScriptedPrompter prompter;
    prompter.fileNames.enqueue(dataFile(file));
    const qint64 groupBefore = lastConversionGroup();
    m_otherControl->setFocus();

    ImportWord(m_owner.get(), *m_view);

    QCOMPARE(prompter.fileDialogs.size(), 1);
    QCOMPARE(prompter.fileDialogs.at(0).save, false);
    QCOMPARE(prompter.fileDialogs.at(0).request.title, WordDialogTitle);
    QCOMPARE(prompter.fileDialogs.at(0).request.filter, WordDialogFilter);
    QVERIFY2(prompter.messages.isEmpty(), qPrintable(prompter.messages.value(0).text));
    QCOMPARE(body(), result);
    QVERIFY(m_view->evaluate(QStringLiteral("document.querySelector('p b') === null;")).toBool());
    // Typing goes on in the page, after the inserted text.
    QCOMPARE(m_owner->focusWidget(), m_view->inputWidget());
    checkAfterImport(groupBefore);
}

void OfficeImportTest::excel_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    // Cells as "row,column=inner HTML", counted from 0.
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("xls A1:C10, first of two sheets")
        << "a1_c10.xls" << 10 << 3 << QStringList{"0,0=A1格", "9,2=C10格", "4,1=B5格"};
    QTest::newRow("xlsx with 53 columns")
        << "columns53.xlsx" << 2 << 53 << QStringList{"0,51=列52", "0,52=列53", "1,52=53"};
    QTest::newRow("ods with data from B3")
        << "from_b3.ods" << 4 << 4
        << QStringList{"0,0=&nbsp;", "2,0=&nbsp;", "2,1=&lt;甲&gt;", "2,2=多<br>行", "2,3=&amp;", "3,3=3"};
}

void OfficeImportTest::excel()
{
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QStringList, cells);
    ScriptedPrompter prompter;
    prompter.fileNames.enqueue(dataFile(file));
    const qint64 groupBefore = lastConversionGroup();

    ImportExcel(m_owner.get(), *m_view);

    QCOMPARE(prompter.fileDialogs.size(), 1);
    QCOMPARE(prompter.fileDialogs.at(0).request.title, ExcelDialogTitle);
    QCOMPARE(prompter.fileDialogs.at(0).request.filter, ExcelDialogFilter);
    QVERIFY2(prompter.messages.isEmpty(), qPrintable(prompter.messages.value(0).text));
    // One table at the caret, between "a" and "XYb".
    const QJsonArray table = QJsonDocument::fromJson(
                                 m_view
                                     ->evaluate(QStringLiteral(
                                         "(function(){var t=document.querySelectorAll('table');"
                                         "if (t.length!==1||t[0].previousSibling.data!=='a'"
                                         "||t[0].nextSibling.data!=='XYb') return '[]';"
                                         "return JSON.stringify(Array.from(t[0].rows, function(r){"
                                         "return Array.from(r.cells, function(c){return c.innerHTML;});}));})();"))
                                     .toString()
                                     .toUtf8())
                                 .array();
    QCOMPARE(table.size(), rows);
    for (const QJsonValue &row : table)
        QCOMPARE(row.toArray().size(), columns);
    for (const QString &cell : cells) {
        const QStringList place = cell.section(QLatin1Char('='), 0, 0).split(QLatin1Char(','));
        QCOMPARE(table.at(place.at(0).toInt()).toArray().at(place.at(1).toInt()).toString(),
                 cell.section(QLatin1Char('='), 1));
    }
    QVERIFY(!body().contains(QStringLiteral("不该导入")));
    checkAfterImport(groupBefore);
}

void OfficeImportTest::failures_data()
{
    QTest::addColumn<bool>("excel");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("withConverter"); // false: a PATH without LibreOffice
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("没有找到LibreOffice，无法导入%1。请先安装LibreOffice"
                                           "（软件包 libreoffice-writer-nogui 和 libreoffice-calc-nogui）。");
    QTest::newRow("no converter, Word") << false << "paragraphs.doc" << false << missing.arg("Word文档");
    QTest::newRow("no converter, Excel") << true << "a1_c10.xls" << false << missing.arg("Excel文档");
    QTest::newRow("corrupt doc") << false << "truncated.doc" << true
                                 << "LibreOffice无法打开文件“truncated.doc”：文件可能已损坏，或者不是Word文档。";
    // Cut short before its list of contents: no package of any kind.
    QTest::newRow("corrupt xlsx") << true << "truncated.xlsx" << true
                                  << "文件“truncated.xlsx”不是可以读取的Excel工作簿（.xls、.xlsx、.ods），没有导入任何内容。";
    // Files that are not what their kind needs never reach the converter,
    // which would read them as plain text.
    QTest::newRow("text named .xls") << true << "not-a-sheet.xls" << true
                                     << "文件“not-a-sheet.xls”不是可以读取的Excel工作簿（.xls、.xlsx、.ods），没有导入任何内容。";
    QTest::newRow("damaged doc") << false << "damaged.doc" << true
                                 << "文件“damaged.doc”不是可以读取的Word文档（.doc、.docx、.odt、.rtf），没有导入任何内容。";
    QTest::newRow("workbook as Word") << false << "columns53.xlsx" << true
                                      << "文件“columns53.xlsx”不是可以读取的Word文档（.doc、.docx、.odt、.rtf），没有导入任何内容。";
    QTest::newRow("text document as workbook") << true << "markup.odt" << true
                                               << "文件“markup.odt”不是可以读取的Excel工作簿（.xls、.xlsx、.ods），没有导入任何内容。";
    QTest::newRow("empty sheet") << true << "empty.xls" << true
                                 << "文件“empty.xls”的第一个工作表是空的，没有可导入的单元格。";
}

void OfficeImportTest::failures()
{
    QFETCH(bool, excel);
    QFETCH(QString, file);
    QFETCH(bool, withConverter);
    QFETCH(QString, message);
    std::unique_ptr<PathOverride> path;
    if (!withConverter)
        path = std::make_unique<PathOverride>(testsupport::freshTempDir());

    ScriptedPrompter prompter;
    prompter.fileNames.enqueue(dataFile(file));
    const qint64 groupBefore = lastConversionGroup();
    if (excel)
        ImportExcel(m_owner.get(), *m_view);
    else
        ImportWord(m_owner.get(), *m_view);

    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages.at(0).caption, QStringLiteral("信息："));
    QCOMPARE(prompter.messages.at(0).text, message);
    QCOMPARE(body(), QStringLiteral("<p>aXYb</p>"));
    checkAfterImport(groupBefore);
}

void OfficeImportTest::cancelledDialogs()
{
    ScriptedPrompter prompter; // no file names: every dialog is cancelled
    const qint64 groupBefore = lastConversionGroup();
    ImportWord(m_owner.get(), *m_view);
    ImportExcel(m_owner.get(), *m_view);
    QCOMPARE(prompter.fileDialogs.size(), 2);
    QVERIFY(prompter.messages.isEmpty());
    QCOMPARE(body(), QStringLiteral("<p>aXYb</p>"));
    QCOMPARE(lastConversionGroup(), groupBefore);
    checkAfterImport(groupBefore);
}

void OfficeImportTest::hangingConverterIsStopped()
{
    // A stand-in converter that never finishes and has a child of its own is
    // stopped, child and all, at the time limit. Meanwhile the notice is
    // painted, and a second import asked for does nothing, not even its
    // file dialog.
    struct PaintWatch : QObject {
        int paints = 0;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && watched->objectName() == QStringLiteral("导入提示"))
                ++paints;
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);

    const QString bin = testsupport::freshTempDir();
    QFile script(bin + QStringLiteral("/soffice"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 600 &\nsleep 600\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    PathOverride path(bin + QStringLiteral(":/usr/bin:/bin"));
    const int limit = conversionTimeLimit();
    setConversionTimeLimit(1500);

    ScriptedPrompter prompter;
    prompter.fileNames.enqueue(dataFile(QStringLiteral("paragraphs.doc")));
    bool sawNotice = false;
    QTimer during;
    connect(&during, &QTimer::timeout, this, [&] {
        if (!conversionRunning() || watch.paints == 0)
            return;
        during.stop();
        auto *notice = m_owner->findChild<ImportNotice *>();
        sawNotice = notice && notice->isVisible() && notice->size() == QSize(240, 56)
                    && QApplication::activeModalWidget() == notice;
        ImportExcel(m_owner.get(), *m_view);
        ImportWord(m_owner.get(), *m_view);
    });
    during.start(10);
    ImportWord(m_owner.get(), *m_view);
    setConversionTimeLimit(limit);
    qApp->removeEventFilter(&watch);

    QVERIFY(sawNotice);
    QCOMPARE(prompter.fileDialogs.size(), 1);
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages.at(0).text,
             QStringLiteral("LibreOffice在2秒内没有完成文件“paragraphs.doc”的转换，已停止导入。"));
    QCOMPARE(body(), QStringLiteral("<p>aXYb</p>"));
    QVERIFY(!m_owner->findChild<ImportNotice *>());
    checkAfterImport(0);
}

ZELVO_TEST_MAIN(OfficeImportTest)
#include "test_officeimport.moc"
