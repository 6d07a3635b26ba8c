#include "insert/WordArt.h"

#include "insert/WordArtFallback.h"

#include <QRegularExpression>

namespace insert {

namespace {

// A preset shape type of the engine's VML: its own start tag values and inner
// elements. Handles are written as they stand, each closed.
struct ShapeType {
    int number;
    const char *formulas; // separated by "; "
    const char *connectLocations;
    const char *connectAngles; // nullptr: the path has no angles attribute
    const char *textPath;      // the shape type's own textpath start tag
    const char *handles;
    const char *path;
};

// A style: its shape type with that type's adjust values, whether the shape
// stands rotated with upright letters, the shape's attributes and child
// elements, and what its textpath adds to the common settings.
struct Style {
    int shapeType;
    const char *adjust;
    bool rotated;
    const char *shapeAttributes;
    const char *children;
    const char *textPathItems;      // after the font items of the style value
    const char *textPathAttributes; // after fitpath and trim
    bool spaceAfterShapeTypeTag = false;
};

const ShapeType kShapeTypes[] = {
    {136,
     "sum #0 0 10800; prod #0 2 1; sum 21600 0 @1; sum 0 0 @2; sum 21600 0 @3; if @0 @3 0; if @0 21600 @1; if @0 0 @2; if @0 @4 21600; mid @5 @6; mid @8 @5; mid @7 @8; mid @6 @7; sum @6 0 @5",
     "@9,0;@10,10800;@11,21600;@12,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"#0,bottomRight\" xrange=\"6629,14971\"></v:h>",
     " m@7,0 l@8,0 m@5,21600 l@6,21600 e"},
    {138,
     "sum #0 0 0; prod #0 1 2; sum @1 10800 0; sum 21600 0 @1",
     "10800,0;5400,@1;10800,21600;16200,@1", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"topLeft,#0\" yrange=\"0,21600\"></v:h>",
     " m0@0 l10800,0,21600@0 m0,21600 l10800,21600,21600,21600 e"},
    {144,
     "sum #1 0 0; sum #0 0 0; sum 0 0 #0; sumangle #0 0 180; sumangle #0 0 90; prod @4 2 1; sumangle #0 90 0; prod @6 2 1; abs #0; sumangle @8 0 90; if @9 @7 @5; sumangle @10 0 360; if @10 @11 @10; sumangle @12 0 360; if @12 @13 @12; sum 0 0 @14; sum 10800 0 0; cos 10800 #0; sin 10800 #0; sum @17 10800 0; sum @18 10800 0; sum 10800 0 @17; if @9 0 21600; sum 10800 0 @18",
     "10800,@22;@19,@20;@21,@20", nullptr,
     "<v:textpath style=\"v-text-kern: t\" on = \"t\" fitpath = \"t\">",
     "<v:h position=\"@16,#0\" polar=\"10800,10800\"></v:h>",
     " al10800,10800,10800,10800@2@14 e"},
    {152,
     "sum #0 0 0; prod #0 3 4; prod #0 5 4; prod #0 3 8; prod #0 1 8; sum 21600 0 @3; sum @4 21600 0; prod #0 1 2; prod @5 1 2; sum @7 @8 0; prod #0 7 8; prod @5 1 3; sum @1 @2 0; sum @12 @0 0; prod @13 1 4; sum @11 14400 @14",
     "10800,@10;0,@9;10800,21600;21600,@8", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\">",
     "<v:h position=\"topLeft,#0\" yrange=\"0,12169\"></v:h>",
     " m0@0 c7200@2,14400@1,21600,0 m0@5 c7200@6,14400@6,21600@5 e"},
    {154,
     "sum #0 0 0; sum 21600 0 #0; prod @1 1 4; prod #0 1 2; prod @2 1 2; sum @3 10800 0; sum @4 10800 0; sum @0 21600 @2; prod @7 1 2",
     "10800,@4;0,@6;10800,@5;21600,@3", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"bottomRight,#0\" yrange=\"6171,21600\"></v:h>",
     " m0@2 l21600,0 m0,21600 l21600@0 e"},
    {156,
     "sum #0 0 0; prod @0 41 9; prod @0 23 9; sum 0 0 @2; sum 21600 0 #0; sum 21600 0 @1; sum 21600 0 @3; sum #1 0 10800; sum 21600 0 #1; prod @8 2 3; prod @8 4 3; prod @8 2 1; sum 21600 0 @9; sum 21600 0 @10; sum 21600 0 @11; prod #1 2 3; prod #1 4 3; prod #1 2 1; sum 21600 0 @15; sum 21600 0 @16; sum 21600 0 @17; if @7 @14 0; if @7 @13 @15; if @7 @12 @16; if @7 21600 @17; if @7 0 @20; if @7 @9 @19; if @7 @10 @18; if @7 @11 21600; sum @24 0 @21; sum @4 0 @0; max @21 @25; min @24 @28; prod @0 2 1; sum 21600 0 @33; mid @26 @27; mid @24 @28; mid @22 @23; mid @21 @25",
     "@35,@0;@38,10800;@37,@4;@36,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\">",
     "<v:h position=\"topLeft,#0\" yrange=\"0,4459\"></v:h><v:h position=\"#1,bottomRight\" xrange=\"8640,12960\"></v:h>",
     " m@25@0 c@26@3@27@1@28@0 m@21@4 c@22@5@23@6@24@4 e"},
    {159,
     "sum #0 0 0; prod @0 41 9; prod @0 23 9; sum 0 0 @2; sum 21600 0 #0; sum 21600 0 @1; sum 21600 0 @3; sum #1 0 10800; sum 21600 0 #1; prod @8 1 3; prod @8 2 3; prod @8 4 3; prod @8 5 3; prod @8 2 1; sum 21600 0 @9; sum 21600 0 @10; sum 21600 0 @8; sum 21600 0 @11; sum 21600 0 @12; sum 21600 0 @13; prod #1 1 3; prod #1 2 3; prod #1 4 3; prod #1 5 3; prod #1 2 1; sum 21600 0 @20; sum 21600 0 @21; sum 21600 0 @22; sum 21600 0 @23; sum 21600 0 @24; if @7 @19 0; if @7 @18 @20; if @7 @17 @21; if @7 @16 #1; if @7 @15 @22; if @7 @14 @23; if @7 21600 @24; if @7 0 @29; if @7 @9 @28; if @7 @10 @27; if @7 @8 @8; if @7 @11 @26; if @7 @12 @25; if @7 @13 21600; sum @36 0 @30; sum @4 0 @0; max @30 @37; min @36 @43; prod @0 2 1; sum 21600 0 @48; mid @36 @43; mid @30 @37",
     "@40,@0;@51,10800;@33,@4;@50,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\">",
     "<v:h position=\"topLeft,#0\" yrange=\"0,2229\"></v:h><v:h position=\"#1,bottomRight\" xrange=\"8640,12960\"></v:h>",
     " m@37@0 c@38@1@39@3@40@0@41@1@42@3@43@0 m@30@4 c@31@6@32@5@33@4@34@6@35@5@36@4 e"},
    {161,
     "prod #0 4 3; sum 21600 0 @0; sum #0 0 0; sum 21600 0 #0",
     "10800,@2;0,10800;10800,@3;21600,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\">",
     "<v:h position=\"center,#0\" yrange=\"0,8100\"></v:h>",
     " m0,0 c7200@0,14400@0,21600,0 m0,21600 c7200@1,14400@1,21600,21600 e"},
    {163,
     "prod #0 4 3; sum @0 0 7200; sum #0 0 0; prod #0 2 3; sum @3 7200 0",
     "10800,0;0,10800;10800,@2;21600,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\" xscale = \"t\">",
     "<v:h position=\"center,#0\" yrange=\"1350,21600\"></v:h>",
     " m0,0 l21600,0 m0,21600 c7200@1,14400@1,21600,21600 e"},
    {170,
     "sum #0 0 0; sum 21600 0 @0; prod #0 1 2; sum 21600 0 @2; sum @1 21600 @0",
     "10800,0;@2,10800;10800,21600;@3,10800", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"#0,topLeft\" xrange=\"0,10792\"></v:h>",
     " m@0,0 l@1,0 m0,21600 l21600,21600 e"},
    {172,
     "sum #0 0 0; sum 21600 0 @0; prod #0 1 2; sum @2 10800 0; prod @1 1 2; sum @4 10800 0",
     "10800,@2;0,@3;10800,@5;21600,@4", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"topLeft,#0\" yrange=\"0,15429\"></v:h>",
     " m0@0 l21600,0 m0,21600 l21600@1 e"},
    {175,
     "sum #0 0 0; sum 21600 0 #0; prod @1 1 2; sum @2 10800 0",
     "10800,@0;0,@2;10800,21600;21600,@2", "270,180,90,0",
     "<v:textpath on = \"t\" fitshape = \"t\">",
     "<v:h position=\"center,#0\" yrange=\"0,7200\"></v:h>",
     " m0,0 qy10800@0,21600,0 m0@1 qy10800,21600,21600@1 e"},
};

const Style kStyles[] = {
    /*  1 */ {136, "10800", false,
              "",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  2 */ {172, "12000", false,
              "fillcolor = \"black\"",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  3 */ {144, "11796480", false,
              "fillcolor = \"black\"",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  4 */ {161, "4050", false,
              "fillcolor = \"black\" adj = \"5665\"",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t", "xscale = \"f\""},
    /*  5 */ {175, "3086", false,
              "fillcolor = \"black\" adj = \"7200\"",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  6 */ {136, "10800", true,
              "fillcolor = \"black\"",
              "<v:shadow color = \"#868686\"></v:shadow>",
              "v-text-kern: t; v-rotate-letters: t", ""},
    /*  7 */ {136, "10800", false,
              "",
              "<v:shadow on = \"t\" opacity = \"52429f\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  8 */ {136, "10800", false,
              "fillcolor = \"#369\" stroked = \"f\"",
              "<v:shadow on = \"t\" color = \"#b2b2b2\" opacity = \"52429f\" offset = \"3pt\"></v:shadow>",
              "v-text-kern: t", ""},
    /*  9 */ {136, "10800", false,
              "fillcolor = \"#b2b2b2\" strokecolor = \"#33c\" strokeweight = \"1pt\"",
              "<v:fill opacity = \".5\"></v:fill><v:shadow on = \"t\" color = \"#99f\" offset = \"3pt\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 10 */ {136, "10800", false,
              "stroked = \"f\"",
              "<v:fill type = \"gradient\" color2 = \"#aaa\"></v:fill><v:shadow on = \"t\" color = \"#4d4d4d\" opacity = \"52429f\" offset = \",3pt\"></v:shadow>",
              "v-text-kern: t; v-text-spacing: 78650f", ""},
    /* 11 */ {136, "10800", false,
              "fillcolor = \"#06c\" strokecolor = \"#9cf\" strokeweight = \"1.5pt\"",
              "<v:shadow on = \"t\" color = \"#900\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 12 */ {136, "10800", true,
              "fillcolor = \"maroon\" strokecolor = \"maroon\"",
              "<v:shadow on = \"t\" color = \"#b2b2b2\" opacity = \"52429f\"></v:shadow>",
              "v-text-kern: t; v-rotate-letters: t", ""},
    /* 13 */ {136, "10800", false,
              "fillcolor = \"yellow\" stroked = \"f\"",
              "<v:fill type = \"gradientCenter\" color2 = \"#f93\" angle = \"-135\" focus = \"100%\" focusposition = \".5,.5\" focussize = \"0,0\"><o:fill v:ext=\"view\"></o:fill></v:fill><v:shadow on = \"t\" color = \"silver\" opacity = \"52429f\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 14 */ {172, "12000", false,
              "fillcolor = \"#60c\" strokecolor = \"#c9f\" adj = \"6924\"",
              "<v:fill type = \"gradient\" color2 = \"#c0c\" focus = \"100%\"></v:fill><v:shadow on = \"t\" color = \"#99f\" opacity = \"52429f\" offset = \"3pt,3pt\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 15 */ {136, "10800", false,
              "fillcolor = \"#063\" strokecolor = \"green\"",
              "<v:fill src = \"../Images/clip_image001.jpg\" type = \"tile\"></v:fill><v:shadow on = \"t\" type = \"perspective\" color = \"#c7dfd3\" opacity = \"52429f\" matrix = \"1.25,,,1.25\" origin = \"-.5,-.5\" offset = \"-8pt,-12pt\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 16 */ {136, "10800", false,
              "fillcolor = \"#9400ed\" strokecolor = \"#eaeaea\" strokeweight = \"1pt\"",
              "<v:fill type = \"gradient\" color2 = \"blue\" angle = \"-90\" method = \"none\" colors = \"0 #a603ab;13763f #0819fb;22938f #1a8d48;34079f yellow;47841f #ee3f17;57672f #e81766;1 #a603ab\"></v:fill><v:shadow on = \"t\" type = \"perspective\" color = \"silver\" opacity = \"52429f\" matrix = \",46340f,,.5,0,-476837158203125e-21\" origin = \"-.5,.5\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 17 */ {156, "2809,10800", false,
              "fillcolor = \"#99f\" stroked = \"f\"",
              "<v:fill type = \"gradient\" color2 = \"#099\" focus = \"100%\"></v:fill><v:shadow on = \"t\" color = \"silver\" opacity = \"52429f\" offset = \"3pt,3pt\"></v:shadow>",
              "v-text-kern: t", "xscale = \"f\""},
    /* 18 */ {136, "10800", true,
              "fillcolor = \"#c4b596\" strokecolor = \"#c4b596\" strokeweight = \"1pt\"",
              "<v:fill src = \"../Images/clip_image001.jpg\" type = \"tile\"></v:fill><v:shadow on = \"t\" color = \"#cbcbcb\" opacity = \"52429f\" offset = \"3pt,3pt\"></v:shadow>",
              "v-text-kern: t; v-rotate-letters: t", ""},
    /* 19 */ {136, "10800", false,
              "fillcolor = \"#fc9\"",
              "<v:fill src = \"../Images/clip_image001.jpg\" type = \"tile\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" skewangle = \"180\" backdepth = \"10pt\" color = \"#630\" brightness = \"4000f\" lightlevel = \"52000f\" lightlevel2 = \"14000f\" lightharsh2 = \"t\" viewpointorigin = \",0\" viewpoint = \",0\" lightposition = \"-50000\" lightposition2 = \"50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 20 */ {138, "10800", false,
              "fillcolor = \"#ffc\"",
              "<v:fill type = \"gradient\" color2 = \"#f99\" focus = \"100%\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" skewangle = \"-45\" backdepth = \"18pt\" color = \"#06c\" brightness = \"10000f\" lightlevel = \"44000f\" lightlevel2 = \"24000f\" viewpointorigin = \"-.5\" viewpoint = \"-1249999emu\" lightposition = \"0,-50000\" lightposition2 = \"0,50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 21 */ {170, "7200", false,
              "fillcolor = \"#520402\" strokecolor = \"#b2b2b2\" strokeweight = \"1pt\" adj = \"2158\"",
              "<v:fill type = \"gradient\" color2 = \"#fc0\" focus = \"100%\"></v:fill><v:shadow on = \"t\" type = \"perspective\" color = \"#875b0d\" opacity = \"45875f\" matrix = \",,,.5,0,-476837158203125e-21\" origin = \",.5\"></v:shadow>",
              "v-text-kern: t", ""},
    /* 22 */ {152, "9931", false,
              "fillcolor = \"gray\" strokeweight = \"1pt\" adj = \"8717\"",
              "<v:fill src = \"../Images/clip_image001.gif\" type = \"pattern\" color2 = \"yellow\"></v:fill><v:shadow on = \"t\" opacity = \"52429f\" offset = \"3pt\"></v:shadow>",
              "v-text-kern: t", "xscale = \"f\""},
    /* 23 */ {152, "9931", false,
              "fillcolor = \"gray\" strokeweight = \"1pt\" adj = \"8717\"",
              "<v:fill src = \"../Images/clip_image001.gif\" type = \"pattern\" color2 = \"yellow\"></v:fill><v:shadow on = \"t\" opacity = \"52429f\" offset = \"3pt\"></v:shadow>",
              "v-text-kern: t", "xscale = \"f\"", true},
    /* 24 */ {159, "1404,10800", true,
              "fillcolor = \"lime\" stroked = \"f\" adj = \"2809\"",
              "<v:fill type = \"gradient\" color2 = \"#0cf\" focus = \"100%\"></v:fill><v:shadow on = \"t\" color = \"navy\" opacity = \"52429f\" offset = \"-5pt,6pt\"></v:shadow>",
              "v-text-kern: t; v-rotate-letters: t", "xscale = \"f\""},
    /* 25 */ {136, "10800", false,
              "",
              "<v:fill type = \"gradient\" focus = \"100%\" method = \"none\" colors = \"0 #cbcbcb;8520f #5f5f5f;13763f #5f5f5f;41288f white;43909f #b2b2b2;45220f #292929;53740f #777;1 #eaeaea\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"-45\" backdepth = \"18pt\" color = \"white\" specularity = \"80000f\" diffusity = \"43712f\" metal = \"t\" brightness = \"10000f\" lightlevel = \"44000f\" lightlevel2 = \"24000f\" viewpointorigin = \"-.5\" viewpoint = \"-1249999emu\" lightposition = \"0,-50000\" lightposition2 = \"0,50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 26 */ {154, "9600", false,
              "fillcolor = \"#060\"",
              "<v:fill o:title=\"?\" src = \"../Images/clip_image001.jpg\" type = \"tile\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"-45\" color = \"#060\" brightness = \"4000f\" lightlevel = \"52000f\" lightlevel2 = \"14000f\" lightharsh2 = \"t\" viewpointorigin = \"-.5\" viewpoint = \"-1249999emu\" rotationangle = \",-18\" lightposition = \"0,-50000\" lightposition2 = \"0,50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 27 */ {163, "11475", false,
              "adj = \"16518\"",
              "<v:fill type = \"gradient\" color2 = \"#707070\" angle = \"-135\" focus = \"50%\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"0\" skewamt = \"0%\" backdepth = \"30pt\" color = \"#939676\" brightness = \"10000f\" lightlevel = \"44000f\" lightlevel2 = \"24000f\" viewpointorigin = \"0,0\" viewpoint = \"0,0\" rotationangle = \"30,-36\" lightposition = \"-50000,-50000\" lightposition2 = \"50000\"></o:extrusion>",
              "v-text-kern: t", "xscale = \"f\""},
    /* 28 */ {154, "9600", false,
              "fillcolor = \"#ffe701\"",
              "<v:fill type = \"gradient\" color2 = \"#fe3e02\" focus = \"100%\" focusposition = \"1,1\" focussize = \"0,0\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"0\" skewamt = \"0%\" color = \"#f60\" brightness = \"4000f\" lightlevel = \"52000f\" lightlevel2 = \"14000f\" lightharsh2 = \"t\" viewpointorigin = \"0,0\" viewpoint = \"0,0\" rotationangle = \"18,18\" lightposition = \",50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 29 */ {136, "10800", false,
              "fillcolor = \"#dcebf5\"",
              "<v:fill type = \"gradient\" color2 = \"#55261c\" focus = \"100%\" method = \"none\" colors = \"0 #dcebf5;5243f #83a7c3;8520f #768fb9;13763f #83a7c3;34079f white;36700f #9c6563;38011f #80302d;46531f #c0524e;61604f #ebdad4;1 #55261c\"></v:fill><v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"135\" color = \"silver\" brightness = \"4000f\" lightlevel = \"52000f\" lightlevel2 = \"14000f\" lightharsh2 = \"t\" viewpointorigin = \",.5\" viewpoint = \",1249999emu\" rotationangle = \",-6\" lightposition = \"0,50000\" lightposition2 = \"0,-50000\"></o:extrusion>",
              "v-text-kern: t", ""},
    /* 30 */ {136, "10800", true,
              "fillcolor = \"#c00\"",
              "<v:shadow color = \"#868686\"></v:shadow><o:extrusion v:ext=\"view\" on = \"t\" type = \"perspective\" skewangle = \"0\" skewamt = \"0%\" backdepth = \"18pt\" color = \"#f96\" specularity = \"80000f\" brightness = \"10000f\" lightlevel = \"44000f\" lightlevel2 = \"24000f\" viewpointorigin = \"0,0\" viewpoint = \"0,0\" rotationangle = \"16,-15\" lightposition = \"0,50000\" lightposition2 = \"0,-50000\"></o:extrusion>",
              "v-text-kern: t; v-rotate-letters: t", ""},
};

const ShapeType &shapeTypeNumbered(int number)
{
    for (const ShapeType &type : kShapeTypes)
        if (type.number == number)
            return type;
    return kShapeTypes[0];
}

const Style &styleNumbered(int style)
{
    return kStyles[qBound(1, style, WordArtStyleCount) - 1];
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString WordArtTemplate(int number)
{
    const int styleNumber = qBound(1, number, WordArtStyleCount);
    const Style &style = styleNumbered(styleNumber);
    const ShapeType &type = shapeTypeNumbered(style.shapeType);
    const QString s = QString::number(type.number);

    QString out = QStringLiteral("<p>&nbsp;</p>") + kCrLf;
    // Every WordArt brings its own copy of the block that turns VML on.
    for (const char *line : {"<style id=ZelvoEditor_Style_VML>", "v\\:* {behavior: url(#default#VML);}",
                             "o\\:* {behavior: url(#default#VML);}", "w\\:* {behavior: url(#default#VML);}",
                             "x\\:* {behavior: url(#default#VML);}", ".shape{behavior: url(#default#VML);}",
                             "</style>"})
        out += QLatin1String(line) + kCrLf;
    out += QStringLiteral("<span><?xml:namespace prefix = v />");

    out += QStringLiteral("<v:shapetype id=_x0000_t") + s
        + QStringLiteral(" coordsize = \"21600,21600\" o:spt = \"") + s + QStringLiteral("\" path = \"")
        + text(type.path) + QStringLiteral("\" adj = \"") + text(style.adjust) + QStringLiteral("\">");
    if (style.spaceAfterShapeTypeTag)
        out += QStringLiteral("&nbsp;");
    out += QStringLiteral("<v:formulas>");
    for (const QString &formula : text(type.formulas).split(QStringLiteral("; ")))
        out += QStringLiteral("<v:f eqn = \"") + formula + QStringLiteral(" \"></v:f>");
    out += QStringLiteral("</v:formulas>");
    out += QStringLiteral("<v:path o:connectlocs=\"") + text(type.connectLocations) + QLatin1Char('"');
    if (type.connectAngles)
        out += QStringLiteral(" o:connectangles=\"") + text(type.connectAngles) + QLatin1Char('"');
    out += QStringLiteral(" textpathok = \"t\" o:connecttype = \"custom\"></v:path>");
    out += text(type.textPath) + QStringLiteral("</v:textpath>");
    out += QStringLiteral("<v:handles>") + text(type.handles) + QStringLiteral("</v:handles>");
    out += QStringLiteral("<?xml:namespace prefix = o /><o:lock v:ext=\"edit\" text=\"t\" shapetype=\"t\"></o:lock>"
                          "</v:shapetype>");

    out += QStringLiteral("<v:shape style=\"WIDTH: 396pt; HEIGHT: 36pt");
    if (style.rotated)
        out += QStringLiteral("; rotation: 90");
    out += QStringLiteral("\" myid=\"_x0000_i00") + QStringLiteral("%1").arg(styleNumber, 2, 10, QLatin1Char('0'))
        + QStringLiteral("\" type = \"#_x0000_t") + s + QStringLiteral("\" coordsize = \"21600,21600\"");
    if (*style.shapeAttributes)
        out += QLatin1Char(' ') + text(style.shapeAttributes);
    out += QLatin1Char('>') + text(style.children);

    out += QStringLiteral("<v:textpath style=\"FONT-WEIGHT: normal; FONT-SIZE: 36pt; FONT-STYLE: normal; "
                          "FONT-FAMILY: 宋体; ")
        + text(style.textPathItems) + QStringLiteral("\" fitpath = \"t\" trim = \"t\"");
    if (*style.textPathAttributes)
        out += QLatin1Char(' ') + text(style.textPathAttributes);
    out += QStringLiteral(" string = \"");
    return out;
}

QString WordArtFragment(int style, const QString &text)
{
    return WordArtTemplate(style) + text + WordArtClosing + WordArtFallback(style, text);
}

BuildResult BuildWordArt(int style, const QString &text)
{
    if (text.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入艺术字内容！"));
    return BuildResult::insert(WordArtFragment(style, text));
}

WordArtShape WordArtShapeOf(int number)
{
    const Style &style = styleNumbered(number);
    const ShapeType &type = shapeTypeNumbered(style.shapeType);
    WordArtShape shape;
    shape.shapeType = type.number;
    shape.formulas = text(type.formulas).split(QStringLiteral("; "));
    shape.path = text(type.path);
    shape.rotated = style.rotated;
    for (const QString &value : text(style.adjust).split(QLatin1Char(',')))
        shape.adjust << value.toDouble();
    // The shape's own adjust values stand over the shape type's, one by one.
    static const QRegularExpression own(QStringLiteral("\\badj = \"([^\"]*)\""));
    const QRegularExpressionMatch match = own.match(text(style.shapeAttributes));
    if (match.hasMatch()) {
        const QStringList values = match.captured(1).split(QLatin1Char(','));
        for (int i = 0; i < values.size(); ++i) {
            if (values.at(i).isEmpty())
                continue;
            if (i < shape.adjust.size())
                shape.adjust[i] = values.at(i).toDouble();
            else
                shape.adjust << values.at(i).toDouble();
        }
    }
    return shape;
}

} // namespace insert
