// Pictures in the RTF a word processor puts on the clipboard.
#include "TestSupport.h"
#include "text/RtfPictures.h"

using namespace text;

class RtfPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void picturesInOrder()
    {
        const QByteArray rtf = "{\\rtf1{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}}}\\picscalex100\\pngblip "
                               "8950\n4e47}}{\\pict\\wmetafile8 0102}{\\pict\\jpegblip\\picw10 ffd8ffe0}"
                               "{\\pictscalex {\\pict\\pngblip 89zz}}}";
        const QList<RtfPicture> pictures = rtfPictures(rtf);
        QCOMPARE(pictures.size(), 2); // the metafile is left out, the damaged one ends empty
        QCOMPARE(pictures.at(0).format, QByteArray("png"));
        QCOMPARE(pictures.at(0).data, QByteArray::fromHex("89504e47"));
        QCOMPARE(pictures.at(1).format, QByteArray("jpg"));
        QCOMPARE(pictures.at(1).data, QByteArray::fromHex("ffd8ffe0"));
    }
};

ZELVO_TEST_MAIN(RtfPicturesTest)
#include "test_rtfpictures.moc"
