#include "insert/GlowTextDialog.h"

#include "insert/Insertion.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"

#include <QLineEdit>

namespace insert {

GlowTextDialog::GlowTextDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, GlowTextDialogCaption, QSize(343, 181))
{
    setInserter(std::move(inserter));
    const GlowTextFields defaults;
    FieldForm form(this);
    m_text = form.edit(QStringLiteral("编辑框1"), QStringLiteral("发光内容："), defaults.text);
    m_colour = form.colour(QStringLiteral("颜色选择器1"), QStringLiteral("发光颜色："), int(defaults.colour));
    m_strength = form.edit(QStringLiteral("编辑框2"), QStringLiteral("发光强度："), defaults.strength);
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildResult::insert(BuildGlowText(fields())); });
}

GlowTextFields GlowTextDialog::fields() const
{
    GlowTextFields values;
    values.text = m_text->text();
    values.colour = quint32(m_colour->colour());
    values.strength = m_strength->text();
    return values;
}

QString GlowTextDesignSheet()
{
    const QString rule = QStringLiteral(
        "span[style*=\"glow(color=%1\" i] { text-shadow: 0 0 2px %2, 0 0 4px %2, 0 0 6px %2; }\n");
    QString css = rule.arg(QString(), QStringLiteral("#808080"));
    for (const ui::NamedColour &colour : ui::standardColours()) {
        const QString name = colour.colour.name().toUpper();
        css += rule.arg(name, name);
    }
    return css;
}

QDialog *OpenGlowTextDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(GlowTextDialogCaption, [view](QWidget *parent) {
        return new GlowTextDialog(parent, InserterFor(view));
    });
}

} // namespace insert
