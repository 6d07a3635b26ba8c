#pragma once
// Links: the text link of the dialog "超级链接" and the picture link of the
// page "图形按钮" of the dialog "插入按钮".
#include "insert/BuildResult.h"

#include <QString>

namespace insert {

// "_self" for list index 0, "_blank" otherwise.
QString LinkTarget(int index);

// The dialog "超级链接"; the initial values are its defaults.
struct HyperlinkFields {
    QString text;                            // 编辑框1
    QString address = QStringLiteral("http://"); // 编辑框2
    int targetIndex = 0;                     // 组合框1: 自身窗口, 新窗口
};
// No field is required: an empty text gives an anchor without text.
QString BuildHyperlink(const HyperlinkFields &fields);

// The page "图形按钮"; the initial values are its defaults.
struct PictureLinkFields {
    QString id;                                  // 编辑框_按钮ID, required, not written
    QString picture;                             // 编辑框_正常图片, required
    QString address = QStringLiteral("http://"); // 编辑框_链接地址, required
    QString tip;                                 // 编辑框_按钮提示, required
    int targetIndex = 0;                         // 组合框1: 自身窗口, 新窗口
};
// Checks the ID, the address, the tip and the picture, in that order.
BuildResult BuildPictureLink(const PictureLinkFields &fields);

} // namespace insert
