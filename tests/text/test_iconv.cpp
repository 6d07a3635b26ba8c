// The iconv helper the page codec and the code view's GBK reader convert
// through: giving up at an unconvertible sequence, writing a replacement and
// going on, output that outgrows its first buffer, and shift states.
#include "TestSupport.h"
#include "text/Iconv.h"

using text::Iconv;
using text::Recovery;

namespace {

const QByteArray kZhongwenGbk = QByteArray::fromHex("d6d0cec4"); // 中文
const QString kZhongwen = QStringLiteral("中文");

} // namespace

class IconvTest : public QObject {
    Q_OBJECT
private slots:
    void stopsAtTheSequenceAndReportsItsOffset()
    {
        // A long valid run first, so the output has outgrown its buffer by then.
        const QByteArray valid = kZhongwenGbk.repeated(500);
        const QByteArray input = valid + "\xFF" + kZhongwenGbk;
        Iconv conv("UTF-8", "GB18030");
        QByteArray seen;
        qsizetype stoppedAt = -1;
        const auto out = conv.convert(input, 1, [&](QByteArrayView rest) {
            seen = rest.toByteArray();
            return Recovery{};
        }, &stoppedAt);
        QVERIFY(!out);
        QCOMPARE(stoppedAt, valid.size());
        QCOMPARE(seen, input.mid(valid.size()));

        // A sequence cut off by the end of the input counts as unconvertible.
        QVERIFY(!conv.convert(valid + "\x81", 1, [](QByteArrayView) { return Recovery{}; }, &stoppedAt));
        QCOMPARE(stoppedAt, valid.size());
    }

    void replacesAndGoesOn()
    {
        // Bad bytes between, around and after runs that each outgrow the buffer.
        const QByteArray run = kZhongwenGbk.repeated(40) + "ab";
        const QByteArray input = "\x80" + run + "\xFF\xFF" + run + "\x81";
        const QString good = kZhongwen.repeated(40) + QStringLiteral("ab");
        const QString expected = QStringLiteral("<?>") + good + QStringLiteral("<?><?>") + good + QStringLiteral("<?>");
        Iconv conv("UTF-8", "GB18030");
        const auto out = conv.convert(input, 1, [](QByteArrayView) { return Recovery{1, "<?>"}; });
        QVERIFY(out);
        QCOMPARE(QString::fromUtf8(*out), expected);
    }

    void replacementIsWrittenOutsideAShiftedSequence()
    {
        Iconv conv("ISO-2022-JP", "UTF-8");
        if (!conv.isValid())
            QSKIP("no ISO-2022-JP converter");
        const QByteArray euro = QStringLiteral("€").toUtf8();
        const auto out = conv.convert(QStringLiteral("日€日").toUtf8(), 1, [&](QByteArrayView rest) {
            return Recovery{rest.startsWith(euro) ? euro.size() : 0, "&#8364;"};
        });
        QVERIFY(out);
        // Back to ASCII before the reference, and again at the end.
        QCOMPARE(*out, QByteArray("\x1B$BF|\x1B(B&#8364;\x1B$BF|\x1B(B"));
    }

    void characterHeldBackByTheConverterIsNotLost()
    {
        // CP1258 holds a base letter back in case a combining accent follows.
        Iconv conv("UTF-8", "CP1258");
        if (!conv.isValid())
            QSKIP("no CP1258 converter");
        const auto out = conv.convert("a\xE9", 1, [](QByteArrayView) { return Recovery{}; });
        QVERIFY(out);
        QCOMPARE(*out, QStringLiteral("aé").toUtf8());
    }
};

ZELVO_TEST_MAIN(IconvTest)
#include "test_iconv.moc"
