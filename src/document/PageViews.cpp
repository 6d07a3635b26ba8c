#include "document/PageViews.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>

#include <utility>

namespace document {

namespace {
constexpr int kDesignPage = 0;
constexpr int kCodePage = 1;
} // namespace

PageViews::PageViews(DesignSurface &design, CodeSurface &code, QTabWidget &tabs)
    : m_design(design), m_code(code), m_tabs(tabs)
{
}

const QString &PageViews::designText()
{
    // The count is taken first: whatever changes after it shows at the next reading.
    const quint64 count = m_design.changeCount();
    if (!m_designKnown || count != m_designCount) {
        m_designText = m_design.readPage();
        m_designCount = count;
        m_designKnown = true;
    }
    return m_designText;
}

bool PageViews::writeDesign(const QString &text)
{
    return m_design.writePage(text, folder());
}

bool PageViews::writeDesign(const QString &text, const QString &folder)
{
    return m_design.writePage(text, folder);
}

QString PageViews::folder() const
{
    return m_folder.isEmpty() ? QDir::homePath() : m_folder;
}

void PageViews::setFileFolder(const QString &path)
{
    m_folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

void PageViews::followSavedFile(const QString &path)
{
    moveToFolder(QFileInfo(path).absolutePath());
}

void PageViews::moveToFolder(const QString &folder)
{
    if (folder == this->folder())
        return;
    m_folder = folder;
    m_design.setBaseFolder(folder);
}

const QString &PageViews::codeText()
{
    if (m_unfilledCode)
        return *m_unfilledCode;
    if (!m_codeKnown || m_code.isModified())
        codeNowHolds(m_code.text());
    return m_codeText;
}

void PageViews::codeNowHolds(const QString &text)
{
    m_codeText = text;
    m_code.markUnmodified();
    m_codeKnown = true;
}

void PageViews::loadCode(const QString &text)
{
    m_codeFilled = text;
    m_unfilledCode = text;
    if (codeShown())
        fillCode();
}

void PageViews::fillCode()
{
    // Filling the editor with a page of megabytes takes a while, and most
    // pages opened are never looked at as code: it waits until it is shown.
    if (!m_unfilledCode)
        return;
    const QString text = *std::exchange(m_unfilledCode, std::nullopt);
    m_code.loadText(text);
    codeNowHolds(text);
}

bool PageViews::codeShown() const
{
    return m_tabs.currentIndex() == kCodePage;
}

void PageViews::showCode()
{
    if (m_tabs.currentIndex() != kDesignPage)
        return;
    fillCode();
    if (designText() != codeText()) {
        m_code.replaceText(m_designText); // one undoable step; the clipboard is left alone
        codeNowHolds(m_designText);
        m_codeFilled = m_designText;
    }
    m_tabs.setCurrentIndex(kCodePage);
}

void PageViews::showDesign()
{
    if (m_tabs.currentIndex() != kCodePage)
        return;
    fillCode();
    // Not read back here: the page is read when it is next needed (a save,
    // the code view), after whatever the user types in between.
    if (designText() != codeText())
        m_design.writePage(m_codeText, folder());
    m_codeFilled = m_codeText; // the design view has it now
    m_design.focusPage();      // while hidden: the page need not be laid out for it
    m_tabs.setCurrentIndex(kDesignPage);
}

void PageViews::bringForward(bool codeView)
{
    if (!codeView)
        m_design.focusPage();
    m_tabs.setCurrentIndex(codeView ? kCodePage : kDesignPage);
    if (codeView)
        fillCode();
}

} // namespace document
