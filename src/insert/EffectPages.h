#pragma once
// The effect pages: three complete demonstration pages, each with its own
// script, that replace the page in the design view.
#include <QString>

namespace insert {

enum class EffectPage {
    Carousel,      // 图片轮播: pictures taking turns every two seconds
    RolloverImage, // 鼠标经过图片: a picture swapped while the pointer is over it
    StarrySky      // 星空特效: stars flying out of the middle of a black page
};

// The page's whole text. Its pictures travel inside it, so the effect shows
// in a preview without a network.
QString EffectPageText(EffectPage page);

} // namespace insert
