#include "document/PageTransfers.h"

#include "document/DocumentController.h"
#include "document/PictureFolder.h"
#include "engine/EngineView.h"
#include "text/RtfPictures.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QRegularExpression>

namespace document {

namespace {

QString pictureTag(const QString &address, const QSize &size)
{
    QString tag = QStringLiteral("<img src=\"%1\"").arg(address);
    if (size.isValid())
        tag += QStringLiteral(" width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height());
    return tag + QLatin1Char('>');
}

bool isPageFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

// The bytes and the kind of a data: address of a picture; nothing for any
// other address.
bool pictureData(const QString &address, QByteArray &bytes, QString &extension)
{
    if (!address.startsWith(QLatin1String("data:image/"), Qt::CaseInsensitive))
        return false;
    const qsizetype comma = address.indexOf(QLatin1Char(','));
    if (comma < 0)
        return false;
    const QString header = address.left(comma).toLower();
    extension = header.section(QLatin1Char('/'), 1).section(QLatin1Char(';'), 0, 0);
    if (extension == QLatin1String("jpeg"))
        extension = QStringLiteral("jpg");
    else if (extension == QLatin1String("svg+xml"))
        extension = QStringLiteral("svg");
    const QByteArray data = address.mid(comma + 1).toLatin1();
    bytes = header.endsWith(QLatin1String(";base64")) ? QByteArray::fromBase64(data)
                                                     : QByteArray::fromPercentEncoding(data);
    return !bytes.isEmpty() && !extension.isEmpty();
}

// A local picture file a pasted address names, or an empty text.
QString localFile(const QString &address)
{
    const QUrl url(address);
    if (url.isLocalFile())
        return url.toLocalFile();
    return QDir::isAbsolutePath(address) ? address : QString();
}

} // namespace

PageTransfers::PageTransfers(QWidget *window, engine::EngineView &view, DocumentController &document, QObject *parent)
    : QObject(parent), m_window(window), m_view(view), m_document(document)
{
    view.setPasteHandler([this](bool plainText) {
        if (plainText)
            pastePlainText();
        else
            paste();
    });
    view.setDropHandler([this](const QList<QUrl> &files, const QPoint &at) { return drop(files, at); });
}

void PageTransfers::tell(const QString &message)
{
    ui::showInformation(m_window, message);
}

void PageTransfers::paste()
{
    if (const QMimeData *clipboard = QApplication::clipboard()->mimeData())
        paste(*clipboard, false);
}

void PageTransfers::pastePlainText()
{
    if (const QMimeData *clipboard = QApplication::clipboard()->mimeData())
        paste(*clipboard, true);
}

void PageTransfers::paste(const QMimeData &clipboard, bool plainText)
{
    if (!plainText && clipboard.hasHtml())
        pasteMarkup(clipboard);
    else if (!plainText && clipboard.hasImage())
        pasteImage(qvariant_cast<QImage>(clipboard.imageData()));
    else if (clipboard.hasText() && !clipboard.text().isEmpty())
        m_view.PasteHtml(plainTextMarkup(clipboard.text()));
}

QString PageTransfers::plainTextMarkup(const QString &text)
{
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = normalised.split(QRegularExpression(QStringLiteral("\\n[ \\t]*\\n+")));
    QStringList parts;
    for (const QString &paragraph : paragraphs) {
        QString escaped = paragraph.toHtmlEscaped();
        escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
        parts << escaped;
    }
    if (parts.size() == 1)
        return parts.first();
    QString markup;
    for (const QString &part : std::as_const(parts))
        markup += QStringLiteral("<p>") + part + QStringLiteral("</p>");
    return markup;
}

QString PageTransfers::pageFileForPictures()
{
    QString path = m_document.pagePath();
    if (path.isEmpty() && m_document.SavePageAs())
        path = m_document.pagePath();
    return path;
}

void PageTransfers::pasteImage(const QImage &image)
{
    if (image.isNull())
        return;
    if (qint64(image.width()) * image.height() > kLargestPicture) {
        tell(QStringLiteral("剪贴板上的图片有 %1×%2 像素，超过了 1 亿像素，没有插入。").arg(image.width()).arg(image.height()));
        return;
    }
    const QString page = pageFileForPictures();
    if (page.isEmpty())
        return; // the page has no file, and the user gave it none
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const PictureFolder::Outcome written = PictureFolder(page).writeNew(png, QStringLiteral("png"));
    if (!written.error.isEmpty()) {
        tell(written.error);
        return;
    }
    m_view.PasteHtml(pictureTag(written.address, image.size()));
}

void PageTransfers::pasteMarkup(const QMimeData &clipboard)
{
    const QStringList addresses = m_view.cleanPastedMarkup(clipboard.html());
    // Word processors hand over the pictures of a passage in its RTF too,
    // when their markup points at files that are not there.
    const QByteArray rtf = clipboard.hasFormat(QStringLiteral("text/rtf")) ? clipboard.data(QStringLiteral("text/rtf"))
                                                                           : clipboard.data(QStringLiteral("application/rtf"));
    const QList<text::RtfPicture> rtfPictures = text::rtfPictures(rtf);

    // What each picture becomes: its bytes to write, a file to take, or nothing.
    struct Wanted {
        QByteArray bytes;
        QString extension;
        QString file;
    };
    QList<Wanted> wanted;
    int nextRtf = 0;
    bool anyToWrite = false;
    for (int i = 0; i < addresses.size(); ++i) {
        Wanted w;
        const QString file = localFile(addresses.at(i));
        const bool data = pictureData(addresses.at(i), w.bytes, w.extension);
        if (!data && !file.isEmpty() && QFileInfo(file).isFile()) {
            w.file = file;
        } else if (!data && (!file.isEmpty() || addresses.at(i).isEmpty())) {
            // A file that is not there: the RTF's picture in the same place.
            const int at = rtfPictures.size() == addresses.size() ? i : nextRtf;
            if (at < rtfPictures.size()) {
                w.bytes = rtfPictures.at(at).data;
                w.extension = QString::fromLatin1(rtfPictures.at(at).format);
                nextRtf = at + 1;
            }
        }
        anyToWrite = anyToWrite || !w.bytes.isEmpty() || !w.file.isEmpty();
        wanted << w;
    }

    QStringList replaced(addresses.size());
    if (anyToWrite) {
        const QString page = pageFileForPictures();
        if (page.isEmpty())
            return; // nothing is pasted
        PictureFolder folder(page);
        for (int i = 0; i < wanted.size(); ++i) {
            if (wanted.at(i).bytes.isEmpty() && wanted.at(i).file.isEmpty())
                continue;
            const PictureFolder::Outcome outcome = wanted.at(i).file.isEmpty()
                ? folder.writeNew(wanted.at(i).bytes, wanted.at(i).extension)
                : folder.take(wanted.at(i).file);
            if (!outcome.error.isEmpty()) {
                tell(outcome.error);
                return; // the page stays as it was
            }
            replaced[i] = outcome.address;
        }
    }
    m_view.insertCleanedMarkup(replaced);
}

bool PageTransfers::drop(const QList<QUrl> &files, const QPoint &at)
{
    QStringList pictures;
    for (const QUrl &url : files) {
        const QString path = url.toLocalFile();
        if (isPageFile(path)) {
            // A page is opened, not inserted.
            m_document.OpenDroppedPage(path);
            return true;
        }
        if (!QImageReader::imageFormat(path).isEmpty() || QImageReader(path).canRead()) {
            pictures << path;
        } else {
            tell(QStringLiteral("无法插入文件“%1”：%2。")
                     .arg(QDir::toNativeSeparators(path), QFileInfo(path).isReadable() ? QStringLiteral("它不是能显示的图片")
                                                                                       : QStringLiteral("无法读取这个文件")));
            return false;
        }
    }
    if (pictures.isEmpty())
        return false;
    const QString page = pageFileForPictures();
    if (page.isEmpty())
        return false;
    PictureFolder folder(page);
    QString fragment;
    for (const QString &path : std::as_const(pictures)) {
        const PictureFolder::Outcome outcome = folder.take(path);
        if (!outcome.error.isEmpty()) {
            tell(outcome.error);
            return false;
        }
        fragment += pictureTag(outcome.address, QImageReader(path).size());
    }
    m_view.focusPage();
    m_view.caretToPoint(at);
    return m_view.PasteHtml(fragment);
}

} // namespace document
