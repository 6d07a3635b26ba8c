#pragma once
// Scintilla message numbers and constants the code view sends, by their public
// names. Always qualify them (sci::SCI_...), so they never mix with the
// editor class's own enumeration.
namespace codeview::sci {

// Text
constexpr unsigned SCI_INSERTTEXT = 2003;
constexpr unsigned SCI_CLEARALL = 2004;
constexpr unsigned SCI_GETLENGTH = 2006;
constexpr unsigned SCI_GETCHARAT = 2007;
constexpr unsigned SCI_GETCURRENTPOS = 2008;
constexpr unsigned SCI_GETSTYLEAT = 2010;
constexpr unsigned SCI_REDO = 2011;
constexpr unsigned SCI_SELECTALL = 2013;
constexpr unsigned SCI_CANREDO = 2016;
constexpr unsigned SCI_GETREADONLY = 2140;
constexpr unsigned SCI_POINTXFROMPOSITION = 2164;
constexpr unsigned SCI_POINTYFROMPOSITION = 2165;
constexpr unsigned SCI_LINEFROMPOSITION = 2166;
constexpr unsigned SCI_SETREADONLY = 2171;
constexpr unsigned SCI_CANUNDO = 2174;
constexpr unsigned SCI_UNDO = 2176;
constexpr unsigned SCI_CUT = 2177;
constexpr unsigned SCI_COPY = 2178;
constexpr unsigned SCI_PASTE = 2179;
constexpr unsigned SCI_CLEAR = 2180;
constexpr unsigned SCI_GETTEXT = 2182;
constexpr unsigned SCI_BEGINUNDOACTION = 2078;
constexpr unsigned SCI_ENDUNDOACTION = 2079;
constexpr unsigned SCI_GETSELECTIONEMPTY = 2650;
constexpr unsigned SCI_GETRANGEPOINTER = 2643;
constexpr unsigned SCI_GOTOPOS = 2025;
constexpr unsigned SCI_EMPTYUNDOBUFFER = 2175;
constexpr unsigned SCI_SETSAVEPOINT = 2014;
constexpr unsigned SCI_GETMODIFY = 2159;

// View and caret
constexpr unsigned SCI_SETVIEWWS = 2021;
constexpr unsigned SCI_SETEOLMODE = 2031;
constexpr unsigned SCI_SETTABWIDTH = 2036;
constexpr unsigned SCI_SETCODEPAGE = 2037;
constexpr unsigned SCI_SETSELFORE = 2067;
constexpr unsigned SCI_SETSELBACK = 2068;
constexpr unsigned SCI_SETCARETFORE = 2069;
constexpr unsigned SCI_SETCARETPERIOD = 2076;
constexpr unsigned SCI_SETWHITESPACEFORE = 2084;
constexpr unsigned SCI_SETWHITESPACEBACK = 2085;
constexpr unsigned SCI_SETCARETLINEVISIBLE = 2096;
constexpr unsigned SCI_SETCARETLINEBACK = 2098;
constexpr unsigned SCI_SETHSCROLLBAR = 2130;
constexpr unsigned SCI_SETINDENTATIONGUIDES = 2132;
constexpr unsigned SCI_SETCARETWIDTH = 2188;
constexpr unsigned SCI_SETWRAPMODE = 2268;
constexpr unsigned SCI_SETLAYOUTCACHE = 2272;
constexpr unsigned long SC_CACHE_PAGE = 2;
constexpr unsigned SCI_SETMODEVENTMASK = 2359;
constexpr long SC_MODEVENTMASKALL = 0x7FFFFF;
constexpr unsigned SCI_SETVSCROLLBAR = 2280;
constexpr unsigned SCI_SETVIEWEOL = 2356;
constexpr unsigned SCI_SETCURSOR = 2386;

// Styles
constexpr unsigned SCI_STYLESETFORE = 2051;
constexpr unsigned SCI_STYLESETBACK = 2052;
constexpr unsigned SCI_STYLESETBOLD = 2053;
constexpr unsigned SCI_STYLESETITALIC = 2054;
constexpr unsigned SCI_STYLESETSIZE = 2055;
constexpr unsigned SCI_STYLESETFONT = 2056;
constexpr unsigned SCI_STYLESETUNDERLINE = 2059;
constexpr unsigned SCI_SETSTYLEBITS = 2090;
constexpr int STYLE_LINENUMBER = 33;

// Margins, markers, folding
constexpr unsigned SCI_MARKERDEFINE = 2040;
constexpr unsigned SCI_MARKERSETFORE = 2041;
constexpr unsigned SCI_MARKERSETBACK = 2042;
constexpr unsigned SCI_SETMARGINTYPEN = 2240;
constexpr unsigned SCI_SETMARGINWIDTHN = 2242;
constexpr unsigned SCI_SETMARGINMASKN = 2244;
constexpr unsigned SCI_SETMARGINSENSITIVEN = 2246;
constexpr unsigned SCI_GETFOLDLEVEL = 2223;
constexpr unsigned SCI_TOGGLEFOLD = 2231;
constexpr unsigned SCI_SETFOLDFLAGS = 2233;
constexpr unsigned SCI_SETFOLDMARGINCOLOUR = 2290;
constexpr unsigned SCI_SETFOLDMARGINHICOLOUR = 2291;
constexpr int SC_MARGIN_NUMBER = 1;
constexpr int SC_FOLDLEVELHEADERFLAG = 0x2000;
constexpr int SC_FOLDFLAG_LINEAFTER_CONTRACTED = 16;
constexpr unsigned long SC_MASK_FOLDERS = 0xFE000000UL;

// Auto-completion
constexpr unsigned SCI_AUTOCSHOW = 2100;
constexpr unsigned SCI_AUTOCACTIVE = 2102;
constexpr unsigned SCI_AUTOCSETSEPARATOR = 2106;
constexpr unsigned SCI_AUTOCSETORDER = 2660;
constexpr int SC_ORDER_CUSTOM = 2;

// Lexer
constexpr unsigned SCI_SETLEXER = 4001;
constexpr unsigned SCI_SETPROPERTY = 4004;
constexpr unsigned SCI_SETKEYWORDS = 4005;
constexpr int SCLEX_HTML = 4;

} // namespace codeview::sci
