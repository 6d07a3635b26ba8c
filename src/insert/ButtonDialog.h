#pragma once
// The dialog "插入按钮": a tab control whose first page inserts an ordinary
// button. Further pages are added beside it.
#include "insert/InsertDialog.h"
#include "insert/SimpleElements.h"

class QLineEdit;
class QTabWidget;

namespace insert {

inline const QString ButtonDialogCaption = QStringLiteral("插入按钮");

class ButtonDialog : public InsertDialog {
    Q_OBJECT
public:
    ButtonDialog(QWidget *owner, Inserter inserter);

    QTabWidget *pages() const { return m_pages; }
    // Adds a page with its caption padded like the others'.
    QWidget *addPage(const QString &caption);

    // The values of the page "普通按钮" as they stand.
    ButtonFields plainButtonFields() const;

private:
    void addPlainButtonPage();

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_id = nullptr;
    QLineEdit *m_title = nullptr;
};

} // namespace insert
