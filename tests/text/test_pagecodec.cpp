// Page encodings: detection, decoding, writing back and refusals.
#include "TestSupport.h"
#include "text/PageCodec.h"

using namespace text;

Q_DECLARE_METATYPE(text::PageCharset)

namespace {

QByteArray hex(const char *h)
{
    return QByteArray::fromHex(h);
}

const QByteArray kMetaGb2312 = "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">";

} // namespace

class PageCodecTest : public QObject {
    Q_OBJECT
private slots:
    // Each kind of file opens with every character and is written back byte
    // for byte in its own encoding.
    void eachEncodingRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<text::PageCharset>("charset");
        QTest::addColumn<bool>("bom");

        const QString body = QStringLiteral("<p>中文</p>");
        QTest::newRow("gbk declared gb2312")
            << kMetaGb2312 + "<p>" + hex("d6d0cec4") + "</p>"
            << QString::fromLatin1(kMetaGb2312) + body << PageCharset::Gbk << false;
        QTest::newRow("gb18030 undeclared")
            << "<p>" + hex("d6d0cec4") + "</p>" << body << PageCharset::Gb18030 << false;
        QTest::newRow("four-byte sequences undeclared")
            << "<p>" + hex("d6d0cec4") + hex("9439fc36") + hex("83368433") + "</p>"
            << QStringLiteral("<p>中文😀한</p>") << PageCharset::Gb18030 << false;
        QTest::newRow("four-byte sequences declared gb18030")
            << "<meta charset=gb18030><p>" + hex("9439fc36") + hex("95328236") + "</p>"
            << QStringLiteral("<meta charset=gb18030><p>😀𠀀</p>") << PageCharset::Gb18030 << false;
        QTest::newRow("utf-8 undeclared")
            << "<p>" + hex("e4b8ade69687") + "</p>" << body << PageCharset::Utf8 << false;
        QTest::newRow("utf-8 with bom")
            << hex("efbbbf") + "<p>" + hex("e4b8ade69687") + "</p>" << body << PageCharset::Utf8 << true;
        QTest::newRow("utf-8 with bom and a text starting with U+FEFF")
            << hex("efbbbfefbbbf") + "x" << QStringLiteral("\uFEFFx") << PageCharset::Utf8 << true;
        QTest::newRow("meta charset utf-8")
            << "<meta charset=\"utf-8\"><p>" + hex("e4b8ade69687f09f9880") + "</p>"
            << QStringLiteral("<meta charset=\"utf-8\"><p>中文😀</p>") << PageCharset::Utf8 << false;
        QTest::newRow("utf-16le with bom")
            << hex("fffe") + hex("3c00700020002d4e87653e00") << QStringLiteral("<p 中文>")
            << PageCharset::Utf16LE << true;
        QTest::newRow("utf-16be with bom")
            << hex("feff") + hex("003c0070d83dde00003e") << QStringLiteral("<p😀>")
            << PageCharset::Utf16BE << true;
        QTest::newRow("utf-32le with bom")
            << hex("fffe0000") + hex("3c00000000f60100") << QStringLiteral("<😀") << PageCharset::Utf32LE << true;
        QTest::newRow("big5 declared")
            << "<meta charset=big5><p>" + hex("c163c5e9a4a4a4e5") + "</p>"
            << QStringLiteral("<meta charset=big5><p>繁體中文</p>") << PageCharset::Other << false;
        QTest::newRow("ascii declared gb2312 stays gbk")
            << kMetaGb2312 + "<p>x</p>" << QString::fromLatin1(kMetaGb2312) + QStringLiteral("<p>x</p>")
            << PageCharset::Gbk << false;
    }
    void eachEncodingRoundTrips()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(text::PageCharset, charset);
        QFETCH(bool, bom);
        const DecodedPage page = decodePage(file);
        QVERIFY2(page.ok, qPrintable(page.problem));
        QCOMPARE(page.text, text);
        QCOMPARE(page.encoding.charset, charset);
        QCOMPARE(page.encoding.byteOrderMark, bom);
        QCOMPARE(encodePage(page.text, encodingForSaving(page.text, page.encoding)), file);
    }

    // A declaration that does not fit the bytes is not trusted: the page is
    // read in the encoding its bytes are in, and saved in it, byte for byte.
    // A page declaring UTF-8 whose invalid bytes stand alone is UTF-8 with a
    // few stray Windows-1252 characters: only those bytes change.
    void declarationAndBytesDisagree_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<text::PageCharset>("charset");
        QTest::addColumn<int>("repaired");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray utf8 = "<meta charset=\"utf-8\">";
        const QByteArray gbk = utf8 + "<p>" + hex("d6d0cec4") + "</p>";
        QTest::newRow("GBK throughout") << gbk << QStringLiteral("<meta charset=\"utf-8\"><p>中文</p>")
                                        << PageCharset::Gb18030 << 0 << gbk;
        const QByteArray oneGbk = utf8 + "<p>title " + hex("d6d0") + " text</p>";
        QTest::newRow("one GBK character: a run of two") << oneGbk << QStringLiteral("<meta charset=\"utf-8\"><p>title 中 text</p>")
                                                         << PageCharset::Gb18030 << 0 << oneGbk;
        const QByteArray stray = utf8 + "\n<p>" + hex("e58e9fe69687") + " Caf" + hex("c3a9") + " it" + hex("92") + "s" + hex("93") + "</p>";
        QTest::newRow("UTF-8 with stray bytes")
            << stray << QStringLiteral("<meta charset=\"utf-8\">\n<p>原文 Café it’s“</p>") << PageCharset::Utf8 << 2
            << utf8 + "\n<p>" + hex("e58e9fe69687") + " Caf" + hex("c3a9") + " it" + hex("e28099") + "s" + hex("e2809c") + "</p>";
        const QByteArray manyStrays = utf8 + "<p>a" + hex("e9") + "b" + hex("e8") + "c" + hex("e0") + "d" + hex("f9") + "</p>";
        QTest::newRow("more strays than UTF-8 characters: Windows-1252")
            << manyStrays << QStringLiteral("<meta charset=\"utf-8\"><p>aébècàdù</p>") << PageCharset::Other << 0 << manyStrays;
    }
    void declarationAndBytesDisagree()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(text::PageCharset, charset);
        QFETCH(int, repaired);
        QFETCH(QByteArray, saved);
        const DecodedPage page = decodePage(file);
        QVERIFY2(page.ok, qPrintable(page.problem));
        QCOMPARE(page.text, text);
        QCOMPARE(page.encoding.charset, charset);
        QCOMPARE(page.repairedBytes, repaired);
        QCOMPARE(page.readAgainstDeclaration(), repaired == 0);
        if (repaired)
            QCOMPARE(page.firstRepairedLine, 2);
        QCOMPARE(encodePage(page.text, encodingForSaving(page.text, page.encoding)), saved);
    }

    // Only the labels browsers know name an encoding; any other is no
    // declaration, and the bytes decide.
    void labels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("charset"); // -1: not an encoding
        QTest::addColumn<QByteArray>("iconvName");
        const int other = int(PageCharset::Other);
        QTest::newRow("gb2312") << "GB2312" << int(PageCharset::Gbk) << QByteArray();
        QTest::newRow("utf-16 on ASCII bytes") << "utf-16" << int(PageCharset::Utf8) << QByteArray();
        QTest::newRow("latin1") << "latin1" << other << QByteArray("WINDOWS-1252");
        QTest::newRow("tis-620") << "tis-620" << other << QByteArray("WINDOWS-874");
        QTest::newRow("koi8-u") << "koi8-u" << other << QByteArray("KOI8-RU");
        QTest::newRow("iso-8859-8-i") << "iso-8859-8-i" << other << QByteArray("ISO-8859-8");
        QTest::newRow("shift_jis") << "shift_jis" << other << QByteArray("CP932");
        QTest::newRow("EBCDIC") << "ibm037" << -1 << QByteArray();
        QTest::newRow("utf-7") << "utf-7" << -1 << QByteArray();
        QTest::newRow("cp936 is no WHATWG label") << "cp936" << -1 << QByteArray();
        QTest::newRow("replacement") << "iso-2022-kr" << -1 << QByteArray();
    }
    void labels()
    {
        QFETCH(QString, label);
        QFETCH(int, charset);
        QFETCH(QByteArray, iconvName);
        const std::optional<PageEncoding> e = encodingForLabel(label);
        QCOMPARE(e ? int(e->charset) : -1, charset);
        if (e)
            QCOMPARE(e->iconvName, iconvName);
    }
    void unknownLabelsAreNoDeclaration_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<text::PageCharset>("charset");
        QTest::newRow("ibm037 on UTF-8") << "<meta charset=ibm037><p>" + hex("e4b8ade69687") + "</p>"
                                         << QStringLiteral("<meta charset=ibm037><p>中文</p>") << PageCharset::Utf8;
        QTest::newRow("utf-7 on ASCII") << QByteArray("<meta charset=utf-7><p>+ZeVnLA-</p>")
                                        << QStringLiteral("<meta charset=utf-7><p>+ZeVnLA-</p>") << PageCharset::Utf8;
        QTest::newRow("unknown label on GBK") << "<meta charset=x-zelvo><p>" + hex("d6d0cec4b1eacce2") + "</p>"
                                              << QStringLiteral("<meta charset=x-zelvo><p>中文标题</p>") << PageCharset::Gb18030;
    }
    void unknownLabelsAreNoDeclaration()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(text::PageCharset, charset);
        const DecodedPage page = decodePage(file);
        QVERIFY2(page.ok, qPrintable(page.problem));
        QVERIFY(!page.declarationKnown);
        QCOMPARE(page.text, text);
        QCOMPARE(page.encoding.charset, charset);
        QCOMPARE(encodePage(page.text, encodingForSaving(page.text, page.encoding)), file);
    }

    // Short Chinese pages without a declaration: the detector's guess of a
    // single-byte code page of another script gives way to GB18030.
    void shortChinesePages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("title and a word") << QStringLiteral("<title>中文标题</title> original");
        QTest::newRow("two words") << QStringLiteral("<p>网页 test</p>");
        QTest::newRow("a line") << QStringLiteral("<h1>欢迎光临</h1><p>Welcome</p>");
    }
    void shortChinesePages()
    {
        QFETCH(QString, text);
        const QByteArray file = encodePage(text, gbkEncoding());
        const DecodedPage page = decodePage(file);
        QVERIFY2(page.ok, qPrintable(page.problem));
        QCOMPARE(page.text, text);
        QCOMPARE(page.encoding.charset, PageCharset::Gb18030);
    }

    // A page that declares GBK or GB2312 is written for strict GBK readers:
    // what GBK lacks becomes a numeric character reference.
    void outsideGbkBecomesReferences()
    {
        const QByteArray file = kMetaGb2312 + "<p>" + hex("9439fc36") + hex("95328236") + hex("83368433") + hex("d6d0") + "</p>";
        const DecodedPage page = decodePage(file);
        QVERIFY(page.ok);
        QCOMPARE(page.text, QString::fromLatin1(kMetaGb2312) + QStringLiteral("<p>😀𠀀한中</p>"));
        QCOMPARE(page.encoding.charset, PageCharset::Gbk);
        QCOMPARE(encodePage(page.text, page.encoding),
                 kMetaGb2312 + "<p>&#128512;&#131072;&#54620;" + hex("d6d0") + "</p>");
        // New pages are GBK too. The euro sign is a reference (0x80 is not
        // GB18030), and a lone 0x80 from code page 936 still reads as the euro.
        QCOMPARE(encodePage(QStringLiteral("😀€"), gbkEncoding()), QByteArray("&#128512;&#8364;"));
        const DecodedPage cp936 = decodePage(kMetaGb2312 + "<p>\x80" + hex("8180") + "</p>");
        QVERIFY(cp936.ok);
        QCOMPARE(cp936.text, QString::fromLatin1(kMetaGb2312) + QStringLiteral("<p>€亐</p>"));
    }

    // Without a declaration the detector decides; where another encoding
    // reads the bytes as well, the choice is reported as a guess.
    void undeclaredPagesAreDetected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("iconvName");
        QTest::addColumn<bool>("guess");
        const QString traditional = QStringLiteral(
            "<html><head><title>繁體中文網頁</title></head><body><p>這是一個使用繁體中文書寫的網頁，"
            "內容包括新聞、評論與生活資訊。價格為€100，歡迎讀者瀏覽我們的網站並提供寶貴的意見。"
            "臺灣與香港的讀者經常閱讀這類文章，我們會持續更新內容。</p></body></html>");
        QTest::newRow("big5 with the euro sign") << traditional << QByteArray("CP950") << true;
        const QString french = QStringLiteral(
            "<html><body><p>Le café de la gare est fermé le dimanche. Les élèves étudient "
            "à la bibliothèque, où règne un silence agréable. Ça coûte très cher.</p></body></html>");
        QTest::newRow("windows-1252") << french << QByteArray("WINDOWS-1252") << false;
    }
    void undeclaredPagesAreDetected()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, iconvName);
        QFETCH(bool, guess);
        const PageEncoding encoding{PageCharset::Other, false, iconvName};
        const QByteArray file = encodePage(text, encoding);
        QVERIFY(!file.contains("&#")); // every character has a place in the encoding
        const DecodedPage page = decodePage(file);
        QVERIFY2(page.ok, qPrintable(page.problem));
        QCOMPARE(page.encoding, encoding);
        QCOMPARE(page.text, text);
        QCOMPARE(!page.guessedEncoding.isEmpty(), guess);
        QCOMPARE(encodePage(page.text, encodingForSaving(page.text, page.encoding)), file);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("zero byte in gbk") << QByteArray("<p>ab\0cd</p>", 12) << QStringLiteral("第 6 个字节是零字节");
        QTest::newRow("utf-16 without bom")
            << QByteArray("<\0p\0>\0", 6) << QStringLiteral("第 2 个字节是零字节");
        QTest::newRow("zero character in utf-16") << hex("fffe3c0000003e00") << QStringLiteral("零字符");
        QTest::newRow("odd utf-16 length") << hex("fffe3c0000") << QStringLiteral("UTF-16LE");
        // Qt's own decoder takes these without an error, as U+FFFD or stray surrogates.
        QTest::newRow("cut-off utf-32") << hex("fffe00003c00000041") << QStringLiteral("UTF-32LE");
        QTest::newRow("utf-32 past U+10FFFF") << hex("0000feff0000003c00110000") << QStringLiteral("UTF-32BE");
        QTest::newRow("surrogate in utf-32") << hex("fffe00003c00000000d80000") << QStringLiteral("UTF-32LE");
        QTest::newRow("bad utf-8 after bom") << hex("efbbbf3cff3e") << QStringLiteral("UTF-8");
        QTest::newRow("no encoding reads it") << hex("3c703ed6d0813c2f703e") << QStringLiteral("无法确定它的编码");
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, mentions);
        const DecodedPage page = decodePage(file);
        QVERIFY(!page.ok);
        QVERIFY2(page.problem.contains(mentions), qPrintable(page.problem));
    }

    void declaredCharsetIsFound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("charset");
        QTest::newRow("http-equiv") << QString::fromLatin1(kMetaGb2312) << QStringLiteral("gb2312");
        QTest::newRow("html5") << QStringLiteral("<META CHARSET='UTF-8'>") << QStringLiteral("utf-8");
        QTest::newRow("unquoted") << QStringLiteral("<meta charset=big5>") << QStringLiteral("big5");
        QTest::newRow("in a comment") << QStringLiteral("<!-- <meta charset=big5> --><meta charset=gbk>")
                                      << QStringLiteral("gbk");
        QTest::newRow("none") << QStringLiteral("<meta name=x content=charset>") << QString();
        QTest::newRow("not a meta") << QStringLiteral("<p>charset=utf-8</p>") << QString();
    }
    void declaredCharsetIsFound()
    {
        QFETCH(QString, text);
        QFETCH(QString, charset);
        QCOMPARE(declaredCharset(text), charset);
    }

    // The file follows a declaration the user changed, unless a byte-order
    // mark says otherwise; the declaration a page came with is not followed.
    void savingFollowsTheDeclaration_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<QString>("cameWith");
        QTest::addColumn<int>("expected");
        const int gbk = int(PageCharset::Gbk), gb18030 = int(PageCharset::Gb18030),
                  utf8 = int(PageCharset::Utf8), u16 = int(PageCharset::Utf16LE);
        const QString none;
        QTest::newRow("utf-8 page now says gb2312") << QString::fromLatin1(kMetaGb2312) << utf8 << false << none << gbk;
        QTest::newRow("gbk page now says utf-8") << QStringLiteral("<meta charset=utf-8>") << gbk << false << none << utf8;
        QTest::newRow("gbk page now says gb18030") << QStringLiteral("<meta charset=gb18030>") << gbk << false << none
                                                   << gb18030;
        QTest::newRow("gb18030 page now says gbk") << QString::fromLatin1(kMetaGb2312) << gb18030 << false << none << gbk;
        QTest::newRow("no declaration keeps") << QStringLiteral("<p>") << utf8 << false << none << utf8;
        QTest::newRow("unknown charset keeps") << QStringLiteral("<meta charset=klingon>") << gbk << false << none << gbk;
        QTest::newRow("bom outweighs") << QString::fromLatin1(kMetaGb2312) << u16 << true << none << u16;
        QTest::newRow("the declaration it came with keeps")
            << QStringLiteral("<meta charset=utf-8>") << gb18030 << false << QStringLiteral("utf-8") << gb18030;
    }
    void savingFollowsTheDeclaration()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(bool, bom);
        QFETCH(QString, cameWith);
        QFETCH(int, expected);
        PageEncoding current{PageCharset(from), bom, {}};
        current.declared = cameWith;
        QCOMPARE(int(encodingForSaving(text, current).charset), expected);
    }

    void charactersALegacyPageCannotHoldBecomeReferences()
    {
        const PageEncoding big5 = *encodingForLabel(QStringLiteral("big5"));
        const QByteArray bytes = encodePage(QStringLiteral("中😀x"), big5);
        QCOMPARE(bytes, hex("a4a4") + "&#128512;x");
        // A lone surrogate cannot be written anywhere; it becomes U+FFFD.
        const QString lone = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
        QCOMPARE(encodePage(lone, PageEncoding{PageCharset::Utf8, false, {}}), hex("61efbfbd62"));
        QCOMPARE(encodePage(lone, gbkEncoding()), QByteArray("a&#65533;b"));
        QCOMPARE(encodePage(lone, PageEncoding{PageCharset::Gb18030, false, {}}), hex("618431a437") + "b");
    }

    void largeGbkPageRoundTrips()
    {
        for (const auto &[declaration, charset] : {std::pair{"gb2312", PageCharset::Gbk}, {"gb18030", PageCharset::Gb18030}}) {
            QString text = QStringLiteral("<meta charset=%1>").arg(QLatin1String(declaration));
            const QString rare = charset == PageCharset::Gb18030 ? QStringLiteral("😀") : QString();
            for (int i = 0; i < 20000; ++i)
                text += QStringLiteral("<p>第%1段：中文网页%2</p>\n").arg(i).arg(rare);
            const QByteArray bytes = encodePage(text, PageEncoding{charset, false, {}});
            const DecodedPage page = decodePage(bytes);
            QVERIFY(page.ok);
            QCOMPARE(page.encoding.charset, charset);
            QVERIFY(page.text == text);
        }
    }
};

ZELVO_TEST_MAIN(PageCodecTest)
#include "test_pagecodec.moc"
