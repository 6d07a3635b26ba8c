#include "insert/ScriptDialog.h"

#include "insert/GridForm.h"
#include "insert/Insertion.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace insert {

ScriptDialog::ScriptDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, ScriptDialogCaption, QSize(372, 286))
{
    setInserter(std::move(inserter));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_pages = new QTabWidget(this);
    ui::nameControl(m_pages, QStringLiteral("选择夹1"), QStringLiteral("脚本方式"));
    layout->addWidget(m_pages);

    // "插入脚本": the text box under its label, the buttons below.
    auto *textPage = new QWidget(m_pages);
    textPage->setAccessibleName(QStringLiteral("插入脚本"));
    m_pages->addTab(textPage, QStringLiteral("插入脚本"));
    FieldForm textForm(textPage);
    textPage->layout()->setContentsMargins(2, 4, 2, 6);
    auto *label = new QLabel(QStringLiteral("脚本内容："), textPage);
    m_text = new QPlainTextEdit(textPage);
    ui::nameControl(m_text, QStringLiteral("编辑框1"), SpokenLabel(label->text()));
    m_text->setTabChangesFocus(true);
    label->setBuddy(m_text);
    textForm.form()->addRow(label);
    textForm.form()->addRow(m_text);
    textForm.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                              [this] { return BuildScriptText(m_text->toPlainText()); });

    // "引用脚本": the path with its "浏览" button.
    auto *referencePage = new QWidget(m_pages);
    referencePage->setAccessibleName(QStringLiteral("引用脚本"));
    m_pages->addTab(referencePage, QStringLiteral("引用脚本"));
    FieldForm referenceForm(referencePage);
    QPushButton *browse = nullptr;
    m_path = AddPathRow(referenceForm.form(), referencePage, QStringLiteral("编辑框2"), QStringLiteral("脚本路径："),
                        QStringLiteral("按钮3"), &browse);
    connect(browse, &QPushButton::clicked, this, &ScriptDialog::chooseScriptFile);
    referenceForm.confirmAndCancel(this, QStringLiteral("按钮4"), QStringLiteral("按钮5"),
                                   [this] { return BuildScriptReference(m_path->text()); });
    // Typing goes into the script's text, not to the page tabs.
    m_text->setFocus(Qt::OtherFocusReason);
}

void ScriptDialog::chooseScriptFile()
{
    const QString path = ui::prompter().openFileName(this, {ScriptFileFilter, QString(), QString(), QString()});
    if (!path.isEmpty())
        m_path->setText(path);
}

QDialog *OpenScriptDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(ScriptDialogCaption, [view](QWidget *parent) {
        return new ScriptDialog(parent, InserterFor(view));
    });
}

} // namespace insert
