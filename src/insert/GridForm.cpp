#include "insert/GridForm.h"

#include "ui/ColourPicker.h"
#include "ui/Naming.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace insert {

QString SpokenLabel(const QString &label)
{
    QString spoken = label;
    while (spoken.endsWith(QChar(0xFF1A)) || spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    return spoken.isEmpty() ? label : spoken;
}

GridForm::GridForm(QWidget *parent, QGridLayout *grid) : m_parent(parent), m_grid(grid)
{
}

void GridForm::place(QWidget *control, const QString &name, const QString &label, int row,
                     int column, int span)
{
    ui::nameControl(control, name, SpokenLabel(label));
    auto *caption = new QLabel(label, m_parent);
    caption->setBuddy(control);
    m_grid->addWidget(caption, row, column, Qt::AlignRight | Qt::AlignVCenter);
    m_grid->addWidget(control, row, column + 1, 1, span);
}

QLineEdit *GridForm::edit(const QString &name, const QString &label, int row, int column,
                          const QString &text, int span)
{
    auto *field = new QLineEdit(text, m_parent);
    place(field, name, label, row, column, span);
    return field;
}

QComboBox *GridForm::list(const QString &name, const QString &label, const QStringList &items,
                          int row, int column, int span)
{
    auto *box = new QComboBox(m_parent);
    box->addItems(items);
    box->setCurrentIndex(items.isEmpty() ? -1 : 0);
    place(box, name, label, row, column, span);
    return box;
}

ui::ColourPicker *GridForm::colour(const QString &name, const QString &label, int colour, int row,
                                   int column)
{
    auto *picker = new ui::ColourPicker(m_parent);
    picker->setColour(colour);
    picker->setMinimumWidth(picker->sizeHint().width());
    picker->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    place(picker, name, label, row, column);
    return picker;
}

QPushButton *GridForm::button(const QString &name, const QString &caption) const
{
    auto *button = new QPushButton(caption, m_parent);
    button->setAutoDefault(false);
    ui::nameControl(button, name, caption);
    return button;
}

QPushButton *GridForm::browseButton(const QString &name) const
{
    QPushButton *browse = button(name, QStringLiteral("浏览"));
    // As narrow as its caption, leaving the room to the path field.
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance(browse->text()) + 24);
    return browse;
}

QLineEdit *AddPathRow(QFormLayout *form, QWidget *page, const QString &fieldName, const QString &label,
                      const QString &buttonName, QPushButton **browse)
{
    auto *row = new QWidget(page);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto *field = new QLineEdit(row);
    ui::nameControl(field, fieldName, SpokenLabel(label));
    auto *button = new QPushButton(QStringLiteral("浏览"), row);
    button->setAutoDefault(false);
    ui::nameControl(button, buttonName, QStringLiteral("浏览"));
    layout->addWidget(field, 1);
    layout->addWidget(button);
    auto *caption = new QLabel(label, page);
    caption->setBuddy(field);
    form->addRow(caption, row);
    if (browse)
        *browse = button;
    return field;
}

} // namespace insert
