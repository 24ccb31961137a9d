#pragma once

#include <QObject>
#include <QString>

class QUndoStack;

namespace document {

/// The scheme document shown: its file, and at which place in the history's stack the scheme
/// was last written to it. The stack's own clean index cannot hold it: undoing the opening of
/// a file returns to the document before it, whose save may lie at an earlier step than the
/// one the stack stands at, and a stack is only ever made clean where it stands.
class Document : public QObject {
    Q_OBJECT
public:
    /// A document as the history holds it: its file (empty before one was opened or saved)
    /// and the stack's index at which the file was last written (-1 when that state is gone).
    struct State {
        QString path;
        int savedIndex = -1;
    };

    explicit Document(const QUndoStack& stack, QObject* parent = nullptr);

    /// The document's file; empty before one was opened or saved.
    const QString& path() const { return m_state.path; }
    /// Whether there is a document whose file holds another scheme than the one shown.
    bool isModified() const;
    /// Whether the scheme as the stack stands now is the one last written to the file.
    bool isSavedHere() const;
    /// The scheme as the stack stands now is the document at path, as saved.
    void setSaved(const QString& path);
    /// The document's file was written with the scheme as it stands now.
    void markSaved() { setSaved(m_state.path); }
    /// A step is about to go on where the stack stands, dropping the steps undone: a save made
    /// at one of them is gone with it.
    void forgetUndoneSave();
    /// Swaps the document with held: the opening of a file, done or undone, takes the one it
    /// holds and keeps the other, a save made meanwhile staying with its document.
    void swap(State& held);

signals:
    /// The document, or whether it is modified, may have changed.
    void changed();

private:
    const QUndoStack& m_stack;
    State m_state;
};

} // namespace document
