#pragma once
// The scrolling text of the dialog "插入滚动字幕": what lies between the
// body tags of the dialog's own editing view, with its formatting, inside a
// marquee.
#include "insert/BuildResult.h"

#include <QString>

namespace insert {

inline const QString MarqueeEmptyMessage = QStringLiteral("请输入滚动字幕的内容！");

// The content between the first "<BODY>" and the first "</BODY>" after it,
// found regardless of case; a body tag with attributes yields no content.
QString MarqueeContent(const QString &page);
// One-way scrolling makes a marquee without attributes, back-and-forth
// scrolling behavior=alternate. No content refuses with MarqueeEmptyMessage.
BuildResult BuildMarquee(const QString &page, bool backAndForth);

} // namespace insert
