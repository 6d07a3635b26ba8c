// The colour picker's four notations of a sampled colour.
#include "TestSupport.h"
#include "text/Colour.h"
#include "text/ColourSpaces.h"

using namespace text;

class ColourSpacesTest : public QObject
{
    Q_OBJECT

private slots:
    void notations_data()
    {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("rgb");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("hsl");
        auto row = [](const char *name, int r, int g, int b, const char *decimal, const char *rgb,
                      const char *html, const char *hsl) {
            QTest::newRow(name) << r << g << b << QString::fromLatin1(decimal) << QString::fromLatin1(rgb)
                                << QString::fromLatin1(html) << QString::fromLatin1(hsl);
        };
        row("white", 255, 255, 255, "16777215", "R:255    G:255    B:255", "#FFFFFF", "H:0    S:0    L:240");
        row("black", 0, 0, 0, "0", "R:0    G:0    B:0", "#000000", "H:0    S:0    L:0");
        row("red", 255, 0, 0, "255", "R:255    G:0    B:0", "#FF0000", "H:0    S:240    L:120");
        row("green", 0, 255, 0, "65280", "R:0    G:255    B:0", "#00FF00", "H:80    S:240    L:120");
        row("blue", 0, 0, 255, "16711680", "R:0    G:0    B:255", "#0000FF", "H:160    S:240    L:120");
        row("orange", 255, 128, 0, "33023", "R:255    G:128    B:0", "#FF8000", "H:20    S:240    L:120");
        // Computed wholly in double precision, saturation would come out 117.
        row("steel blue", 51, 102, 153, "10053171", "R:51    G:102    B:153", "#336699", "H:140    S:120    L:96");
        row("brown", 200, 100, 50, "3302600", "R:200    G:100    B:50", "#C86432", "H:13    S:144    L:117");
        row("dark, one digit", 1, 2, 3, "197121", "R:1    G:2    B:3", "#010203", "H:140    S:120    L:0");
    }
    void notations()
    {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        const ColourNotations n = DescribeColour(PackColour(red, green, blue));
        QTEST(n.decimal, "decimal");
        QTEST(n.rgb, "rgb");
        QTEST(n.html, "html");
        QTEST(n.hsl, "hsl");
    }
};

ZELVO_TEST_MAIN(ColourSpacesTest)
#include "test_colourspaces.moc"
