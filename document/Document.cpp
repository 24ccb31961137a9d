#include "Document.h"

#include <QUndoStack>

#include <utility>

namespace document {

Document::Document(const QUndoStack& stack, QObject* parent) : QObject(parent), m_stack(stack) {
    // every step done or undone may leave the file's scheme or come back to it
    connect(&stack, &QUndoStack::indexChanged, this, &Document::changed);
}

bool Document::isModified() const {
    return !m_state.path.isEmpty() && !isSavedHere();
}

bool Document::isSavedHere() const {
    return m_state.savedIndex == m_stack.index();
}

void Document::setSaved(const QString& path) {
    m_state = State{path, m_stack.index()};
    emit changed();
}

void Document::forgetUndoneSave() {
    if (m_state.savedIndex > m_stack.index())
        m_state.savedIndex = -1;
}

void Document::swap(State& held) {
    std::swap(held, m_state);
}

} // namespace document
