#include "insert/InsertDialog.h"

#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace insert {

InsertDialog::InsertDialog(QWidget *owner, const QString &caption, const QSize &size)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(caption);
    setWindowTitle(caption);
    setAccessibleName(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    setFixedSize(size);
}

void InsertDialog::bindConfirm(QAbstractButton *button, Builder builder)
{
    m_confirmButtons.append(button);
    connect(button, &QAbstractButton::clicked, this,
            [this, builder = std::move(builder)] { runBuilder(builder); });
}

void InsertDialog::bindCancel(QAbstractButton *button)
{
    connect(button, &QAbstractButton::clicked, this, &QWidget::close);
}

QAbstractButton *InsertDialog::enterButton() const
{
    // Enter on a focused button presses that button, as Space does; check
    // boxes and radio buttons are choices, not commands, and leave Enter to
    // the confirm button.
    auto *focused = qobject_cast<QAbstractButton *>(focusWidget());
    if (focused && !focused->isCheckable() && focused->isVisible() && focused->isEnabled())
        return focused;
    for (const QPointer<QAbstractButton> &button : m_confirmButtons)
        if (button && button->isVisible() && button->isEnabled())
            return button;
    return nullptr;
}

void InsertDialog::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (QAbstractButton *button = enterButton()) {
            button->click();
            return;
        }
    } else if (plain && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool InsertDialog::runBuilder(const Builder &builder)
{
    // Inserting may wait on the engine in a local event loop; a second click
    // on a confirm button meanwhile must not insert twice.
    if (m_running)
        return false;
    m_running = true;
    QPointer<InsertDialog> self(this);

    const BuildResult result = builder ? builder() : BuildResult::close();
    switch (result.action()) {
    case BuildResult::Action::Insert: {
        // The inserter is copied: the dialog may be gone when it returns.
        const Inserter inserter = m_inserter;
        if (inserter)
            inserter(result.fragment());
        if (!self)
            return true;
        emit fragmentInserted(result.fragment());
        break;
    }
    case BuildResult::Action::Refuse:
        ui::showInformation(this, result.message());
        if (self)
            m_running = false;
        return !self;
    case BuildResult::Action::RefuseAndClose:
        ui::showInformation(this, result.message());
        if (!self)
            return true;
        break;
    case BuildResult::Action::Close:
        break;
    }
    if (self) {
        m_running = false;
        close();
    }
    return true;
}


namespace {

// A label's text read aloud without its trailing colon.
QString spokenLabel(const QString &label)
{
    QString spoken = label;
    while (spoken.endsWith(QChar(0xFF1A)) || spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    return spoken.isEmpty() ? label : spoken;
}

} // namespace

FieldForm::FieldForm(QWidget *page) : m_page(page)
{
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(6);
    m_form = new QFormLayout;
    m_form->setSpacing(5);
    m_form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    column->addLayout(m_form);
    column->addStretch(1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    column->addLayout(m_buttons);
}

void FieldForm::addRow(QWidget *control, const QString &name, const QString &label)
{
    ui::nameControl(control, name, spokenLabel(label));
    auto *caption = new QLabel(label, m_page);
    caption->setBuddy(control);
    m_form->addRow(caption, control);
}

QLineEdit *FieldForm::edit(const QString &name, const QString &label, const QString &text)
{
    auto *field = new QLineEdit(text, m_page);
    addRow(field, name, label);
    return field;
}

ui::ColourPicker *FieldForm::colour(const QString &name, const QString &label, int colour)
{
    auto *picker = new ui::ColourPicker(m_page);
    picker->setColour(colour);
    addRow(picker, name, label);
    return picker;
}

QComboBox *FieldForm::list(const QString &name, const QString &label, const QStringList &items)
{
    auto *box = new QComboBox(m_page);
    box->addItems(items);
    box->setCurrentIndex(items.isEmpty() ? -1 : 0);
    addRow(box, name, label);
    return box;
}

QCheckBox *FieldForm::check(const QString &name, const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, m_page);
    box->setChecked(checked);
    ui::nameControl(box, name, caption);
    m_form->addRow(box);
    return box;
}

QPushButton *FieldForm::button(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, m_page);
    button->setAutoDefault(false);
    ui::nameControl(button, name, caption);
    m_buttons->addWidget(button);
    m_buttons->addStretch(1);
    return button;
}

void FieldForm::confirmAndCancel(InsertDialog *dialog, const QString &confirmName,
                                 const QString &cancelName, Builder builder)
{
    QPushButton *confirm = button(confirmName, QStringLiteral("确定"));
    QPushButton *cancel = button(cancelName, QStringLiteral("取消"));
    dialog->bindConfirm(confirm, std::move(builder));
    dialog->bindCancel(cancel);
}

} // namespace insert
