#include "insert/ButtonDialog.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace insert {

ButtonDialog::ButtonDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, ButtonDialogCaption, QSize(374, 247))
{
    setInserter(std::move(inserter));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_pages = new QTabWidget(this);
    ui::nameControl(m_pages, QStringLiteral("新选择夹1"), QStringLiteral("按钮种类"));
    layout->addWidget(m_pages);
    addPlainButtonPage();
}

QWidget *ButtonDialog::addPage(const QString &caption)
{
    auto *page = new QWidget(m_pages);
    page->setAccessibleName(caption);
    m_pages->addTab(page, QStringLiteral("  ") + caption + QStringLiteral("  "));
    return page;
}

void ButtonDialog::addPlainButtonPage()
{
    FieldForm form(addPage(QStringLiteral("普通按钮")));
    m_id = form.edit(QStringLiteral("编辑框_按钮名称"), QStringLiteral("按钮ID："));
    m_title = form.edit(QStringLiteral("编辑框_按钮标题"), QStringLiteral("按钮标题："));
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildButton(plainButtonFields()); });
}

ButtonFields ButtonDialog::plainButtonFields() const
{
    return {m_id->text(), m_title->text()};
}

} // namespace insert
