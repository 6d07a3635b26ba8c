#include "insert/PageProperties.h"

#include "insert/TextHelpers.h"

#include <QRegularExpression>

namespace insert {

namespace {

constexpr auto kOptions = QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

// The content of the first element with the tag name, or nothing.
QString contentOf(const QString &page, const QString &tag)
{
    const QRegularExpression element(QStringLiteral("<%1\\b[^>]*>(.*)</%1\\s*>").arg(tag), kOptions);
    return element.match(page).captured(1);
}

QString withoutAll(QString text, std::initializer_list<const char *> patterns)
{
    for (const char *pattern : patterns)
        text.remove(QRegularExpression(QString::fromLatin1(pattern), kOptions));
    return text;
}

// Only white space: nothing worth keeping.
QString unlessBlank(const QString &text)
{
    return text.trimmed().isEmpty() ? QString() : text;
}

// Only one retired browser plays a background sound; the others play an
// audio element (where they allow sound without a click).
QString soundForToday(const QString &sound)
{
    if (sound.trimmed().isEmpty())
        return {};
    return QStringLiteral("<audio src=\"") + sound + QStringLiteral("\" autoplay loop></audio>");
}

} // namespace

QString PageTitle(const QString &page)
{
    return TextBetween(page, QStringLiteral("<TITLE>"), QStringLiteral("</TITLE>")).text;
}

QString PageBackgroundSound(const QString &page)
{
    const QString attributes = TextBetween(page, QStringLiteral("<bgsound "), QStringLiteral(">")).text;
    return TextBetween(attributes, QStringLiteral("src=\""), QStringLiteral("\"")).text;
}

QString PageBackgroundImage(const QString &page)
{
    const QString bodyTag = TextBetween(page, QStringLiteral("<BODY"), QStringLiteral(">")).text;
    return TextBetween(bodyTag, QStringLiteral("background=\""), QStringLiteral("\"")).text;
}

PageProperties ReadPageProperties(const QString &page)
{
    PageProperties properties;
    properties.title = PageTitle(page);
    properties.sound = PageBackgroundSound(page);
    properties.image = PageBackgroundImage(page);
    return properties;
}

QString BuildPropertiesPage(const PageProperties &properties, const QString &previousPage)
{
    // The new page says the title, the content type and the generator
    // itself, and has a sound element of its own.
    const QString keptHead = unlessBlank(withoutAll(
        contentOf(previousPage, QStringLiteral("head")),
        {"<title\\b[^>]*>.*?</title\\s*>", "<meta\\b[^>]*\\bhttp-equiv\\s*=\\s*[\"']?content-type\\b[^>]*>",
         "<meta\\b[^>]*\\bname\\s*=\\s*[\"']?generator\\b[^>]*>"}));
    const QString keptBody =
        unlessBlank(withoutAll(contentOf(previousPage, QStringLiteral("body")), {"<bgsound\\b[^>]*>(?:\\s*</bgsound\\s*>)?(?:\\s*<audio\\b[^>]*>\\s*</audio\\s*>)?",
                                     "</bgsound\\s*>"}));

    return QStringLiteral("<HTML><HEAD><TITLE>") + properties.title + QStringLiteral("</TITLE>\r\n")
        + QStringLiteral("<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">\r\n")
        + QStringLiteral("<META content=\"MSHTML 6.00.2900.6058\"name=GENERATOR>") + keptHead
        + QStringLiteral("</HEAD>\r\n") + QStringLiteral("<BODY bgcolor=\"") + ColourToHtml(properties.background)
        + QStringLiteral("\" background=\"") + properties.image + QStringLiteral("\"><bgsound balance=0 src=\"")
        + properties.sound + QStringLiteral("\" volume=0 >") + soundForToday(properties.sound) + keptBody + QStringLiteral("</BODY></HTML>");
}

} // namespace insert
