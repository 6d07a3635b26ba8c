#include "insert/FrameDialog.h"

#include "insert/Insertion.h"
#include "ui/DialogHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace insert {

FrameDialog::FrameDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, FrameDialogCaption, QSize(310, 191))
{
    setInserter(std::move(inserter));
    const FrameFields defaults;
    FieldForm form(this);
    form.form()->setVerticalSpacing(4);
    m_source = form.edit(QStringLiteral("编辑框1"), QStringLiteral("框架源文件地址："), defaults.source);
    m_width = form.edit(QStringLiteral("编辑框2"), QStringLiteral("宽度："), defaults.width);
    m_height = form.edit(QStringLiteral("编辑框3"), QStringLiteral("高度："), defaults.height);
    m_align = form.list(QStringLiteral("组合框1"), QStringLiteral("对齐方式："),
                        {QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    m_align->setCurrentIndex(defaults.alignIndex);
    m_scrolling = form.check(QStringLiteral("选择框1"), QStringLiteral("允许滚动条"), defaults.scrolling);
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildResult::insert(BuildFrame(fields())); });
}

FrameFields FrameDialog::fields() const
{
    FrameFields values;
    values.source = m_source->text();
    values.width = m_width->text();
    values.height = m_height->text();
    values.alignIndex = m_align->currentIndex();
    values.scrolling = m_scrolling->isChecked();
    return values;
}

QDialog *OpenFrameDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(FrameDialogCaption, [view](QWidget *parent) {
        return new FrameDialog(parent, InserterFor(view));
    });
}

} // namespace insert
