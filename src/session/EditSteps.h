#pragma once

// The steps of the edit history. The session does each edit itself, with the
// questions and flags of the first run; a step only records it, so its first
// redo (which QUndoStack::push runs) does nothing. Later undos and redos put
// back whole states instead of replaying the edit: the editor as it was
// before and after, plus the slot or the font the step changed. They never
// depend on what the editor shows at the time, so a step taken back after the
// user moved to another character returns to its own.
//
// A step keeps only what it changed: a stroke keeps one character and which
// pixels it painted, a shift keeps one character and recomputes the move,
// and only a whole-font replacement keeps fonts.

#include "session/EditorState.h"

#include <QUndoCommand>

#include <bitset>
#include <cstdint>

namespace zelvik {

class EditingSession;

class EditStep : public QUndoCommand {
public:
    // Pixel steps of one stroke merge into the first, and so do the keys of
    // one typing in a field.
    static constexpr int kPaintId = 1;
    static constexpr int kTypingId = 2;

protected:
    EditStep(EditingSession& session, const QString& text);

    // True exactly once: on the redo that QUndoStack::push runs, when the
    // session has already done the edit.
    bool firstRedo();

    FontModel& font();
    EditorState editorNow() const;
    // `showCharacter`: the view shows the current character again even when
    // the code stays, because its slot or the whole font changed.
    void restoreEditor(const EditorState& state, bool showCharacter = false);
    void slotChanged(int index);
    void fontReplaced();

private:
    EditingSession& session_;
    bool done_ = true;
};

// One press-drag-release on the grid: the character before it and which
// pixels ended as ink or paper.
class PaintStep final : public EditStep {
public:
    PaintStep(EditingSession& session, EditorState before, int stroke, int pixel,
              std::uint8_t value);

    int id() const override { return kPaintId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    EditorState after() const;

    EditorState before_;
    int stroke_;
    std::bitset<kMatrixBytes> painted_;
    std::bitset<kMatrixBytes> ink_;
};

enum class MatrixEdit { Clear, ShiftUp, ShiftDown, ShiftLeft, ShiftRight };
void applyMatrixEdit(MatrixEdit edit, PixelMatrix& pixels);

// Clear symbol and the four shifts: the character before, and the edit, which
// gives the character after.
class MatrixStep final : public EditStep {
public:
    MatrixStep(EditingSession& session, EditorState before, MatrixEdit edit);

    void undo() override;
    void redo() override;

private:
    EditorState before_;
    MatrixEdit edit_;
};

// A change of the x-size, the y-size, the baseline or the text of the name
// or identifier field: the editor before, and the new values. Typing (`typingRun` 0 or
// more) merges with the step before it of the same field and run.
class FieldStep final : public EditStep {
public:
    FieldStep(EditingSession& session, const QString& text, EditorState before,
              const EditorState& after, int typingRun = -1);

    int id() const override { return typingRun_ >= 0 ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    EditorState after() const;

    EditorState before_;
    int xSize_;
    int ySize_;
    int baseline_;
    std::string nameField_;
    std::string identifierField_;
    int typingRun_;
};

// Save character and Erase character: one slot and the font identifier
// (which a save may take from its field), with the editor before and after.
class SlotStep final : public EditStep {
public:
    SlotStep(EditingSession& session, const QString& text, int index, CharSlot slotBefore,
             std::string identifierBefore, EditorState before);

    void undo() override;
    void redo() override;

private:
    void put(const CharSlot& slot, const std::string& identifier, const EditorState& editor);

    int index_;
    CharSlot slotBefore_;
    CharSlot slotAfter_;
    std::string identifierBefore_;
    std::string identifierAfter_;
    EditorState before_;
    EditorState after_;
};

// A whole font put in place of another (generated, imported).
class FontStep final : public EditStep {
public:
    FontStep(EditingSession& session, const QString& text, FontImage fontBefore,
             EditorState before);

    void undo() override;
    void redo() override;

private:
    void put(const FontImage& image, const EditorState& editor);

    FontImage fontBefore_;
    FontImage fontAfter_;
    EditorState before_;
    EditorState after_;
};

} // namespace zelvik
