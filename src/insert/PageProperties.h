#pragma once
// Page properties: the title, background sound and background picture read
// from a page, and the new page written from them with a background colour.
#include <QString>
#include <QtGlobal>

namespace insert {

// The dialog "页面属性"; the colour starts white, the rest from the page.
struct PageProperties {
    QString title;               // 编辑框_网页标题
    QString sound;               // 编辑框_背景音乐
    QString image;               // 编辑框_背景图片
    quint32 background = 0xFFFFFF; // 颜色选择器1
};

// What a page says: the text between <TITLE> and </TITLE>; the src value
// written in double quotes in the first background sound element; the
// background value written in double quotes in the body tag. Tag and
// attribute names in any case; empty when the page has none.
QString PageTitle(const QString &page);
QString PageBackgroundSound(const QString &page);
QString PageBackgroundImage(const QString &page);
// All three; the background colour stays white.
PageProperties ReadPageProperties(const QString &page);

// The new page: a fixed head with the title, the content type (gb2312) and
// the generator, and a body with the colour, the picture and a background
// sound element. Values go in as typed. What the previous page holds beyond
// those (its body's content, and its head's elements other than the title,
// content type and generator) is kept in the new page, after the sound
// element and before the head's end; a previous page without such content
// gives the fixed page alone.
QString BuildPropertiesPage(const PageProperties &properties, const QString &previousPage = QString());

} // namespace insert
