#include "insert/HyperlinkDialog.h"

#include "insert/Insertion.h"
#include "ui/DialogHost.h"

#include <QComboBox>
#include <QLineEdit>

namespace insert {

HyperlinkDialog::HyperlinkDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, HyperlinkDialogCaption, QSize(373, 202))
{
    setInserter(std::move(inserter));
    const HyperlinkFields defaults;
    FieldForm form(this);
    m_text = form.edit(QStringLiteral("编辑框1"), QStringLiteral("链接名称："), defaults.text);
    m_address = form.edit(QStringLiteral("编辑框2"), QStringLiteral("链接地址："), defaults.address);
    m_target = form.list(QStringLiteral("组合框1"), QStringLiteral("打开方式："), LinkTargetCaptions);
    m_target->setCurrentIndex(defaults.targetIndex);
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildResult::insert(BuildHyperlink(fields())); });
}

HyperlinkFields HyperlinkDialog::fields() const
{
    return {m_text->text(), m_address->text(), m_target->currentIndex()};
}

QDialog *OpenHyperlinkDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(HyperlinkDialogCaption, [view](QWidget *parent) {
        return new HyperlinkDialog(parent, InserterFor(view));
    });
}

} // namespace insert
