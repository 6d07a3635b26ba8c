#pragma once
// The find bar at the bottom of the views: what to find, the options, what
// came of it, and, for replacing, a second row with the new text. It only
// asks; whoever owns it searches the view in front.
#include "text/FindText.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    // Shows the bar (with the replace row or without) with the keyboard in
    // the field, which takes text when it is not empty, all of it selected.
    void open(bool replacing, const QString &text);
    bool replacing() const;

    QString query() const;
    QString replacement() const;
    text::FindOptions options() const;
    // The regular expression option is offered only where it works.
    void setRegularExpressionsOffered(bool offered);
    void setStatus(const QString &status);

    QLineEdit *queryField() const { return m_query; }

signals:
    // The text or an option changed (as the user types).
    void queryChanged();
    void findRequested(bool backwards);
    void replaceRequested();
    void replaceAllRequested();
    // Escape or the close button: the keyboard goes back to the view.
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_query;
    QLineEdit *m_replacement;
    QCheckBox *m_case;
    QCheckBox *m_word;
    QCheckBox *m_regex;
    QLabel *m_status;
    QWidget *m_replaceRow;
    QLabel *m_replaceLabel;
};

} // namespace ui
