#include "insert/GroupBoxDialog.h"

#include "ui/ColourPicker.h"

#include <QComboBox>
#include <QLineEdit>

namespace insert {

GroupBoxDialog::GroupBoxDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, GroupBoxDialogCaption, QSize(190, 254))
{
    setInserter(std::move(inserter));
    const GroupBoxFields defaults;
    FieldForm form(this);
    m_width = form.edit(QStringLiteral("编辑框1"), QStringLiteral("宽度："), defaults.width);
    m_height = form.edit(QStringLiteral("编辑框2"), QStringLiteral("高度："), defaults.height);
    m_align = form.list(QStringLiteral("组合框1"), QStringLiteral("标题对齐："),
                        {QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    m_align->setCurrentIndex(defaults.alignIndex);
    m_border = form.colour(QStringLiteral("颜色选择器2"), QStringLiteral("边框颜色："), int(defaults.borderColour));
    m_back = form.colour(QStringLiteral("颜色选择器1"), QStringLiteral("背景颜色："), int(defaults.backColour));
    m_title = form.edit(QStringLiteral("编辑框3"), QStringLiteral("标题："), defaults.title);
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildResult::insert(BuildGroupBox(fields())); });
}

GroupBoxFields GroupBoxDialog::fields() const
{
    GroupBoxFields values;
    values.width = m_width->text();
    values.height = m_height->text();
    values.alignIndex = m_align->currentIndex();
    values.borderColour = quint32(m_border->colour());
    values.backColour = quint32(m_back->colour());
    values.title = m_title->text();
    return values;
}

} // namespace insert
