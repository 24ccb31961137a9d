#include "SchemeHistory.h"

#include <QDateTime>
#include <QUndoCommand>

#include <utility>

namespace history {

namespace {

constexpr qint64 kMergeMilliseconds = 1000;

/// A step: the model before and after it.
class SchemeStep final : public QUndoCommand {
public:
    SchemeStep(scheme::SchemeModel& model, scheme::SchemeModel::Snapshot before,
               scheme::SchemeModel::Snapshot after, const QString& text, Merge merge)
        : QUndoCommand(text), m_model(model), m_before(std::move(before)),
          m_after(std::move(after)), m_merge(merge), m_when(QDateTime::currentMSecsSinceEpoch()) {}

    void undo() override { m_model.restore(m_before); }
    void redo() override {
        // the change itself made the model so when the step was pushed
        if (m_done)
            m_model.restore(m_after);
        m_done = true;
    }
    int id() const override { return static_cast<int>(m_merge); }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const SchemeStep*>(other);
        if (next->m_when - m_when > kMergeMilliseconds)
            return false;
        m_after = next->m_after;
        m_when = next->m_when;
        setText(next->text());
        // a drag that ends where it began leaves nothing to undo
        setObsolete(m_after == m_before);
        return true;
    }

private:
    scheme::SchemeModel& m_model;
    scheme::SchemeModel::Snapshot m_before;
    scheme::SchemeModel::Snapshot m_after;
    Merge m_merge;
    qint64 m_when;
    bool m_done = false;
};

} // namespace

SchemeHistory::SchemeHistory(scheme::SchemeModel& model, QObject* parent)
    : QObject(parent), m_model(model) {}

void SchemeHistory::record(const std::function<void()>& change,
                           const std::function<QString()>& describe, Merge merge) {
    scheme::SchemeModel::Snapshot before = m_model.snapshot();
    change();
    if (m_model.snapshot() == before)
        return;
    m_stack.push(new SchemeStep(m_model, std::move(before), m_model.snapshot(), describe(), merge));
}

} // namespace history
