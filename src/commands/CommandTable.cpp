#include "commands/CommandTable.h"

#include "text/Version.h"

namespace commands {

const char *const kAboutName = "名称：Zelvo网页编辑器";
QString aboutVersion()
{
    return QStringLiteral("版本：") + text::VersionLabel();
}
const char *const kAboutAuthor = "作者：Zelvo工作室";

MenuEntry MenuEntry::item(const QString &text, CommandId command)
{
    MenuEntry e;
    e.kind = Kind::Item;
    e.text = text;
    e.command = command;
    return e;
}

MenuEntry MenuEntry::separator()
{
    MenuEntry e;
    e.kind = Kind::Separator;
    return e;
}

MenuEntry MenuEntry::submenu(const QString &text, std::vector<MenuEntry> children)
{
    MenuEntry e;
    e.kind = Kind::Submenu;
    e.text = text;
    e.children = std::move(children);
    return e;
}

namespace {

using Id = CommandId;

MenuEntry I(const char *text, Id id) { return MenuEntry::item(QString::fromUtf8(text), id); }
MenuEntry S() { return MenuEntry::separator(); }
MenuEntry M(const char *text, std::vector<MenuEntry> children)
{
    return MenuEntry::submenu(QString::fromUtf8(text), std::move(children));
}

std::vector<MenuEntry> makeMenuBar()
{
    return {
        M("文件", {I("新建", Id::NewPage), I("打开", Id::OpenPage), S(),
                   I("保存", Id::SavePage), I("另存为", Id::SavePageAs), S(),
                   I("退出", Id::Exit)}),
        M("排版", {I("左对齐", Id::JustifyLeft), I("居中", Id::JustifyCenter),
                   I("右对齐", Id::JustifyRight), S(),
                   I("项目列表", Id::BulletedList), I("数字列表", Id::NumberedList)}),
        M("编辑", {I("撤销", Id::Undo), I("重做", Id::Redo), S(),
                   I("复制", Id::Copy), I("剪切", Id::Cut), I("粘贴", Id::Paste), S(),
                   I("全选", Id::SelectAll)}),
        M("插入",
          {I("图片", Id::InsertImage), S(),
           M("表单", {I("按钮", Id::InsertButton), I("超级链接", Id::InsertHyperlink),
                      I("表格", Id::InsertTable), I("横线", Id::InsertHorizontalRule),
                      I("文本框", Id::InsertTextBox), I("文本域", Id::InsertTextArea),
                      I("单选框", Id::InsertRadioButton), I("复选框", Id::InsertCheckBox),
                      I("分组框", Id::InsertGroupBox), I("标签", Id::InsertLabel)}),
           S(),
           M("多媒体", {I("Flash视频", Id::InsertFlash), I("Wmv视频", Id::InsertWmv)}),
           S(),
           I("网页框架", Id::InsertFrame), S(),
           M("特效类", {I("滚动字幕", Id::InsertMarquee), I("艺术字", Id::InsertWordArt),
                        I("发光字", Id::InsertGlowText)}),
           S(),
           I("Word文档", Id::ImportWord), I("Excel文档", Id::ImportExcel), S(),
           I("Java脚本", Id::InsertJavaScript), S(),
           I("日期标签", Id::InsertDateLabel), I("时间标签", Id::InsertTimeLabel)}),
        M("查看", {I("设计", Id::DesignView), S(), I("代码", Id::CodeView), S(),
                   I("预览", Id::Preview)}),
        M("帮助", {I("查看使用向导", Id::Tutorial), I("访问我们", Id::VisitWebSite)}),
        M("关于", {I(kAboutName, Id::None), MenuEntry::item(aboutVersion(), Id::None),
                   I(kAboutAuthor, Id::None)}),
    };
}

std::vector<MenuEntry> makeEffectsMenu()
{
    return {I("滚动字幕", Id::InsertMarquee),    I("艺术字字", Id::InsertWordArt),
            I("发光字", Id::InsertGlowText),     I("图片轮播", Id::EffectCarousel),
            I("鼠标经过图片", Id::EffectRolloverImage), I("星空特效", Id::EffectStarrySky)};
}

using K = ToolbarControl::Kind;

ToolbarControl C(K kind, const char *name, int x, int y, int w, int h, const char *tip, Id id,
                 const char *icon = nullptr)
{
    ToolbarControl c;
    c.kind = kind;
    c.name = QString::fromUtf8(name);
    c.geometry = QRect(x, y, w, h);
    c.tooltip = QString::fromUtf8(tip);
    c.command = id;
    if (icon)
        c.icon = QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(icon));
    return c;
}

ToolbarControl B(const char *name, int x, int y, int w, int h, const char *tip, Id id,
                 const char *icon)
{
    return C(K::Button, name, x, y, w, h, tip, id, icon);
}

std::vector<ToolbarControl> makeToolbar()
{
    return {
        B("按钮_粘贴", 11, 11, 35, 51, "粘贴", Id::Paste, "paste"),
        B("按钮_剪切", 48, 11, 21, 24, "剪切", Id::Cut, "cut"),
        B("按钮_复制", 48, 36, 21, 27, "复制", Id::Copy, "copy"),
        C(K::FontNameBox, "组合框_字体名称", 79, 12, 54, 20, "字体选择", Id::FontName),
        C(K::FontSizeBox, "组合框_字体大小", 139, 12, 54, 20, "字号选择", Id::FontSize),
        C(K::ColourPicker, "颜色选择器_字体颜色", 198, 12, 54, 20, "文字颜色", Id::TextColour),
        C(K::ColourPicker, "颜色选择器_字体背景色", 257, 12, 54, 20, "文字背景颜色",
          Id::TextBackColour),
        B("按钮_数字列表", 320, 10, 23, 23, "数字列表", Id::NumberedList, "numbered-list"),
        B("按钮_项目列表", 345, 10, 23, 23, "项目列表", Id::BulletedList, "bulleted-list"),
        B("按钮_减少缩进", 371, 10, 23, 23, "减少缩进", Id::Outdent, "outdent"),
        B("按钮_增加缩进", 397, 10, 23, 23, "增加缩进", Id::Indent, "indent"),
        B("按钮_图片", 429, 10, 23, 23, "插入图片", Id::InsertImage, "image"),
        B("按钮_超级链接", 454, 10, 23, 23, "插入超级链接", Id::InsertHyperlink, "hyperlink"),
        B("按钮_表格", 480, 10, 23, 23, "插入表格", Id::InsertTable, "table"),
        B("按钮_文本框", 506, 10, 23, 23, "插入文本框", Id::InsertTextBox, "text-box"),
        B("按钮_文本域", 532, 9, 25, 27, "插入文本域", Id::InsertTextArea, "text-area"),
        B("按钮_设计", 563, 10, 48, 23, "切换至设计窗口", Id::DesignView, "design-view"),
        B("按钮_预览", 619, 10, 48, 54, "效果预览", Id::Preview, "preview"),
        B("按钮_页面属性", 675, 9, 23, 23, "修改页面属性", Id::PageProperties, "page-properties"),
        B("按钮_取色", 700, 9, 23, 23, "取色", Id::ColourPickerTool, "eyedropper"),
        B("按钮_字幕", 726, 9, 23, 23, "插入滚动字幕", Id::InsertMarquee, "marquee"),
        B("按钮_网页框架", 752, 9, 23, 23, "插入网页框架", Id::InsertFrame, "frame"),
        B("按钮_标签", 777, 9, 25, 27, "插入标签", Id::InsertLabel, "label"),
        B("按钮_撤销", 77, 41, 23, 23, "撤销", Id::Undo, "undo"),
        B("按钮_重做", 102, 41, 23, 23, "重做", Id::Redo, "redo"),
        B("按钮_加粗", 133, 41, 23, 23, "加粗", Id::Bold, "bold"),
        B("按钮_倾斜", 158, 41, 23, 23, "斜体", Id::Italic, "italic"),
        B("按钮_下划线", 184, 41, 23, 23, "下划线", Id::Underline, "underline"),
        B("按钮_上标", 210, 41, 23, 23, "上标", Id::Superscript, "superscript"),
        B("按钮_下标", 236, 41, 23, 23, "下标", Id::Subscript, "subscript"),
        B("按钮_横线", 263, 41, 23, 23, "插入横线", Id::InsertHorizontalRule, "horizontal-rule"),
        B("按钮_删除线", 290, 41, 25, 27, "删除线", Id::StrikeThrough, "strikethrough"),
        B("按钮_左对齐", 319, 41, 23, 23, "左对齐", Id::JustifyLeft, "align-left"),
        B("按钮_居中对齐", 345, 41, 23, 23, "居中对齐", Id::JustifyCenter, "align-center"),
        B("按钮_右对齐", 371, 41, 23, 23, "右对齐", Id::JustifyRight, "align-right"),
        B("按钮_两端对齐", 398, 41, 23, 23, "两端对齐", Id::JustifyNone, "align-justify"),
        B("按钮_分组框", 429, 41, 23, 23, "插入分组框", Id::InsertGroupBox, "group-box"),
        B("按钮_按钮", 454, 41, 23, 23, "插入按钮", Id::InsertButton, "button"),
        B("按钮_单选框", 481, 41, 23, 23, "插入单选框", Id::InsertRadioButton, "radio"),
        B("按钮_复选框", 506, 41, 23, 23, "插入选择框", Id::InsertCheckBox, "checkbox"),
        B("按钮_视频", 532, 41, 23, 23, "插入多媒体视频", Id::InsertMultimedia, "video"),
        B("按钮_代码", 563, 41, 48, 23, "切换至代码窗口", Id::CodeView, "code-view"),
        B("按钮_艺术字", 675, 41, 23, 23, "插入艺术字", Id::InsertWordArt, "wordart"),
        B("按钮_发光字", 700, 41, 23, 23, "插入发光字", Id::InsertGlowText, "glow-text"),
        B("按钮_WORD", 726, 41, 23, 23, "导入WORD", Id::ImportWord, "word"),
        B("按钮_EXCEL", 752, 41, 23, 23, "导入EXCEL", Id::ImportExcel, "excel"),
        B("按钮_特效", 778, 40, 25, 27, "插入网页特效", Id::ShowEffectsMenu, "effects"),
    };
}

} // namespace

const std::vector<MenuEntry> &menuBarTable()
{
    static const std::vector<MenuEntry> table = makeMenuBar();
    return table;
}

const MenuEntry *menuBarMenu(const QString &title)
{
    for (const MenuEntry &menu : menuBarTable())
        if (menu.text == title)
            return &menu;
    return nullptr;
}

const std::vector<MenuEntry> &effectsMenuTable()
{
    static const std::vector<MenuEntry> table = makeEffectsMenu();
    return table;
}

const std::vector<ToolbarControl> &toolbarTable()
{
    static const std::vector<ToolbarControl> table = makeToolbar();
    return table;
}

const ToolbarControl *toolbarControl(const QString &name)
{
    for (const ToolbarControl &c : toolbarTable())
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace commands
