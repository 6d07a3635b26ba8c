#pragma once
// The dialog "JavaScript": the page "插入脚本" inserts the typed text, the
// page "引用脚本" a reference to a script file.
#include "insert/InsertDialog.h"
#include "insert/Scripts.h"

class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace engine {
class EngineView;
}

namespace insert {

inline const QString ScriptDialogCaption = QStringLiteral("JavaScript");
inline const QString ScriptFileFilter = QStringLiteral("Java脚本(*.js)|*.js");

class ScriptDialog : public InsertDialog {
    Q_OBJECT
public:
    ScriptDialog(QWidget *owner, Inserter inserter);

    QTabWidget *pages() const { return m_pages; }
    // "浏览": a chosen file becomes the path; cancelling keeps it.
    void chooseScriptFile();

private:
    QTabWidget *m_pages = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QLineEdit *m_path = nullptr;
};

// Opens the dialog owned by owner (the main window), inserting into view.
QDialog *OpenScriptDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
