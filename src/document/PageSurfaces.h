#pragma once
// The two views as the page's life sees them. The controller decides from
// these alone, so its decisions can be tried without a browser engine or an
// editor component; the adapters for the real views are below.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace engine {
class EngineView;
}
namespace codeview {
class CodeEditor;
}

namespace document {

// The design view: the master copy of the page.
class DesignSurface {
public:
    virtual ~DesignSurface() = default;
    // Replaces the page; relative addresses resolve against baseFolder when
    // it is given. False when the view did not take it.
    virtual bool writePage(const QString &text, const QString &baseFolder) = 0;
    // Relative addresses resolve against another folder from now on; the
    // page stays as it is, caret and history included.
    virtual bool setBaseFolder(const QString &folder) = 0;
    // The whole page as text.
    virtual QString readPage() = 0;
    // A number that moves on whenever the page's content changes (typing,
    // formatting, insertion, writing) and stays put otherwise: an unchanged
    // number means an unchanged reading.
    virtual quint64 changeCount() = 0;
    // Gives the page the keyboard focus, so that typing goes in at its caret.
    virtual void focusPage() = 0;
    // The addresses the page holds, each once; and every place of each of
    // from rewritten to the one at the same place in to, as one step the
    // user can undo (the number of places changed).
    virtual QStringList addresses() = 0;
    virtual int rewriteAddresses(const QStringList &from, const QStringList &to) = 0;
    // Takes back the last step.
    virtual bool undo() = 0;
};

// The code view: the second copy, as source text.
class CodeSurface {
public:
    virtual ~CodeSurface() = default;
    virtual QString text() const = 0;
    // Replaces the whole text as one step the user can undo.
    virtual void replaceText(const QString &text) = 0;
    // Replaces the whole text as a newly loaded document: no undo history.
    virtual void loadText(const QString &text) = 0;
    // Whether the text may differ from what it was when last marked.
    virtual bool isModified() const = 0;
    virtual void markUnmodified() = 0;
};

std::unique_ptr<DesignSurface> surfaceFor(engine::EngineView &view);
std::unique_ptr<CodeSurface> surfaceFor(codeview::CodeEditor &editor);

} // namespace document
