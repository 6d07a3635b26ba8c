// The builders' text: every fragment byte for byte, the colour text, the
// marker search and the reading of fields as numbers.
#include "TestSupport.h"
#include "insert/SimpleElements.h"
#include "insert/TextHelpers.h"

#include <limits>

using namespace insert;

class FragmentsTest : public QObject {
    Q_OBJECT
private slots:
    void colourToHtml_data();
    void colourToHtml();
    void textBetween_data();
    void textBetween();
    void fixedFragments();
    void dateAndTimeLabels_data();
    void dateAndTimeLabels();
    void button_data();
    void button();
    void groupBox_data();
    void groupBox();
};

void FragmentsTest::colourToHtml_data()
{
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("html");
    QTest::newRow("red 12 green 11 blue 10") << quint32(0x0A0B0C) << "#0C0B0A";
    QTest::newRow("pure red") << quint32(0x0000FF) << "#FF0000";
    QTest::newRow("pure green") << quint32(0x00FF00) << "#00FF00";
    QTest::newRow("pure blue") << quint32(0xFF0000) << "#0000FF";
    QTest::newRow("white") << quint32(0xFFFFFF) << "#FFFFFF";
    QTest::newRow("black") << quint32(0) << "#000000";
    QTest::newRow("upper-case hex digits") << quint32(0xABCDEF) << "#EFCDAB";
    QTest::newRow("high byte ignored") << quint32(0xFF123456) << "#563412";
}

void FragmentsTest::colourToHtml()
{
    QFETCH(quint32, colour);
    QFETCH(QString, html);
    QCOMPARE(ColourToHtml(colour), html);
}

void FragmentsTest::textBetween_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<int>("endPosition");

    // "<BODY>" is 6 bytes, "abc" 3, "</BODY>" 7: the end marker starts at byte 10.
    QTest::newRow("plain") << "<BODY>abc</BODY>" << "<BODY>" << "</BODY>" << "abc" << 17;
    QTest::newRow("markers in any case") << "<body>abc</Body>x" << "<BODY>" << "</BODY>" << "abc" << 17;
    QTest::newRow("first start, first end after it")
        << "x<b>1</b><b>2</b>" << "<b>" << "</b>" << "1" << 10;
    QTest::newRow("no start marker") << "abc</BODY>" << "<BODY>" << "</BODY>" << "" << -1;
    QTest::newRow("no end marker") << "<BODY>abc" << "<BODY>" << "</BODY>" << "" << -1;
    QTest::newRow("end marker only before start")
        << "</BODY><BODY>abc" << "<BODY>" << "</BODY>" << "" << -1;
    QTest::newRow("nothing between") << "<BODY></BODY>" << "<BODY>" << "</BODY>" << "" << -1;
    QTest::newRow("body with attributes") << "<BODY bgcolor=red>a</BODY>" << "<BODY>"
                                          << "</BODY>" << "" << -1;
    // Chinese characters take two bytes each in the page's code page.
    QTest::newRow("positions count GBK bytes")
        << "<TITLE>无标题网页</TITLE>" << "<TITLE>" << "</TITLE>" << "无标题网页" << 26;
    QTest::newRow("attribute value") << "<body background=\"a.jpg\" x>" << "background=\""
                                     << "\"" << "a.jpg" << 25;
    QTest::newRow("non-ASCII letters keep their case")
        << "<ÄB>x</ÄB>" << "<äb>" << "</äb>" << "" << -1;
}

void FragmentsTest::textBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, piece);
    QFETCH(int, endPosition);
    const TextPiece found = TextBetween(text, start, end);
    QCOMPARE(found.text, piece);
    QCOMPARE(found.end, endPosition);
}

void FragmentsTest::fixedFragments()
{
    QCOMPARE(HorizontalRuleFragment, QStringLiteral("<HR>"));
    QCOMPARE(TextBoxFragment, QStringLiteral("<input>"));
    QCOMPARE(TextAreaFragment, QStringLiteral("<textarea>"));
    QCOMPARE(CheckBoxFragment, QStringLiteral("<input type=\"checkbox\" value=\"ON\" checked name=\"C1\">"));
    QCOMPARE(RadioButtonFragment, QStringLiteral("<input type=\"radio\" value=\"V1\" checked name=\"R1\">"));
    QCOMPARE(LabelFragment, QStringLiteral("<div>新的标签</div>"));
}

void FragmentsTest::dateAndTimeLabels_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("new year midnight")
        << QDateTime(QDate(2012, 1, 1), QTime(0, 0, 0)) << "2012年1月1日" << "0时0分0秒";
    QTest::newRow("no leading zeros")
        << QDateTime(QDate(2011, 4, 2), QTime(9, 5, 7)) << "2011年4月2日" << "9时5分7秒";
    QTest::newRow("two digits")
        << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)) << "1999年12月31日" << "23时59分59秒";
}

void FragmentsTest::dateAndTimeLabels()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QCOMPARE(DateLabel(moment.date()), date);
    QCOMPARE(TimeLabel(moment.time()), time);
}

void FragmentsTest::button_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("message");
    QTest::newRow("both given") << "b1" << "提交" << "<input type=\"button\" name=\"b1\" value=\"提交\">"
                                << "";
    QTest::newRow("ID checked before title") << "" << "" << "" << "请输入按钮ID！";
    QTest::newRow("empty ID") << "" << "提交" << "" << "请输入按钮ID！";
    QTest::newRow("empty title") << "b1" << "" << "" << "请输入按钮标题！";
    QTest::newRow("blanks are not empty") << " " << " " << "<input type=\"button\" name=\" \" value=\" \">"
                                          << "";
    QTest::newRow("quote goes in raw") << "b" << "say \"hi\">" << "<input type=\"button\" name=\"b\" value=\"say \"hi\">\">"
                                       << "";
}

void FragmentsTest::button()
{
    QFETCH(QString, id);
    QFETCH(QString, title);
    QFETCH(QString, fragment);
    QFETCH(QString, message);
    const insert::BuildResult result = BuildButton({id, title});
    QCOMPARE(result.isInsert(), message.isEmpty());
    QCOMPARE(result.fragment(), fragment);
    QCOMPARE(result.message(), message);
    if (!message.isEmpty())
        QCOMPARE(result.action(), insert::BuildResult::Action::Refuse);
}

void FragmentsTest::groupBox_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("defaults") << 0
        << "<fieldset style=\"BORDER-COLOR:#000000; WIDTH:400px;HEIGHT:200px;BACKGROUND-COLOR:#FFFFFF\">"
           "<legend align=left>标题</legend>内容</fieldset>";
    QTest::newRow("centred, coloured") << 1
        << "<fieldset style=\"BORDER-COLOR:#0C0B0A; WIDTH:400px;HEIGHT:200px;BACKGROUND-COLOR:#00FF00\">"
           "<legend align=center>标题</legend>内容</fieldset>";
    QTest::newRow("empty fields, any other index right") << 2
        << "<fieldset style=\"BORDER-COLOR:#000000; WIDTH:px;HEIGHT:px;BACKGROUND-COLOR:#FFFFFF\">"
           "<legend align=right></legend>内容</fieldset>";
    QTest::newRow("values verbatim") << 3
        << "<fieldset style=\"BORDER-COLOR:#000000; WIDTH: 50% px;HEIGHT:a\"bpx;BACKGROUND-COLOR:#FFFFFF\">"
           "<legend align=right><b>x</b></legend>内容</fieldset>";
}

void FragmentsTest::groupBox()
{
    QFETCH(int, change);
    QFETCH(QString, fragment);
    GroupBoxFields fields;
    switch (change) {
    case 1:
        fields.alignIndex = 1;
        fields.borderColour = 0x0A0B0C;
        fields.backColour = 0x00FF00;
        break;
    case 2:
        fields.width.clear();
        fields.height.clear();
        fields.title.clear();
        fields.alignIndex = 7;
        break;
    case 3:
        fields.width = QStringLiteral(" 50% ");
        fields.height = QStringLiteral("a\"b");
        fields.title = QStringLiteral("<b>x</b>");
        fields.alignIndex = -1;
        break;
    }
    QCOMPARE(BuildGroupBox(fields), fragment);
}

ZELVO_TEST_MAIN(FragmentsTest)
#include "test_fragments.moc"
