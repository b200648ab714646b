#pragma once
// The undo history of one document: labelled before/after copies of the whole image,
// the position between done and undone steps, and the position the last save left.
//
// A history of our own rather than QUndoStack: in Qt 6 the undo framework lives in
// QtGui, and the model (and with it the command-line tool) links Qt Core only. A step
// is two 1 KiB images, so whole-image snapshots are simpler than reversible commands
// and cannot drift from what was really changed.

#include "radio/RadioImage.h"

#include <QString>
#include <vector>

class EditHistory {
public:
    struct Step {
        QString label;
        RadioImage before;
        RadioImage after;
    };

    // The oldest steps are forgotten beyond this many (about 2 MB of images).
    static constexpr int kMaxSteps = 1000;

    // Forgets every step; the empty history is the clean state.
    void clear();

    // Records a step after the current position; steps undone until now are dropped.
    void push(Step step);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < static_cast<int>(m_steps.size()); }
    // The step the next undo or redo takes back or does again; nullptr when none.
    const Step* undoStep() const;
    const Step* redoStep() const;
    // Moves one step back or forward and returns that step (nullptr when none).
    const Step* undo();
    const Step* redo();

    // The current position is what the file holds (after a save, open or new).
    void markClean() { m_cleanIndex = m_index; }
    bool isClean() const { return m_index == m_cleanIndex; }

    int count() const { return static_cast<int>(m_steps.size()); }
    int index() const { return m_index; }

private:
    static constexpr int kUnreachable = -1;

    std::vector<Step> m_steps;
    int m_index = 0;      // steps [0, m_index) are done
    int m_cleanIndex = 0; // kUnreachable when the saved state was dropped from the history
};
