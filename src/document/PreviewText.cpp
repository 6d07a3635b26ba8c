#include "document/PreviewText.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace document {

QString withBaseForPreview(const QString &text, const QString &pageFolder)
{
    if (pageFolder.isEmpty())
        return text;
    static const QRegularExpression ownBase(QStringLiteral("<base\\b[^>]*\\bhref\\s*="),
                                            QRegularExpression::CaseInsensitiveOption);
    if (ownBase.match(text).hasMatch())
        return text;

    QString href = QUrl::fromLocalFile(QDir(pageFolder).absolutePath() + QLatin1Char('/'))
                       .toString(QUrl::FullyEncoded);
    href.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('"'), QLatin1String("&quot;"));
    const QString base = QStringLiteral("<base href=\"%1\">").arg(href);

    // After the head's start tag; without one, after <html>, then after a
    // doctype, so that the page stays in the rendering mode it was in.
    static const QRegularExpression anchors[] = {
        QRegularExpression(QStringLiteral("<head(?:\\s[^>]*)?>"), QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral("<html(?:\\s[^>]*)?>"), QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral("<!doctype[^>]*>"), QRegularExpression::CaseInsensitiveOption),
    };
    for (const QRegularExpression &anchor : anchors) {
        const QRegularExpressionMatch m = anchor.match(text);
        if (m.hasMatch()) {
            QString copy = text;
            copy.insert(m.capturedEnd(), base);
            return copy;
        }
    }
    return base + text;
}

} // namespace document
