#pragma once
// Labelled controls placed in a grid, for dialogs that put several fields on
// one row or split them into group boxes. Like FieldForm, every control gets
// its object name and a spoken name (its label without the colon), and its
// label is its buddy.
#include <QString>
#include <QStringList>

class QComboBox;
class QFormLayout;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {
class ColourPicker;
}

namespace insert {

class GridForm {
public:
    // Lays out the controls of parent in grid (already installed in a
    // layout of parent or parent's own).
    GridForm(QWidget *parent, QGridLayout *grid);

    // The label goes at (row, column), the control right of it over span columns.
    QLineEdit *edit(const QString &name, const QString &label, int row, int column,
                    const QString &text = QString(), int span = 1);
    // A drop-down list of fixed items with the first one selected.
    QComboBox *list(const QString &name, const QString &label, const QStringList &items, int row,
                    int column, int span = 1);
    ui::ColourPicker *colour(const QString &name, const QString &label, int colour, int row, int column);
    void place(QWidget *control, const QString &name, const QString &label, int row, int column,
               int span = 1);

    // A button that takes no default role, not placed in the grid.
    QPushButton *button(const QString &name, const QString &caption) const;
    // A "浏览" button as narrow as its caption, not placed in the grid.
    QPushButton *browseButton(const QString &name) const;

    QGridLayout *grid() const { return m_grid; }

private:
    QWidget *m_parent;
    QGridLayout *m_grid;
};

// A path field with its "浏览" button beside it, added as one row of a form
// on page. The field and the button get their names; returns the field.
QLineEdit *AddPathRow(QFormLayout *form, QWidget *page, const QString &fieldName, const QString &label,
                      const QString &buttonName, QPushButton **browse);

// A label's text as a screen reader says it: without its trailing colon.
QString SpokenLabel(const QString &label);

} // namespace insert
