#pragma once
// The picture of the dialog "插入图片": size, border, text wrap, a visual
// filter and the alt text.
#include "insert/BuildResult.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace insert {

// Where an image dialog inserts (the program's imageTarget): the scrolling
// text dialog's own editing view, or the main page view.
enum class ImageTarget { MarqueeView = 0, MainPage = 1 };

// The dialog's values; the initial values are its defaults.
struct ImageFields {
    QString path;                       // 编辑框_图片位置, required
    QString width;                      // 编辑框_图片宽度, required
    QString height;                     // 编辑框_图片高度, required
    QString border = QStringLiteral("0"); // 编辑框_边框粗细, read as a number
    quint32 borderColour = 0x000000;    // 颜色选择器_边框颜色
    int wrapIndex = 0;                  // 组合框_文本环绕
    int effectIndex = 0;                // 组合框_特殊效果
    QString altText;                    // 编辑框_提示文本
};

// The captions of the two lists, in their order.
const QStringList &ImageWrapCaptions();
const QStringList &ImageEffectCaptions();
// The align value: left, center, right, top, middle; any other index bottom.
QString ImageAlign(int index);
// The filter text of an effect; " " for "无", the last one for an index
// beyond the list.
QString ImageFilter(int index);

// What today's browsers draw for an effect: CSS written before the old
// filter ("" for "无"), and for the two effects CSS cannot say, the SVG
// filter it refers to, placed after the picture.
QString ImageEffectStyle(int index);
QString ImageEffectFilters(int index);

// Checks path, width and height in that order; a border read as a number
// greater than 0.0000001 makes the bordered form. Alt text, align and
// border are written unquoted.
BuildResult BuildImage(const ImageFields &fields);

} // namespace insert
