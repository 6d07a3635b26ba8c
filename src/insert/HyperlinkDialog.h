#pragma once
// The dialog "超级链接": link text, address and where the link opens.
#include "insert/Hyperlinks.h"
#include "insert/InsertDialog.h"

class QComboBox;
class QLineEdit;

namespace engine {
class EngineView;
}

namespace insert {

inline const QString HyperlinkDialogCaption = QStringLiteral("超级链接");
// The two places a link opens in, by list index.
inline const QStringList LinkTargetCaptions{QStringLiteral("自身窗口"), QStringLiteral("新窗口")};

class HyperlinkDialog : public InsertDialog {
    Q_OBJECT
public:
    HyperlinkDialog(QWidget *owner, Inserter inserter);

    // The dialog's values as they stand.
    HyperlinkFields fields() const;

private:
    QLineEdit *m_text = nullptr;
    QLineEdit *m_address = nullptr;
    QComboBox *m_target = nullptr;
};

// Opens the dialog owned by owner (the main window), inserting into view.
QDialog *OpenHyperlinkDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
