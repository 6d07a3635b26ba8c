#pragma once
// The page's two views as the page's life sees them: the design view, the
// master copy, and the code view, a second copy filled when it is shown.
// Each view's text is held here once, read again only when the view changed
// since it was last read; the switches between the views copy a text across
// only when the two differ.
#include "document/PageSurfaces.h"

#include <QString>
#include <optional>

class QTabWidget;

namespace document {

class PageViews {
public:
    // tabs holds the design view on page 0 and the code view on page 1.
    PageViews(DesignSurface &design, CodeSurface &code, QTabWidget &tabs);

    // The design view's page as text, and the number that moves on whenever it changes.
    const QString &designText();
    quint64 designChangeCount() { return m_design.changeCount(); }
    // Replaces the design view's page; its relative addresses resolve
    // against folder(), or the given folder.
    bool writeDesign(const QString &text);
    bool writeDesign(const QString &text, const QString &folder);
    // The folder the page's relative addresses resolve against: that of the
    // file last opened, created or saved to; the home folder before any.
    QString folder() const;
    // The page's file is now path: its folder is used from the next write.
    void setFileFolder(const QString &path);
    // The page was saved to path: its pictures show as seen from there at
    // once, without the page being written again.
    void followSavedFile(const QString &path);
    // The same for a folder.
    void moveToFolder(const QString &folder);
    // Typing goes into the design view's page.
    void focusDesign() { m_design.focusPage(); }

    // The code view's text, also while it waits to be shown.
    const QString &codeText();
    // The code view is to hold text as a newly loaded document (no undo
    // history); a hidden code view takes it when it is shown.
    void loadCode(const QString &text);
    // The code view holds edits the design view does not have.
    bool codeHasOwnEdits() { return codeText() != m_codeFilled; }
    // What the code view was given, or last gave the design view.
    const QString &codeGiven() const { return m_codeFilled; }
    void setCodeGiven(const QString &text) { m_codeFilled = text; }

    bool codeShown() const;
    // 查看 › 代码: the design view's text into the code view as one step the
    // user can undo, when the two differ; then the code view in front.
    void showCode();
    // 查看 › 设计: the code view's text into the design view when the two
    // differ; then the design view in front, with the keyboard.
    void showDesign();
    // One view in front as it is, without copying a text across (a
    // recovered page whose code view had edits of its own).
    void bringForward(bool codeView);

    DesignSurface &design() { return m_design; }
    CodeSurface &code() { return m_code; }

private:
    void fillCode();
    void codeNowHolds(const QString &text);

    DesignSurface &m_design;
    CodeSurface &m_code;
    QTabWidget &m_tabs;
    QString m_folder;
    // The design view's page as of this change count.
    QString m_designText;
    bool m_designKnown = false;
    quint64 m_designCount = 0;
    // The code view's text, while the editor reports it unmodified.
    QString m_codeText;
    bool m_codeKnown = false;
    // The text the code view takes when it is next shown.
    std::optional<QString> m_unfilledCode;
    // What the code view was last given, or last gave the design view: it
    // holds edits of its own while its text differs from this.
    QString m_codeFilled;
};

} // namespace document
