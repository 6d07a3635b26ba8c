// The table, image, hyperlink and picture-link builders byte for byte, their
// required-field order, and the table's size limit.
#include "TestSupport.h"
#include "insert/Hyperlinks.h"
#include "insert/Images.h"
#include "insert/Tables.h"

using namespace insert;

namespace {

const QString DefaultHead = QStringLiteral(
    "<table style=\"WIDTH:400px; BORDER-COLLAPSE:collapse; HEIGHT:200px;BACKGROUND-COLOR:#FFFFFF;"
    "BACKGROUND-IMAGE: url()\" cellSpacing=1; cellPadding=1; border=1; bordercolor=#000000;>\r\n<tbody>");
const QString Cell = QStringLiteral("\r\n<td style=TEXT-ALIGN:center;VERTICAL-ALIGN:middle>&nbsp;</td>");

QString rowOf(const QString &cells) { return QStringLiteral("\r\n<tr>\r\n") + cells + QStringLiteral("</tr>"); }

} // namespace

class TableImageLinkFragmentsTest : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void tableSizeLimit_data();
    void tableSizeLimit();
    void tableMarkupOfAMillionCells();
    void image_data();
    void image();
    void imageChecks();
    void hyperlink_data();
    void hyperlink();
    void pictureLink_data();
    void pictureLink();
};

void TableImageLinkFragmentsTest::table_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("fragment");

    // The defaults, line by line: head, <tbody>, <tr>, an empty line, the cell.
    QTest::newRow("defaults") << 0
        << QStringLiteral("<table style=\"WIDTH:400px; BORDER-COLLAPSE:collapse; HEIGHT:200px;"
                          "BACKGROUND-COLOR:#FFFFFF;BACKGROUND-IMAGE: url()\" cellSpacing=1; cellPadding=1; "
                          "border=1; bordercolor=#000000;>\r\n<tbody>\r\n<tr>\r\n\r\n"
                          "<td style=TEXT-ALIGN:center;VERTICAL-ALIGN:middle>&nbsp;</td></tr></tbody></table>");
    QTest::newRow("2 x 3") << 1 << DefaultHead + rowOf(Cell + Cell + Cell) + rowOf(Cell + Cell + Cell)
            + QStringLiteral("</tbody></table>");
    QTest::newRow("columns 2.9") << 2 << DefaultHead + rowOf(Cell + Cell) + QStringLiteral("</tbody></table>");
    QTest::newRow("rows -1") << 3 << DefaultHead + QStringLiteral("</tbody></table>");
    QTest::newRow("rows not a number") << 4 << DefaultHead + QStringLiteral("</tbody></table>");
    QTest::newRow("columns 0: rows without cells") << 5
        << DefaultHead + rowOf(QString()) + rowOf(QString()) + QStringLiteral("</tbody></table>");
    QTest::newRow("分开, 右对齐, 底部") << 6
        << QStringLiteral("<table style=\"WIDTH:400px; BORDER-COLLAPSE:separate; HEIGHT:200px;"
                          "BACKGROUND-COLOR:#FFFFFF;BACKGROUND-IMAGE: url()\" cellSpacing=1; cellPadding=1; "
                          "border=1; bordercolor=#000000;>\r\n<tbody>\r\n<tr>\r\n\r\n"
                          "<td style=TEXT-ALIGN:right;VERTICAL-ALIGN:bottom>&nbsp;</td></tr></tbody></table>");
    QTest::newRow("左对齐, 顶部, values verbatim, path with spaces") << 7
        << QStringLiteral("<table style=\"WIDTH:50%px; BORDER-COLLAPSE:collapse; HEIGHT:px;"
                          "BACKGROUND-COLOR:#0C0B0A;BACKGROUND-IMAGE: url(/home/用户/my pictures/背景 1.gif)\" "
                          "cellSpacing=; cellPadding=a b; border=0; bordercolor=#00FF00;>\r\n<tbody>\r\n<tr>\r\n\r\n"
                          "<td style=TEXT-ALIGN:left;VERTICAL-ALIGN:top>&nbsp;</td></tr></tbody></table>");
    QTest::newRow("full-width digits") << 8 << DefaultHead + rowOf(Cell + Cell) + QStringLiteral("</tbody></table>");
}

void TableImageLinkFragmentsTest::table()
{
    QFETCH(int, change);
    QFETCH(QString, fragment);
    TableFields fields;
    switch (change) {
    case 1: fields.rows = QStringLiteral("2"); fields.columns = QStringLiteral("3"); break;
    case 2: fields.columns = QStringLiteral("2.9"); break;
    case 3: fields.rows = QStringLiteral("-1"); break;
    case 4: fields.rows = QStringLiteral("abc"); break;
    case 5: fields.rows = QStringLiteral(" 2"); fields.columns = QStringLiteral("0"); break;
    case 6: fields.collapseIndex = 1; fields.horizontalIndex = 2; fields.verticalIndex = 2; break;
    case 7:
        fields.width = QStringLiteral("50%");
        fields.height.clear();
        fields.spacing.clear();
        fields.padding = QStringLiteral("a b");
        fields.border = QStringLiteral("0");
        fields.backColour = 0x0A0B0C;
        fields.borderColour = 0x00FF00;
        fields.backgroundImage = QStringLiteral("/home/用户/my pictures/背景 1.gif");
        fields.horizontalIndex = 0;
        fields.verticalIndex = 0;
        break;
    case 8: fields.columns = QStringLiteral("２"); break;
    }
    const BuildResult result = BuildTable(fields);
    QVERIFY(result.isInsert());
    QCOMPARE(result.fragment(), fragment);
}

void TableImageLinkFragmentsTest::tableSizeLimit_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("builtCells"); // -1: refused
    QTest::newRow("707 x 707 is built") << "707" << "707" << 707 * 707;
    QTest::newRow("one row of half a million") << "1" << "500000" << 500000;
    QTest::newRow("half a million empty rows") << "500000" << "0" << 0;
    QTest::newRow("1000 x 1000 refused") << "1000" << "1000" << -1;
    QTest::newRow("100000 x 100000 refused") << "100000" << "100000" << -1;
    QTest::newRow("past 32 bits: saturates, refused") << "99999999999" << "1" << -1;
    QTest::newRow("huge columns, no rows: empty body") << "0" << "1e300" << 0;
    QTest::newRow("more empty rows than allowed") << "500001" << "-5" << -1;
}

void TableImageLinkFragmentsTest::tableSizeLimit()
{
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(int, builtCells);
    TableFields fields;
    fields.rows = rows;
    fields.columns = columns;
    const BuildResult result = BuildTable(fields);
    if (builtCells < 0) {
        QCOMPARE(result.action(), BuildResult::Action::Refuse);
        QCOMPARE(result.message(), TableTooLargeMessage);
        return;
    }
    QVERIFY(result.isInsert());
    const QString fragment = result.fragment();
    QCOMPARE(fragment.count(QStringLiteral("<td ")), builtCells);
    QVERIFY(fragment.startsWith(DefaultHead));
    QVERIFY(fragment.endsWith(QStringLiteral("</tr></tbody></table>")) || !fragment.contains(QStringLiteral("<tr>")));
}

void TableImageLinkFragmentsTest::tableMarkupOfAMillionCells()
{
    // The markup itself has no limit: a million cells, each row and cell the same.
    TableFields fields;
    fields.rows = fields.columns = QStringLiteral("1000");
    const QString markup = TableMarkup(fields);
    const QString row = rowOf(Cell.repeated(1000));
    QCOMPARE(markup.size(), DefaultHead.size() + 1000 * row.size() + QStringLiteral("</tbody></table>").size());
    QVERIFY(markup.startsWith(DefaultHead + row + row));
    QVERIFY(markup.endsWith(row + QStringLiteral("</tbody></table>")));
}

void TableImageLinkFragmentsTest::image_data()
{
    QTest::addColumn<QString>("border");
    QTest::addColumn<QString>("altText");
    QTest::addColumn<int>("wrap");
    QTest::addColumn<int>("effect");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("bordered, alt text") << "2" << "图 1" << 1 << 1
        << "<IMG style=\"BORDER-COLOR:#0C0B0A;opacity:0.5;FILTER:Alpha(Opacity=50);WIDTH:120px;HEIGHT:80px;\" alt=图 1 "
           "src=\"my pics/a.gif\" align=center border=2>";
    QTest::newRow("bordered, no alt text") << "0.5" << "" << 2 << 6
        << "<IMG style=\"BORDER-COLOR:#0C0B0A;filter:grayscale(1);FILTER:gray;WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" "
           "align=right border=0.5>";
    QTest::newRow("no border, alt text") << "0" << "提示" << 3 << 4
        << QStringLiteral("<IMG style=\"filter:url(#zelvo-effect-wind);FILTER:blur(add=true,direction=45,strength=30);"
                          "WIDTH:120px;HEIGHT:80px;\" alt=提示 src=\"my pics/a.gif\" align=top>")
               + ImageEffectFilters(4);
    QTest::newRow("no border, no alt text, effect 无") << "0" << "" << 0 << 0
        << "<IMG style=\"FILTER: ;WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=left>";
    QTest::newRow("border of letters") << "abc" << "" << 4 << 10
        << "<IMG style=\"filter:invert(1);FILTER:invert;WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=middle>";
    QTest::newRow("border just above the threshold") << "0.0000002" << "" << 5 << 2
        << "<IMG style=\"BORDER-COLOR:#0C0B0A;-webkit-mask-image:linear-gradient(145deg,transparent,#000);"
           "mask-image:linear-gradient(145deg,transparent,#000);FILTER:Alpha(Opacity=0, FinishOpacity=100, Style=1, StartX=0, "
           "StartY=0, FinishX=100, FinishY=140);WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=bottom "
           "border=0.0000002>";
    QTest::newRow("border at the threshold, index past the lists") << "0.0000001" << "" << 9 << 99
        << "<IMG style=\"filter:invert(1);FILTER:invert;WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=bottom>";
    QTest::newRow("full-width border") << "３" << "" << 0 << 3
        << "<IMG style=\"BORDER-COLOR:#0C0B0A;-webkit-mask-image:radial-gradient(rgba(0,0,0,0.1),#000);"
           "mask-image:radial-gradient(rgba(0,0,0,0.1),#000);FILTER:Alpha(Opacity=10, FinishOpacity=100, Style=2, StartX=30, "
           "StartY=30, FinishX=200, FinishY=200);WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=left "
           "border=３>";
    QTest::newRow("wave") << "" << "" << 0 << 5
        << QStringLiteral("<IMG style=\"filter:url(#zelvo-effect-wave);FILTER:Wave(Add=0, Freq=60, LightStrength=1, "
                          "Phase=0, Strength=3);WIDTH:120px;HEIGHT:80px;\" src=\"my pics/a.gif\" align=left>")
               + ImageEffectFilters(5);
}

void TableImageLinkFragmentsTest::image()
{
    QFETCH(QString, border);
    QFETCH(QString, altText);
    QFETCH(int, wrap);
    QFETCH(int, effect);
    QFETCH(QString, fragment);
    ImageFields fields;
    fields.path = QStringLiteral("my pics/a.gif");
    fields.width = QStringLiteral("120");
    fields.height = QStringLiteral("80");
    fields.border = border;
    fields.borderColour = 0x0A0B0C;
    fields.altText = altText;
    fields.wrapIndex = wrap;
    fields.effectIndex = effect;
    const BuildResult result = BuildImage(fields);
    QVERIFY(result.isInsert());
    QCOMPARE(result.fragment(), fragment);
}

void TableImageLinkFragmentsTest::imageChecks()
{
    // Required fields in their order; blanks are not empty.
    struct Case {
        const char *path, *width, *height, *message;
    } const cases[] = {
        {"", "", "", "请输入图片地址！"},
        {"", "1", "1", "请输入图片地址！"},
        {"a.gif", "", "", "请输入图片宽度！"},
        {"a.gif", "1", "", "请输入图片高度！"},
        {" ", " ", " ", ""},
    };
    for (const Case &c : cases) {
        ImageFields fields;
        fields.path = QString::fromUtf8(c.path);
        fields.width = QString::fromUtf8(c.width);
        fields.height = QString::fromUtf8(c.height);
        const BuildResult result = BuildImage(fields);
        QCOMPARE(result.message(), QString::fromUtf8(c.message));
        QCOMPARE(result.isInsert(), !*c.message);
    }
}

void TableImageLinkFragmentsTest::hyperlink_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("defaults: empty text") << "" << "http://" << 0 << "<a href=\"http://\" target=\"_self\"></a>";
    QTest::newRow("new window") << "首页" << "http://a.cn/x y" << 1
                                << "<a href=\"http://a.cn/x y\" target=\"_blank\">首页</a>";
    QTest::newRow("any other index: new window") << "<b>b</b>" << "" << 5
                                                 << "<a href=\"\" target=\"_blank\"><b>b</b></a>";
}

void TableImageLinkFragmentsTest::hyperlink()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    QFETCH(int, target);
    QFETCH(QString, fragment);
    QCOMPARE(BuildHyperlink({text, address, target}), fragment);
}

void TableImageLinkFragmentsTest::pictureLink_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("result");
    QTest::newRow("all empty: ID first") << "" << "" << "" << "" << 0 << "请输入按钮ID！";
    QTest::newRow("ID only: address next") << "b1" << "" << "" << "" << 0 << "请输入按钮欲跳转的链接地址！";
    QTest::newRow("tip before picture") << "b1" << "" << "http://" << "" << 0 << "请输入按钮提示！";
    QTest::newRow("picture last") << "b1" << "" << "http://" << "去首页" << 0 << "请输入正常图片地址！";
    QTest::newRow("ID required though unused") << "" << "p.gif" << "http://" << "t" << 0 << "请输入按钮ID！";
    QTest::newRow("built, ID not written") << "b1" << "my p.gif" << "http://a.cn" << "去首页" << 0
        << "<a target=\"_self\" href=\"http://a.cn\"><img border=\"0\" src=\"my p.gif\" title=\"去首页\"></a>";
    QTest::newRow("new window") << "b1" << "p.gif" << "x.htm" << "t" << 1
        << "<a target=\"_blank\" href=\"x.htm\"><img border=\"0\" src=\"p.gif\" title=\"t\"></a>";
}

void TableImageLinkFragmentsTest::pictureLink()
{
    QFETCH(QString, id);
    QFETCH(QString, picture);
    QFETCH(QString, address);
    QFETCH(QString, tip);
    QFETCH(int, target);
    QFETCH(QString, result);
    const BuildResult built = BuildPictureLink({id, picture, address, tip, target});
    if (result.startsWith(QLatin1Char('<'))) {
        QVERIFY(built.isInsert());
        QCOMPARE(built.fragment(), result);
    } else {
        QCOMPARE(built.action(), BuildResult::Action::Refuse);
        QCOMPARE(built.message(), result);
    }
}

ZELVO_TEST_MAIN(TableImageLinkFragmentsTest)
#include "test_table_image_link_fragments.moc"
