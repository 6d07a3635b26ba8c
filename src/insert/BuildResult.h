#pragma once
// What an insertion builder decides, as plain values: the fragment to insert
// or the message that refuses it. Builders that only make HTML text include
// this and nothing of the widgets.
#include <QString>
#include <functional>

namespace insert {

// Puts a fragment into its target page; false when nothing could be inserted.
// Builders never act on the answer.
using Inserter = std::function<bool(const QString &fragment)>;

// What a confirm button's builder decided.
class BuildResult {
public:
    enum class Action {
        Insert,          // insert the fragment, then close
        Refuse,          // show the message, keep the dialog and its values
        RefuseAndClose,  // show the message, then close without inserting
        Close            // the builder did its own work; just close
    };

    static BuildResult insert(const QString &fragment) { return {Action::Insert, fragment}; }
    static BuildResult refuse(const QString &message) { return {Action::Refuse, message}; }
    static BuildResult refuseAndClose(const QString &message)
    {
        return {Action::RefuseAndClose, message};
    }
    static BuildResult close() { return {Action::Close, QString()}; }

    Action action() const { return m_action; }
    bool isInsert() const { return m_action == Action::Insert; }
    // The fragment for Insert, else empty.
    QString fragment() const { return m_action == Action::Insert ? m_text : QString(); }
    // The message for the two refusals, else empty.
    QString message() const
    {
        return (m_action == Action::Refuse || m_action == Action::RefuseAndClose) ? m_text
                                                                                  : QString();
    }

private:
    BuildResult(Action action, const QString &text) : m_action(action), m_text(text) {}
    Action m_action;
    QString m_text;
};

// A builder reads the dialog's controls at the moment it runs.
using Builder = std::function<BuildResult()>;

} // namespace insert
