#include "session/EditSteps.h"

#include "editor/MatrixOps.h"
#include "session/EditingSession.h"

#include <utility>

namespace zelvik {

// --- FontImage

FontImage FontImage::of(const FontModel& font) {
    FontImage image;
    image.fontIdentifier = font.fontIdentifier;
    image.ySize = font.ySize;
    image.baseline = font.baseline;
    const CharSlot empty;
    for (int i = 0; i < kSlotCount; ++i) {
        if (font.slots[i] != empty)
            image.slots.emplace_back(i, font.slots[i]);
    }
    return image;
}

void FontImage::applyTo(FontModel& font) const {
    font.fontIdentifier = fontIdentifier;
    font.ySize = ySize;
    font.baseline = baseline;
    // Not resetSlots(): an image without the BlankSlot means it was erased.
    for (CharSlot& slot : font.slots)
        slot = CharSlot();
    for (const auto& [index, slot] : slots)
        font.slots[index] = slot;
}

// --- EditStep

EditStep::EditStep(EditingSession& session, const QString& text)
    : QUndoCommand(text), session_(session) {}

bool EditStep::firstRedo() {
    return std::exchange(done_, false);
}

FontModel& EditStep::font() {
    return session_.font_;
}

EditorState EditStep::editorNow() const {
    return session_.editorState();
}

void EditStep::restoreEditor(const EditorState& state, bool showCharacter) {
    session_.restoreEditor(state, showCharacter);
}

void EditStep::slotChanged(int index) {
    Q_EMIT session_.slotChanged(index);
}

void EditStep::fontReplaced() {
    Q_EMIT session_.fontViewRefreshed();
}

// --- PaintStep

PaintStep::PaintStep(EditingSession& session, EditorState before, int stroke, int pixel,
                     std::uint8_t value)
    : EditStep(session, QStringLiteral("Paint")), before_(std::move(before)), stroke_(stroke) {
    painted_.set(pixel);
    ink_.set(pixel, value == 1);
}

bool PaintStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const PaintStep*>(other);
    if (next->stroke_ != stroke_)
        return false;
    ink_ = (ink_ & ~next->painted_) | (next->ink_ & next->painted_);
    painted_ |= next->painted_;
    // A stroke that put every pixel back as it found it is no step.
    setObsolete(after() == before_);
    return true;
}

EditorState PaintStep::after() const {
    EditorState state = before_;
    for (int i = 0; i < kMatrixBytes; ++i) {
        if (painted_.test(i))
            state.working.pixels[i] = ink_.test(i) ? 1 : 0;
    }
    return state;
}

void PaintStep::undo() {
    restoreEditor(before_);
}

void PaintStep::redo() {
    if (!firstRedo())
        restoreEditor(after());
}

// --- MatrixStep

void applyMatrixEdit(MatrixEdit edit, PixelMatrix& pixels) {
    switch (edit) {
    case MatrixEdit::Clear:
        clearMatrix(pixels);
        break;
    case MatrixEdit::ShiftUp:
        shiftUp(pixels);
        break;
    case MatrixEdit::ShiftDown:
        shiftDown(pixels);
        break;
    case MatrixEdit::ShiftLeft:
        shiftLeft(pixels);
        break;
    case MatrixEdit::ShiftRight:
        shiftRight(pixels);
        break;
    }
}

namespace {

QString matrixEditText(MatrixEdit edit) {
    switch (edit) {
    case MatrixEdit::Clear:
        return QStringLiteral("Clear symbol");
    case MatrixEdit::ShiftUp:
        return QStringLiteral("Move up");
    case MatrixEdit::ShiftDown:
        return QStringLiteral("Move down");
    case MatrixEdit::ShiftLeft:
        return QStringLiteral("Move left");
    case MatrixEdit::ShiftRight:
        return QStringLiteral("Move right");
    }
    return {};
}

} // namespace

MatrixStep::MatrixStep(EditingSession& session, EditorState before, MatrixEdit edit)
    : EditStep(session, matrixEditText(edit)), before_(std::move(before)), edit_(edit) {}

void MatrixStep::undo() {
    restoreEditor(before_);
}

void MatrixStep::redo() {
    if (firstRedo())
        return;
    EditorState after = before_;
    applyMatrixEdit(edit_, after.working.pixels);
    restoreEditor(after);
}

// --- FieldStep

FieldStep::FieldStep(EditingSession& session, const QString& text, EditorState before,
                     const EditorState& after, int typingRun)
    : EditStep(session, text), before_(std::move(before)), xSize_(after.working.xSize),
      ySize_(after.ySize), baseline_(after.baseline), nameField_(after.nameField),
      identifierField_(after.identifierField), typingRun_(typingRun) {}

bool FieldStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const FieldStep*>(other);
    if (next->typingRun_ != typingRun_ || next->text() != text())
        return false;
    nameField_ = next->nameField_;
    identifierField_ = next->identifierField_;
    // Typed and rubbed out again: nothing to take back.
    setObsolete(after() == before_);
    return true;
}

EditorState FieldStep::after() const {
    EditorState state = before_;
    state.working.xSize = xSize_;
    state.ySize = ySize_;
    state.baseline = baseline_;
    state.nameField = nameField_;
    state.identifierField = identifierField_;
    return state;
}

void FieldStep::undo() {
    restoreEditor(before_);
}

void FieldStep::redo() {
    if (!firstRedo())
        restoreEditor(after());
}

// --- SlotStep

SlotStep::SlotStep(EditingSession& session, const QString& text, int index, CharSlot slotBefore,
                   std::string identifierBefore, EditorState before)
    : EditStep(session, text), index_(index), slotBefore_(std::move(slotBefore)),
      slotAfter_(font().slots[index]), identifierBefore_(std::move(identifierBefore)),
      identifierAfter_(font().fontIdentifier), before_(std::move(before)), after_(editorNow()) {}

void SlotStep::put(const CharSlot& slot, const std::string& identifier, const EditorState& editor) {
    font().slots[index_] = slot;
    font().fontIdentifier = identifier;
    restoreEditor(editor);
    slotChanged(index_);
}

void SlotStep::undo() {
    put(slotBefore_, identifierBefore_, before_);
}

void SlotStep::redo() {
    if (!firstRedo())
        put(slotAfter_, identifierAfter_, after_);
}

// --- FontStep

FontStep::FontStep(EditingSession& session, const QString& text, FontImage fontBefore,
                   EditorState before)
    : EditStep(session, text), fontBefore_(std::move(fontBefore)),
      fontAfter_(FontImage::of(font())), before_(std::move(before)), after_(editorNow()) {}

void FontStep::put(const FontImage& image, const EditorState& editor) {
    image.applyTo(font());
    // The list and the y-size first: the view's identifier field follows the
    // font there, and the editor's own texts are put back after it.
    fontReplaced();
    restoreEditor(editor, true);
}

void FontStep::undo() {
    put(fontBefore_, before_);
}

void FontStep::redo() {
    if (!firstRedo())
        put(fontAfter_, after_);
}

} // namespace zelvik
