#include "insert/Images.h"

#include "insert/TextHelpers.h"

namespace insert {

const QStringList &ImageWrapCaptions()
{
    static const QStringList captions{QStringLiteral("左对齐"),   QStringLiteral("居中"),
                                      QStringLiteral("右对齐"),   QStringLiteral("顶部对齐"),
                                      QStringLiteral("中间对齐"), QStringLiteral("底部对齐")};
    return captions;
}

const QStringList &ImageEffectCaptions()
{
    static const QStringList captions{
        QStringLiteral("无"),       QStringLiteral("半透明"),   QStringLiteral("线性模糊"),
        QStringLiteral("放射模糊"), QStringLiteral("风动模糊"), QStringLiteral("正弦波纹"),
        QStringLiteral("黑白照片"), QStringLiteral("垂直翻转"), QStringLiteral("左右翻转"),
        QStringLiteral("X光照片"),  QStringLiteral("底片")};
    return captions;
}

QString ImageAlign(int index)
{
    static const char *const values[] = {"left", "center", "right", "top", "middle"};
    return index >= 0 && index < 5 ? QString::fromLatin1(values[index]) : QStringLiteral("bottom");
}

namespace {

// Each effect: the old filter, and what today's browsers draw for it.
struct Effect {
    const char *filter;
    const char *style;
};
const Effect kEffects[] = {
    {" ", ""},
    {"Alpha(Opacity=50)", "opacity:0.5;"},
    {"Alpha(Opacity=0, FinishOpacity=100, Style=1, StartX=0, StartY=0, FinishX=100, FinishY=140)",
     "-webkit-mask-image:linear-gradient(145deg,transparent,#000);mask-image:linear-gradient(145deg,transparent,#000);"},
    {"Alpha(Opacity=10, FinishOpacity=100, Style=2, StartX=30, StartY=30, FinishX=200, FinishY=200)",
     "-webkit-mask-image:radial-gradient(rgba(0,0,0,0.1),#000);mask-image:radial-gradient(rgba(0,0,0,0.1),#000);"},
    {"blur(add=true,direction=45,strength=30)", "filter:url(#zelvo-effect-wind);"},
    {"Wave(Add=0, Freq=60, LightStrength=1, Phase=0, Strength=3)", "filter:url(#zelvo-effect-wave);"},
    {"gray", "filter:grayscale(1);"},
    {"flipv", "transform:scaleY(-1);"},
    {"fliph", "transform:scaleX(-1);"},
    {"xray", "filter:grayscale(1) invert(1);"},
    {"invert", "filter:invert(1);"}};

const Effect &effectAt(int index)
{
    constexpr int count = int(sizeof kEffects / sizeof kEffects[0]);
    return kEffects[index >= 0 && index < count ? index : count - 1];
}

} // namespace

QString ImageFilter(int index)
{
    return QString::fromLatin1(effectAt(index).filter);
}

QString ImageEffectStyle(int index)
{
    return QString::fromLatin1(effectAt(index).style);
}

QString ImageEffectFilters(int index)
{
    // Drawn off the page, without a box of their own.
    const QString holder = QStringLiteral(
        "<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\">%1</svg>");
    if (index == 4) // the wind: a blurred copy trailing down and left, the picture over it
        return holder.arg(QStringLiteral(
            "<filter id=\"zelvo-effect-wind\"><feGaussianBlur stdDeviation=\"5\"/><feOffset dx=\"-8\" dy=\"8\"/>"
            "<feMerge><feMergeNode/><feMergeNode in=\"SourceGraphic\"/></feMerge></filter>"));
    if (index == 5) // ripples: the picture moved to and fro by horizontal waves
        return holder.arg(QStringLiteral(
            "<filter id=\"zelvo-effect-wave\"><feTurbulence type=\"fractalNoise\" baseFrequency=\"0 0.05\" "
            "numOctaves=\"1\" seed=\"3\"/><feDisplacementMap in=\"SourceGraphic\" scale=\"24\" "
            "xChannelSelector=\"R\" yChannelSelector=\"G\"/></filter>"));
    return {};
}

BuildResult BuildImage(const ImageFields &fields)
{
    if (fields.path.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入图片地址！"));
    if (fields.width.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入图片宽度！"));
    if (fields.height.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入图片高度！"));

    const bool bordered = NumberFromField(fields.border) > 0.0000001;
    QString fragment = QStringLiteral("<IMG style=\"");
    if (bordered)
        fragment += QStringLiteral("BORDER-COLOR:") + ColourToHtml(fields.borderColour) + QLatin1Char(';');
    // Today's browsers take the first filter and skip the old one, which
    // they cannot read; the old readers take the last.
    fragment += ImageEffectStyle(fields.effectIndex) + QStringLiteral("FILTER:") + ImageFilter(fields.effectIndex) + QStringLiteral(";WIDTH:")
        + fields.width + QStringLiteral("px;HEIGHT:") + fields.height + QStringLiteral("px;\"");
    if (!fields.altText.isEmpty())
        fragment += QStringLiteral(" alt=") + fields.altText;
    fragment += QStringLiteral(" src=\"") + fields.path + QStringLiteral("\" align=")
        + ImageAlign(fields.wrapIndex);
    if (bordered)
        fragment += QStringLiteral(" border=") + fields.border;
    fragment += QLatin1Char('>') + ImageEffectFilters(fields.effectIndex);
    return BuildResult::insert(fragment);
}

} // namespace insert
