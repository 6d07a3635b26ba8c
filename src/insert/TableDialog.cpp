#include "insert/TableDialog.h"

#include "insert/GridForm.h"
#include "insert/Insertion.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace insert {

namespace {

QGridLayout *groupGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(4);
    return grid;
}

} // namespace

TableDialog::TableDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, TableDialogCaption, QSize(381, 288))
{
    setInserter(std::move(inserter));
    const TableFields defaults;
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->setSpacing(6);
    auto *groups = new QHBoxLayout;
    groups->setSpacing(6);
    column->addLayout(groups);

    auto *size = new QGroupBox(QStringLiteral("表格大小"), this);
    size->setAccessibleName(size->title());
    GridForm left(size, groupGrid(size));
    m_rows = left.edit(QStringLiteral("编辑框_行数"), QStringLiteral("行数："), 0, 0, defaults.rows);
    m_columns = left.edit(QStringLiteral("编辑框_列数"), QStringLiteral("列数："), 1, 0, defaults.columns);
    m_width = left.edit(QStringLiteral("编辑框_宽度"), QStringLiteral("宽度："), 2, 0, defaults.width);
    m_height = left.edit(QStringLiteral("编辑框_高度"), QStringLiteral("高度："), 3, 0, defaults.height);
    m_padding = left.edit(QStringLiteral("编辑框_边距"), QStringLiteral("边距："), 4, 0, defaults.padding);
    m_spacing = left.edit(QStringLiteral("编辑框_间距"), QStringLiteral("间距："), 5, 0, defaults.spacing);
    m_border = left.edit(QStringLiteral("编辑框_粗细"), QStringLiteral("粗细："), 6, 0, defaults.border);
    groups->addWidget(size, 2);

    auto *effect = new QGroupBox(QStringLiteral("表格效果"), this);
    effect->setAccessibleName(effect->title());
    GridForm right(effect, groupGrid(effect));
    m_collapse = right.list(QStringLiteral("组合框_边框效果"), QStringLiteral("边框效果："),
                            {QStringLiteral("合并"), QStringLiteral("分开")}, 0, 0, 2);
    m_borderColour = right.colour(QStringLiteral("颜色选择器_边框颜色"), QStringLiteral("边框颜色："),
                                  int(defaults.borderColour), 1, 0);
    m_backColour = right.colour(QStringLiteral("颜色选择器_背景颜色"), QStringLiteral("背景颜色："),
                                int(defaults.backColour), 2, 0);
    m_backgroundImage = right.edit(QStringLiteral("编辑框_背景图片"), QStringLiteral("背景图片："), 3, 0,
                                   defaults.backgroundImage);
    QPushButton *browse = right.browseButton(QStringLiteral("按钮_浏览"));
    right.grid()->addWidget(browse, 3, 2);
    connect(browse, &QPushButton::clicked, this, &TableDialog::chooseBackgroundImage);
    m_horizontal = right.list(QStringLiteral("组合框_水平对齐"), QStringLiteral("内容水平对齐："),
                              {QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")},
                              4, 0, 2);
    m_vertical = right.list(QStringLiteral("组合框_垂直对齐"), QStringLiteral("内容垂直对齐："),
                            {QStringLiteral("顶部"), QStringLiteral("中间"), QStringLiteral("底部")},
                            5, 0, 2);
    right.grid()->setColumnStretch(1, 1);
    groups->addWidget(effect, 4);

    // The opening selections: "合并", "居中", "中间".
    m_collapse->setCurrentIndex(defaults.collapseIndex);
    m_horizontal->setCurrentIndex(defaults.horizontalIndex);
    m_vertical->setCurrentIndex(defaults.verticalIndex);

    auto *buttons = new QHBoxLayout;
    column->addStretch(1);
    column->addLayout(buttons);
    QPushButton *confirm = right.button(QStringLiteral("按钮_确定"), QStringLiteral("确定"));
    QPushButton *cancel = right.button(QStringLiteral("按钮_取消"), QStringLiteral("取消"));
    confirm->setParent(this);
    cancel->setParent(this);
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    bindConfirm(confirm, [this] { return BuildTable(fields()); });
    bindCancel(cancel);
}

TableFields TableDialog::fields() const
{
    TableFields values;
    values.rows = m_rows->text();
    values.columns = m_columns->text();
    values.width = m_width->text();
    values.height = m_height->text();
    values.padding = m_padding->text();
    values.spacing = m_spacing->text();
    values.border = m_border->text();
    values.collapseIndex = m_collapse->currentIndex();
    values.borderColour = quint32(m_borderColour->colour());
    values.backColour = quint32(m_backColour->colour());
    values.backgroundImage = m_backgroundImage->text();
    values.horizontalIndex = m_horizontal->currentIndex();
    values.verticalIndex = m_vertical->currentIndex();
    return values;
}

void TableDialog::chooseBackgroundImage()
{
    const QString path = ui::prompter().openFileName(this, {TablePictureFilter, QString(), QString(), QString()});
    if (!path.isEmpty())
        m_backgroundImage->setText(path);
}

QDialog *OpenTableDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(TableDialogCaption, [view](QWidget *parent) {
        return new TableDialog(parent, InserterFor(view));
    });
}

} // namespace insert
