#pragma once
// Glow text: a span drawn with the engine's glow filter, as wide as its text.
#include "insert/BuildResult.h"

#include <QString>
#include <QtGlobal>

namespace insert {

// The dialog "插入发光字"; the initial values are the dialog's defaults.
struct GlowTextFields {
    QString text;                           // 编辑框1
    quint32 colour = 0x0000FF;              // 颜色选择器1, red
    QString strength = QStringLiteral("3"); // 编辑框2
};
// No field is required; the span is 7pt wide per byte of the text in the
// page's code page (a Chinese character counts two).
QString BuildGlowText(const GlowTextFields &fields);

} // namespace insert
