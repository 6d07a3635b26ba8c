#include "insert/Insertion.h"

#include "ui/DialogHost.h"
#include "engine/EngineView.h"
#include "insert/ButtonDialog.h"
#include "insert/GroupBoxDialog.h"
#include "insert/SimpleElements.h"

#include <QDateTime>
#include <QPointer>

namespace insert {

bool InsertFragment(engine::EngineView &view, const QString &fragment)
{
    return view.PasteHtml(fragment);
}

Inserter InserterFor(engine::EngineView *view)
{
    QPointer<engine::EngineView> target(view);
    return [target](const QString &fragment) {
        return target ? InsertFragment(*target, fragment) : false;
    };
}

void InsertHorizontalRule(engine::EngineView &view)
{
    InsertFragment(view, HorizontalRuleFragment);
}

void InsertTextBox(engine::EngineView &view)
{
    InsertFragment(view, TextBoxFragment);
}

void InsertTextArea(engine::EngineView &view)
{
    InsertFragment(view, TextAreaFragment);
}

void InsertCheckBox(engine::EngineView &view)
{
    InsertFragment(view, CheckBoxFragment);
}

void InsertRadioButton(engine::EngineView &view)
{
    InsertFragment(view, RadioButtonFragment);
}

void InsertLabel(engine::EngineView &view)
{
    InsertFragment(view, LabelFragment);
}

void InsertDateLabel(engine::EngineView &view)
{
    InsertFragment(view, DateLabel(QDate::currentDate()));
}

void InsertTimeLabel(engine::EngineView &view)
{
    InsertFragment(view, TimeLabel(QTime::currentTime()));
}

QDialog *OpenButtonDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(ButtonDialogCaption, [view](QWidget *parent) {
        return new ButtonDialog(parent, InserterFor(view));
    });
}

QDialog *OpenGroupBoxDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(GroupBoxDialogCaption, [view](QWidget *parent) {
        return new GroupBoxDialog(parent, InserterFor(view));
    });
}

} // namespace insert
