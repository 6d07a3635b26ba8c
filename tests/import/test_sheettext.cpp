// The import's plain text: column names past z and az, text kept as text in
// HTML, the comma-separated reader and the table of a sheet's cells.
#include "TestSupport.h"
#include "import/SheetText.h"

using namespace import;

class SheetTextTest : public QObject {
    Q_OBJECT
private slots:
    void columnNames_data();
    void columnNames();
    void htmlText_data();
    void htmlText();
    void csv_data();
    void csv();
    void table();
};

void SheetTextTest::columnNames_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("cell");
    QTest::newRow("first") << 1 << 1 << "a1";
    QTest::newRow("c10") << 3 << 10 << "c10";
    QTest::newRow("z") << 26 << 5 << "z5";
    QTest::newRow("after z") << 27 << 1 << "aa1";
    QTest::newRow("az, the last of 52") << 52 << 2 << "az2";
    QTest::newRow("past az") << 53 << 2 << "ba2";
    QTest::newRow("zz") << 702 << 1 << "zz1";
    QTest::newRow("after zz") << 703 << 1 << "aaa1";
    QTest::newRow("largest sheet column") << 16384 << 1048576 << "xfd1048576";
    QTest::newRow("no column") << 0 << 7 << "7";
}

void SheetTextTest::columnNames()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, cell);
    QCOMPARE(CellName(column, row), cell);
}

void SheetTextTest::htmlText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("html");
    QTest::newRow("markup stays text") << "<b>x</b> & y" << "&lt;b&gt;x&lt;/b&gt; &amp; y";
    QTest::newRow("entity stays text") << "&amp;" << "&amp;amp;";
    QTest::newRow("paragraph ends, all kinds") << "a\nb\r\nc\rd\x0B" "e\x0C" "f" << "a<br>b<br>c<br>d<br>e<br>f";
    QTest::newRow("last paragraph end kept") << "甲\n乙\n" << "甲<br>乙<br>";
    QTest::newRow("runs of spaces stay visible") << "a  b   c" << "a&nbsp; b&nbsp;&nbsp; c";
    QTest::newRow("spaces at line ends") << " a \n b" << "&nbsp;a&nbsp;<br>&nbsp;b";
    QTest::newRow("tab") << "a\tb" << "a<span style=\"white-space:pre\">\t</span>b";
    QTest::newRow("other controls left out") << QString("a") + QChar(0) + "b\x07" "c" << "abc";
    QTest::newRow("quotes unchanged") << "\"q\" 'r'" << "\"q\" 'r'";
}

void SheetTextTest::htmlText()
{
    QFETCH(QString, text);
    QFETCH(QString, html);
    QCOMPARE(HtmlText(text), html);
}

void SheetTextTest::csv_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rows"); // records joined by '/', fields by '|'
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one line end") << "\n" << "";
    QTest::newRow("plain") << "a,b\n1,2" << "a|b/1|2";
    QTest::newRow("line end after the last record") << "a,b\n1,2\n" << "a|b/1|2";
    QTest::newRow("empty fields") << ",,\n,x," << "||/|x|";
    QTest::newRow("quoted comma and quote") << "\"a,b\",\"say \"\"hi\"\"\"" << "a,b|say \"hi\"";
    QTest::newRow("line end inside quotes") << "\"one\ntwo\",3\nx,y" << "one\ntwo|3/x|y";
    QTest::newRow("CR LF line ends") << "a\r\nb\r\n" << "a/b";
}

void SheetTextTest::csv()
{
    QFETCH(QString, text);
    QFETCH(QString, rows);
    QStringList joined;
    for (const QStringList &record : ReadCsv(text))
        joined << record.join(QLatin1Char('|'));
    QCOMPARE(joined.join(QLatin1Char('/')), rows);
    if (rows.isEmpty())
        QVERIFY(CellsFromCsv(text).isEmpty());
}

void SheetTextTest::table()
{
    // Ragged records are padded; data starting at B2 keeps its place.
    const SheetCells cells = CellsFromCsv(QStringLiteral(",\n,<x>\n,1,\"a\nb\"\n"));
    QCOMPARE(cells.columns, 3);
    QCOMPARE(cells.rows.size(), 3);
    QCOMPARE(cells.range(), QStringLiteral("a1:c3"));
    QVERIFY(!cells.isEmpty());
    QCOMPARE(TableFragment(cells),
             QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\r\n<tbody>"
                            "\r\n<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td></tr>"
                            "\r\n<tr>\r\n<td>&nbsp;</td>\r\n<td>&lt;x&gt;</td>\r\n<td>&nbsp;</td></tr>"
                            "\r\n<tr>\r\n<td>&nbsp;</td>\r\n<td>1</td>\r\n<td>a<br>b</td></tr>"
                            "</tbody></table>"));
    QVERIFY(CellsFromCsv(QStringLiteral(",,\n,,\n")).isEmpty());
}

ZELVO_TEST_MAIN(SheetTextTest)
#include "test_sheettext.moc"
