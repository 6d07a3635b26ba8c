// The page texts the program makes itself: the blank page and the preview
// copy's base address.
#include "TestSupport.h"
#include "document/BlankPage.h"
#include "document/PreviewText.h"
#include "text/PageCodec.h"

using namespace document;
using namespace text;

namespace {

QByteArray hex(const char *h)
{
    return QByteArray::fromHex(h);
}

} // namespace

class PageTextsTest : public QObject {
    Q_OBJECT
private slots:
    void blankPageTemplate()
    {
        const QByteArray bytes = BlankPageTemplateBytes();
        QCOMPARE(bytes.size(), 189);
        QCOMPARE(bytes.count("\r\n"), 3);
        QVERIFY(!bytes.endsWith('\n'));
        QVERIFY(bytes.contains(hex("cedeb1eacce2cdf8d2b3"))); // 无标题网页 in GBK
        // The text and the bytes are the same page.
        const DecodedPage decoded = decodePage(bytes);
        QVERIFY(decoded.ok);
        QCOMPARE(decoded.text, BlankPageTemplate());
        QCOMPARE(decoded.encoding, gbkEncoding());
        QCOMPARE(encodePage(BlankPageTemplate(), gbkEncoding()), bytes);
    }

    void previewBase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("<base href=\"file:///tmp/%E7%BD%91%E9%A1%B5/\">");
        const QString folder = QStringLiteral("/tmp/网页");
        QTest::newRow("into the head") << QStringLiteral("<!DOCTYPE html><html><HEAD id=h><title>")
                                       << folder << QStringLiteral("<!DOCTYPE html><html><HEAD id=h>") + base + QStringLiteral("<title>");
        QTest::newRow("header is not head") << QStringLiteral("<html><body><header>")
                                            << folder << QStringLiteral("<html>") + base + QStringLiteral("<body><header>");
        QTest::newRow("after the doctype") << QStringLiteral("<!doctype html><p>") << folder
                                           << QStringLiteral("<!doctype html>") + base + QStringLiteral("<p>");
        QTest::newRow("bare fragment") << QStringLiteral("<p>") << folder << base + QStringLiteral("<p>");
        QTest::newRow("own base kept") << QStringLiteral("<head><base href=\"x/\">") << folder
                                       << QStringLiteral("<head><base href=\"x/\">");
        QTest::newRow("no file, no base") << QStringLiteral("<head>") << QString() << QStringLiteral("<head>");
    }
    void previewBase()
    {
        QFETCH(QString, text);
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(withBaseForPreview(text, folder), expected);
    }
};

ZELVO_TEST_MAIN(PageTextsTest)
#include "test_pagetexts.moc"
