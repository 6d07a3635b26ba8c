#include "document/PageSurfaces.h"

#include "codeview/CodeEditor.h"
#include "engine/EngineView.h"

namespace document {

namespace {

class EngineSurface final : public DesignSurface {
public:
    explicit EngineSurface(engine::EngineView &view) : m_view(view) {}
    bool writePage(const QString &text, const QString &baseFolder) override
    {
        return m_view.WriteDocument(text, baseFolder);
    }
    bool setBaseFolder(const QString &folder) override { return m_view.setBaseFolder(folder); }
    QString readPage() override { return m_view.ReadDocument(); }
    quint64 changeCount() override { return m_view.changeCount(); }
    void focusPage() override { m_view.focusPage(); }
    QStringList addresses() override { return m_view.pageAddresses(); }
    int rewriteAddresses(const QStringList &from, const QStringList &to) override
    {
        return m_view.rewriteAddresses(from, to);
    }
    bool undo() override { return m_view.Undo(); }

private:
    engine::EngineView &m_view;
};

class EditorSurface final : public CodeSurface {
public:
    explicit EditorSurface(codeview::CodeEditor &editor) : m_editor(editor) {}
    QString text() const override { return m_editor.text(); }
    void replaceText(const QString &text) override { m_editor.replaceAllText(text); }
    void loadText(const QString &text) override { m_editor.loadText(text); }
    bool isModified() const override { return m_editor.isModified(); }
    void markUnmodified() override { m_editor.markUnmodified(); }

private:
    codeview::CodeEditor &m_editor;
};

} // namespace

std::unique_ptr<DesignSurface> surfaceFor(engine::EngineView &view)
{
    return std::make_unique<EngineSurface>(view);
}

std::unique_ptr<CodeSurface> surfaceFor(codeview::CodeEditor &editor)
{
    return std::make_unique<EditorSurface>(editor);
}

} // namespace document
