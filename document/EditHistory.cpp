#include "document/EditHistory.h"

void EditHistory::clear() {
    m_steps.clear();
    m_index = 0;
    m_cleanIndex = 0;
}

void EditHistory::push(Step step) {
    m_steps.resize(static_cast<size_t>(m_index));
    // The saved state lay among the dropped redo steps: no undo reaches it again.
    if (m_cleanIndex > m_index)
        m_cleanIndex = kUnreachable;
    m_steps.push_back(std::move(step));
    ++m_index;
    if (count() > kMaxSteps) {
        m_steps.erase(m_steps.begin());
        --m_index;
        if (m_cleanIndex != kUnreachable)
            --m_cleanIndex; // the clean state at 0 becomes unreachable (-1)
    }
}

const EditHistory::Step* EditHistory::undoStep() const {
    return canUndo() ? &m_steps[static_cast<size_t>(m_index - 1)] : nullptr;
}

const EditHistory::Step* EditHistory::redoStep() const {
    return canRedo() ? &m_steps[static_cast<size_t>(m_index)] : nullptr;
}

const EditHistory::Step* EditHistory::undo() {
    const Step* step = undoStep();
    if (step)
        --m_index;
    return step;
}

const EditHistory::Step* EditHistory::redo() {
    const Step* step = redoStep();
    if (step)
        ++m_index;
    return step;
}
