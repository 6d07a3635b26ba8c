// The WordArt templates byte for byte, and the geometry and pictures that
// show each style's look.
#include "TestSupport.h"
#include "insert/WordArt.h"
#include "insert/WordArtFallback.h"
#include "insert/WordArtLook.h"

#include <QRegularExpression>

using namespace insert;

namespace {

const QString kStyleBlock = QStringLiteral(
    "<p>&nbsp;</p>\r\n"
    "<style id=ZelvoEditor_Style_VML>\r\n"
    "v\\:* {behavior: url(#default#VML);}\r\n"
    "o\\:* {behavior: url(#default#VML);}\r\n"
    "w\\:* {behavior: url(#default#VML);}\r\n"
    "x\\:* {behavior: url(#default#VML);}\r\n"
    ".shape{behavior: url(#default#VML);}\r\n"
    "</style>\r\n");

QString formulas(const QStringList &list)
{
    QString out = QStringLiteral("<v:formulas>");
    for (const QString &f : list)
        out += QStringLiteral("<v:f eqn = \"") + f + QStringLiteral(" \"></v:f>");
    return out + QStringLiteral("</v:formulas>");
}

const QString kLock = QStringLiteral(
    "<?xml:namespace prefix = o /><o:lock v:ext=\"edit\" text=\"t\" shapetype=\"t\"></o:lock></v:shapetype>");
const QString kFont = QStringLiteral(
    "<v:textpath style=\"FONT-WEIGHT: normal; FONT-SIZE: 36pt; FONT-STYLE: normal; FONT-FAMILY: 宋体; ");

// The bounding box of everything drawn on a picture.
QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 40)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class WordArtTest : public QObject {
    Q_OBJECT
private slots:
    void styleOneInFull();
    void styleSeventeenInFull();
    void everyStyle_data();
    void everyStyle();
    void textGoesInAsTyped();
    void drawingForBrowsers();
    void emptyTextIsRefused();
    void formulasEvaluate();
    void guidesFollowTheShape();
    void previewsShowEachStyle();
    void designSheetCoversEveryStyle();
};

void WordArtTest::styleOneInFull()
{
    const QString expected = kStyleBlock
        + QStringLiteral("<span><?xml:namespace prefix = v /><v:shapetype id=_x0000_t136 coordsize = \"21600,21600\" "
                         "o:spt = \"136\" path = \" m@7,0 l@8,0 m@5,21600 l@6,21600 e\" adj = \"10800\">")
        + formulas({"sum #0 0 10800", "prod #0 2 1", "sum 21600 0 @1", "sum 0 0 @2", "sum 21600 0 @3",
                    "if @0 @3 0", "if @0 21600 @1", "if @0 0 @2", "if @0 @4 21600", "mid @5 @6", "mid @8 @5",
                    "mid @7 @8", "mid @6 @7", "sum @6 0 @5"})
        + QStringLiteral("<v:path o:connectlocs=\"@9,0;@10,10800;@11,21600;@12,10800\" "
                         "o:connectangles=\"270,180,90,0\" textpathok = \"t\" o:connecttype = \"custom\"></v:path>"
                         "<v:textpath on = \"t\" fitshape = \"t\"></v:textpath>"
                         "<v:handles><v:h position=\"#0,bottomRight\" xrange=\"6629,14971\"></v:h></v:handles>")
        + kLock
        + QStringLiteral("<v:shape style=\"WIDTH: 396pt; HEIGHT: 36pt\" myid=\"_x0000_i0001\" type = \"#_x0000_t136\" "
                         "coordsize = \"21600,21600\"><v:shadow color = \"#868686\"></v:shadow>")
        + kFont
        + QStringLiteral("v-text-kern: t\" fitpath = \"t\" trim = \"t\" string = \"请在此处键入您自己的内容\">"
                         "</v:textpath></v:shape></span>");
    // The VML as it always was, then the drawing for today's browsers.
    QCOMPARE(WordArtFragment(1, WordArtDefaultText), expected + WordArtFallback(1, WordArtDefaultText));
    QCOMPARE(BuildWordArt(1, WordArtDefaultText).fragment(), expected + WordArtFallback(1, WordArtDefaultText));
}

void WordArtTest::styleSeventeenInFull()
{
    const QString expected = kStyleBlock
        + QStringLiteral("<span><?xml:namespace prefix = v /><v:shapetype id=_x0000_t156 coordsize = \"21600,21600\" "
                         "o:spt = \"156\" path = \" m@25@0 c@26@3@27@1@28@0 m@21@4 c@22@5@23@6@24@4 e\" "
                         "adj = \"2809,10800\">")
        + formulas({"sum #0 0 0",     "prod @0 41 9",   "prod @0 23 9",   "sum 0 0 @2",     "sum 21600 0 #0",
                    "sum 21600 0 @1", "sum 21600 0 @3", "sum #1 0 10800", "sum 21600 0 #1", "prod @8 2 3",
                    "prod @8 4 3",    "prod @8 2 1",    "sum 21600 0 @9", "sum 21600 0 @10", "sum 21600 0 @11",
                    "prod #1 2 3",    "prod #1 4 3",    "prod #1 2 1",    "sum 21600 0 @15", "sum 21600 0 @16",
                    "sum 21600 0 @17", "if @7 @14 0",   "if @7 @13 @15",  "if @7 @12 @16",  "if @7 21600 @17",
                    "if @7 0 @20",    "if @7 @9 @19",   "if @7 @10 @18",  "if @7 @11 21600", "sum @24 0 @21",
                    "sum @4 0 @0",    "max @21 @25",    "min @24 @28",    "prod @0 2 1",    "sum 21600 0 @33",
                    "mid @26 @27",    "mid @24 @28",    "mid @22 @23",    "mid @21 @25"})
        + QStringLiteral("<v:path o:connectlocs=\"@35,@0;@38,10800;@37,@4;@36,10800\" "
                         "o:connectangles=\"270,180,90,0\" textpathok = \"t\" o:connecttype = \"custom\"></v:path>"
                         "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\"></v:textpath>"
                         "<v:handles><v:h position=\"topLeft,#0\" yrange=\"0,4459\"></v:h>"
                         "<v:h position=\"#1,bottomRight\" xrange=\"8640,12960\"></v:h></v:handles>")
        + kLock
        + QStringLiteral("<v:shape style=\"WIDTH: 396pt; HEIGHT: 36pt\" myid=\"_x0000_i0017\" type = \"#_x0000_t156\" "
                         "coordsize = \"21600,21600\" fillcolor = \"#99f\" stroked = \"f\">"
                         "<v:fill type = \"gradient\" color2 = \"#099\" focus = \"100%\"></v:fill>"
                         "<v:shadow on = \"t\" color = \"silver\" opacity = \"52429f\" offset = \"3pt,3pt\"></v:shadow>")
        + kFont
        + QStringLiteral("v-text-kern: t\" fitpath = \"t\" trim = \"t\" xscale = \"f\" string = \"艺术\">"
                         "</v:textpath></v:shape></span>");
    QCOMPARE(WordArtFragment(17, QStringLiteral("艺术")), expected + WordArtFallback(17, QStringLiteral("艺术")));
}

void WordArtTest::everyStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("shapeType");
    QTest::addColumn<QString>("adjust");
    QTest::addColumn<int>("formulaCount");
    QTest::addColumn<bool>("rotated");
    QTest::addColumn<QString>("shapeAttributes");
    QTest::addColumn<QString>("textPath"); // after the font items, up to the string

    const QString kern = QStringLiteral("v-text-kern: t\" fitpath = \"t\" trim = \"t\"");
    const QString kernX = kern + QStringLiteral(" xscale = \"f\"");
    const QString rotated = QStringLiteral("v-text-kern: t; v-rotate-letters: t\" fitpath = \"t\" trim = \"t\"");
    auto row = [](int n, int s, const char *adj, int count, bool rot, const char *attrs, const QString &tail) {
        QTest::addRow("style %d", n) << n << s << QString::fromLatin1(adj) << count << rot
                                     << QString::fromLatin1(attrs) << tail;
    };
    row(1, 136, "10800", 14, false, "", kern);
    row(2, 172, "12000", 6, false, "fillcolor = \"black\"", kern);
    row(3, 144, "11796480", 24, false, "fillcolor = \"black\"", kern); // a valid textpath in place of the damaged one
    row(4, 161, "4050", 4, false, "fillcolor = \"black\" adj = \"5665\"", kernX);
    row(5, 175, "3086", 4, false, "fillcolor = \"black\" adj = \"7200\"", kern);
    row(6, 136, "10800", 14, true, "fillcolor = \"black\"", rotated);
    row(7, 136, "10800", 14, false, "", kern);
    row(8, 136, "10800", 14, false, "fillcolor = \"#369\" stroked = \"f\"", kern);
    row(9, 136, "10800", 14, false, "fillcolor = \"#b2b2b2\" strokecolor = \"#33c\" strokeweight = \"1pt\"", kern);
    row(10, 136, "10800", 14, false, "stroked = \"f\"",
        QStringLiteral("v-text-kern: t; v-text-spacing: 78650f\" fitpath = \"t\" trim = \"t\""));
    row(11, 136, "10800", 14, false, "fillcolor = \"#06c\" strokecolor = \"#9cf\" strokeweight = \"1.5pt\"", kern);
    row(12, 136, "10800", 14, true, "fillcolor = \"maroon\" strokecolor = \"maroon\"", rotated);
    row(13, 136, "10800", 14, false, "fillcolor = \"yellow\" stroked = \"f\"", kern);
    row(14, 172, "12000", 6, false, "fillcolor = \"#60c\" strokecolor = \"#c9f\" adj = \"6924\"", kern);
    row(15, 136, "10800", 14, false, "fillcolor = \"#063\" strokecolor = \"green\"", kern);
    row(16, 136, "10800", 14, false, "fillcolor = \"#9400ed\" strokecolor = \"#eaeaea\" strokeweight = \"1pt\"", kern);
    row(17, 156, "2809,10800", 39, false, "fillcolor = \"#99f\" stroked = \"f\"", kernX);
    row(18, 136, "10800", 14, true, "fillcolor = \"#c4b596\" strokecolor = \"#c4b596\" strokeweight = \"1pt\"", rotated);
    row(19, 136, "10800", 14, false, "fillcolor = \"#fc9\"", kern);
    row(20, 138, "10800", 4, false, "fillcolor = \"#ffc\"", kern);
    row(21, 170, "7200", 5, false,
        "fillcolor = \"#520402\" strokecolor = \"#b2b2b2\" strokeweight = \"1pt\" adj = \"2158\"", kern);
    row(22, 152, "9931", 16, false, "fillcolor = \"gray\" strokeweight = \"1pt\" adj = \"8717\"", kernX);
    row(23, 152, "9931", 16, false, "fillcolor = \"gray\" strokeweight = \"1pt\" adj = \"8717\"", kernX);
    row(24, 159, "1404,10800", 52, true, "fillcolor = \"lime\" stroked = \"f\" adj = \"2809\"",
        rotated + QStringLiteral(" xscale = \"f\""));
    row(25, 136, "10800", 14, false, "", kern);
    row(26, 154, "9600", 9, false, "fillcolor = \"#060\"", kern);
    row(27, 163, "11475", 5, false, "adj = \"16518\"", kernX);
    row(28, 154, "9600", 9, false, "fillcolor = \"#ffe701\"", kern);
    row(29, 136, "10800", 14, false, "fillcolor = \"#dcebf5\"", kern);
    row(30, 136, "10800", 14, true, "fillcolor = \"#c00\"", rotated);
}

void WordArtTest::everyStyle()
{
    QFETCH(int, style);
    QFETCH(int, shapeType);
    QFETCH(QString, adjust);
    QFETCH(int, formulaCount);
    QFETCH(bool, rotated);
    QFETCH(QString, shapeAttributes);
    QFETCH(QString, textPath);

    const QString s = QString::number(shapeType);
    const QString nn = QStringLiteral("%1").arg(style, 2, 10, QLatin1Char('0'));
    const QString drawing = WordArtFallback(style, QStringLiteral("x"));
    QVERIFY(WordArtFragment(style, QStringLiteral("x")).endsWith(drawing));
    const QString fragment = WordArtFragment(style, QStringLiteral("x")).chopped(drawing.size());
    QVERIFY(fragment.startsWith(kStyleBlock + QStringLiteral("<span><?xml:namespace prefix = v /><v:shapetype id=_x0000_t")
                                + s + QStringLiteral(" coordsize = \"21600,21600\" o:spt = \"") + s
                                + QStringLiteral("\" path = \" ")));
    QVERIFY(fragment.contains(QStringLiteral("\" adj = \"") + adjust + QStringLiteral("\">")));
    QCOMPARE(fragment.count(QStringLiteral("<v:f eqn = \"")), formulaCount);
    QCOMPARE(fragment.count(QStringLiteral(" \"></v:f>")), formulaCount);
    // Shape type 144 names no connection angles.
    QCOMPARE(fragment.contains(QStringLiteral("o:connectangles=\"270,180,90,0\" textpathok")), shapeType != 144);
    QVERIFY(fragment.contains(kLock + QStringLiteral("<v:shape style=\"WIDTH: 396pt; HEIGHT: 36pt")
                              + (rotated ? QStringLiteral("; rotation: 90") : QString()) + QStringLiteral("\" myid=\"_x0000_i00")
                              + nn + QStringLiteral("\" type = \"#_x0000_t") + s
                              + QStringLiteral("\" coordsize = \"21600,21600\"")
                              + (shapeAttributes.isEmpty() ? QString() : QLatin1Char(' ') + shapeAttributes)
                              + QLatin1Char('>')));
    QVERIFY(fragment.endsWith(kFont + textPath + QStringLiteral(" string = \"x\"></v:textpath></v:shape></span>")));
    // Only style 23 has a blank space after its shape type's start tag.
    QCOMPARE(fragment.contains(QStringLiteral("\">&nbsp;<v:formulas>")), style == 23);
    QCOMPARE(WordArtShapeOf(style).rotated, rotated);
}

void WordArtTest::textGoesInAsTyped()
{
    // Two lines keep their CR LF; a quote ends the attribute, as typed.
    const QString twoLines = WordArtFragment(5, QStringLiteral("第一行\r\n第二行"));
    QVERIFY(twoLines.contains(QStringLiteral("string = \"第一行\r\n第二行\"></v:textpath></v:shape></span><![if !vml]>")));
    QVERIFY(WordArtFragment(1, QStringLiteral("a\"b")).contains(QStringLiteral("string = \"a\"b\"></v:textpath></v:shape></span><![if")));
    // A style number out of range counts as the nearest style.
    QCOMPARE(WordArtTemplate(0), WordArtTemplate(1));
    QCOMPARE(WordArtTemplate(31), WordArtTemplate(30));
}

void WordArtTest::drawingForBrowsers()
{
    const QString typed = QStringLiteral("a<b&\"c\r\nd");
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        const QString drawing = WordArtFallback(style, typed);
        const QString where = QStringLiteral("style %1: ").arg(style) + drawing;
        // Hidden from readers that draw the VML; standing as the shape stands.
        QVERIFY2(drawing.startsWith(QStringLiteral("<![if !vml]><svg class=\"zelvo-wordart\" "
                                                   "xmlns=\"http://www.w3.org/2000/svg\" ")
                                    + (WordArtShapeOf(style).rotated ? QStringLiteral("width=\"36pt\" height=\"396pt\"")
                                                                     : QStringLiteral("width=\"396pt\" height=\"36pt\""))),
                 qPrintable(where));
        QVERIFY(drawing.endsWith(QStringLiteral("</svg><![endif]>")));
        // The text once, as text, markup characters escaped, lines joined.
        QCOMPARE(drawing.count(QStringLiteral(">a&lt;b&amp;&quot;c d</")), 1);
        QVERIFY(!drawing.contains(QLatin1Char('\r')) && !drawing.contains(QLatin1Char('\n')));
        // Everything it refers to is defined in it, under names of the style's own.
        static const QRegularExpression reference(QStringLiteral("(?:url\\(#|href=\"#)([^)\"]+)"));
        for (auto it = reference.globalMatch(drawing); it.hasNext();) {
            const QString id = it.next().captured(1);
            QVERIFY2(drawing.contains(QStringLiteral("id=\"") + id + QLatin1Char('"')), qPrintable(where));
            QVERIFY(id.startsWith(QStringLiteral("zelvo-wordart-%1-").arg(style, 2, 10, QLatin1Char('0'))));
        }
        QCOMPARE(WordArtFallback(style, typed), drawing);
    }
    QCOMPARE(WordArtFallback(0, QStringLiteral("x")), WordArtFallback(1, QStringLiteral("x")));
}

void WordArtTest::emptyTextIsRefused()
{
    const BuildResult empty = BuildWordArt(4, QString());
    QCOMPARE(empty.action(), BuildResult::Action::Refuse);
    QCOMPARE(empty.message(), QStringLiteral("请输入艺术字内容！"));
    QVERIFY(BuildWordArt(4, QStringLiteral(" ")).isInsert());
}

void WordArtTest::formulasEvaluate()
{
    // Every kind of formula, with adjust values and earlier results.
    const QList<double> v = EvaluateWordArtFormulas(
        {"sum #0 10 4", "prod @0 3 2", "mid @0 @1", "abs -5", "min @0 @1", "max @0 @1", "if @3 1 2",
         "if -1 1 2", "sumangle #0 1 0", "cos 100 5898240", "sin 100 5898240", "prod 5 5 0"},
        {100});
    const QList<double> expected = {106, 159, 132.5, 5, 106, 159, 1, 2, 100 + 65536, 0, 100, 0};
    QCOMPARE(v.size(), expected.size());
    for (int i = 0; i < v.size(); ++i)
        QVERIFY2(qAbs(v.at(i) - expected.at(i)) < 1e-6, qPrintable(QStringLiteral("@%1 = %2").arg(i).arg(v.at(i))));

    // The arch of style 3: half a turn, starting at the left.
    const WordArtShape arch = WordArtShapeOf(3);
    const QList<double> a = EvaluateWordArtFormulas(arch.formulas, arch.adjust);
    QCOMPARE(a.at(2), -180.0 * 65536);
    QCOMPARE(a.at(14), -180.0 * 65536);
    // The shape's own adjust value stands over its shape type's; the second stays.
    QCOMPARE(WordArtShapeOf(24).adjust, (QList<double>{2809, 10800}));
    QCOMPARE(WordArtShapeOf(17).adjust, (QList<double>{2809, 10800}));
}

void WordArtTest::guidesFollowTheShape()
{
    auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 30; };
    // Plain text: straight along the top and the bottom, left to right.
    WordArtGuides g = WordArtGuidesOf(WordArtShapeOf(1));
    QVERIFY(near(g.upper.first(), {0, 0}) && near(g.upper.last(), {21600, 0}));
    QVERIFY(near(g.lower.first(), {0, 21600}) && near(g.lower.last(), {21600, 21600}));
    // The arch runs from the left over the top to the right, the text inside it.
    g = WordArtGuidesOf(WordArtShapeOf(3));
    QVERIFY(near(g.upper.first(), {0, 10800}) && near(g.upper.last(), {21600, 10800}));
    QVERIFY(near(g.upper.at(g.upper.size() / 2), {10800, 0}));
    QVERIFY(g.lower.at(g.lower.size() / 2).y() > 4000);
    // Slanting up: the top rises from the adjust value to the corner.
    g = WordArtGuidesOf(WordArtShapeOf(2));
    QVERIFY(near(g.upper.first(), {0, 12000}) && near(g.upper.last(), {21600, 0}));
    // Can down: both lines sag in the middle by the shape's adjust value.
    g = WordArtGuidesOf(WordArtShapeOf(5));
    QVERIFY(near(g.upper.at(g.upper.size() / 2), {10800, 7200}));
    QVERIFY(near(g.lower.at(g.lower.size() / 2), {10800, 21600}));
}

void WordArtTest::previewsShowEachStyle()
{
    QList<QImage> pictures;
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        const QImage picture = WordArtPreview(style, QSize(77, 75));
        QCOMPARE(picture.size(), QSize(77, 75));
        const QRect box = ink(picture);
        QVERIFY2(box.width() > 15 && box.height() > 15, qPrintable(QString::number(style)));
        QVERIFY2(QRect(0, 0, 77, 75).contains(box), qPrintable(QString::number(style)));
        // Rotated styles stand upright, the others lie.
        if (WordArtLookOf(style).vertical)
            QVERIFY2(box.height() > box.width(), qPrintable(QString::number(style)));
        else
            QVERIFY2(box.width() > box.height(), qPrintable(QString::number(style)));
        pictures << picture;
    }
    // Every style looks different, except 22 and 23, which are one style.
    for (int a = 0; a < pictures.size(); ++a)
        for (int b = a + 1; b < pictures.size(); ++b)
            QCOMPARE(pictures.at(a) == pictures.at(b), a == 21 && b == 22);
    // A sharper picture for screens with more pixels.
    QCOMPARE(WordArtPreview(9, QSize(77, 75), 2).size(), QSize(154, 150));
}

void WordArtTest::designSheetCoversEveryStyle()
{
    const QString sheet = WordArtDesignSheet();
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        const QRegularExpression rule(
            QStringLiteral("v\\\\:shape\\[myid=\"_x0000_i00%1\"\\] > v\\\\:textpath\\[string\\]::before \\{([^}]*)\\}")
                .arg(style, 2, 10, QLatin1Char('0')));
        const QRegularExpressionMatch match = rule.match(sheet);
        QVERIFY2(match.hasMatch(), qPrintable(QString::number(style)));
        QCOMPARE(match.captured(1).contains(QStringLiteral("writing-mode: vertical-rl")), WordArtLookOf(style).vertical);
    }
}

ZELVO_TEST_MAIN(WordArtTest)
#include "test_wordart.moc"
