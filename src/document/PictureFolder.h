#pragma once
// The pictures put into a page (pasted, dropped, taken from pasted markup)
// become files beside it, in a folder named after the page ("主页.htm" →
// "主页_files/"), under names that never overwrite a file ("图片1.png",
// "图片2.png" ...), and the page refers to them by addresses relative to
// its own folder. A file that could not be written whole leaves nothing
// behind.
#include <QByteArray>
#include <QString>

namespace document {

class PictureFolder {
public:
    // For the page saved as pagePath.
    explicit PictureFolder(const QString &pagePath);

    QString path() const { return m_folder; }

    struct Outcome {
        QString address; // relative to the page's folder; empty on failure
        QString error;   // the whole message for the user, naming the file
    };
    // Writes the bytes as a new picture file with this extension ("png").
    Outcome writeNew(const QByteArray &bytes, const QString &extension);
    // A picture file the page is to show: one in the page's folder or below
    // it is used where it is; any other is copied into the picture folder.
    Outcome take(const QString &file);

    // The address of file as seen from folder, in the form a page writes it
    // ("主页_files/图片1.png", "../images/a.png"): "/" between the parts,
    // and the characters that would end or change an address (space, '"',
    // '#', '?', '%') escaped.
    static QString relativeAddress(const QString &folder, const QString &file);
    // The local file a relative address of a page in folder points at; empty
    // for an absolute, scheme or fragment address.
    static QString resolve(const QString &folder, const QString &address);

private:
    QString m_pageFolder;
    QString m_folder;
};

// The largest picture, in pixels, that is written into a page's folder.
constexpr qint64 kLargestPicture = 100'000'000;

} // namespace document
