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

QString ImageFilter(int index)
{
    static const char *const filters[] = {
        " ",
        "Alpha(Opacity=50)",
        "Alpha(Opacity=0, FinishOpacity=100, Style=1, StartX=0, StartY=0, FinishX=100, FinishY=140)",
        "Alpha(Opacity=10, FinishOpacity=100, Style=2, StartX=30, StartY=30, FinishX=200, FinishY=200)",
        "blur(add=true,direction=45,strength=30)",
        "Wave(Add=0, Freq=60, LightStrength=1, Phase=0, Strength=3)",
        "gray",
        "flipv",
        "fliph",
        "xray",
        "invert"};
    constexpr int count = int(sizeof filters / sizeof filters[0]);
    return QString::fromLatin1(filters[index >= 0 && index < count ? index : count - 1]);
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
    fragment += QStringLiteral("FILTER:") + ImageFilter(fields.effectIndex) + QStringLiteral(";WIDTH:")
        + fields.width + QStringLiteral("px;HEIGHT:") + fields.height + QStringLiteral("px;\"");
    if (!fields.altText.isEmpty())
        fragment += QStringLiteral(" alt=") + fields.altText;
    fragment += QStringLiteral(" src=\"") + fields.path + QStringLiteral("\" align=")
        + ImageAlign(fields.wrapIndex);
    if (bordered)
        fragment += QStringLiteral(" border=") + fields.border;
    fragment += QLatin1Char('>');
    return BuildResult::insert(fragment);
}

} // namespace insert
