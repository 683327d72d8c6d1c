// Undo and redo in the main window: the two entries and buttons, the steps of
// the design surface's own drags and keys, and the window following a
// restored label. The steps themselves are model/labelundo.h's.

#include "app/fmain.h"

#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "canvas/canvaslabel.h"
#include "model/labelundo.h"
#include "storage/document.h"

#include <QAction>
#include <QToolButton>
#include <QUndoStack>

QUndoStack *TFMain::UndoStack() const
{
    return Document ? &Document->Undo() : nullptr;
}

void TFMain::ConnectUndo()
{
    QUndoStack *stack = UndoStack();
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(stack, &QUndoStack::indexChanged, this, [this] {
        RefreshUndoActions();
        // Every step is a change for the crash copy, not only the first.
        DocumentStateChanged();
    });
    connect(stack, &QUndoStack::cleanChanged, this, [this] { RefreshUndoActions(); });
    Document->UndoTarget().OnRestored = [this] { AfterUndoStep(); };
    pBCSettings->SetUndo(stack, &Document->UndoTarget());
    Surface->OnItemEditStart = [this](TLabelControl *item) { SurfaceEditStart(item); };
    Surface->OnItemEditEnd = [this](TLabelControl *item, bool repeat) { SurfaceEditEnd(item, repeat); };
    RefreshUndoActions();
}

void TFMain::RefreshUndoActions()
{
    const QUndoStack *stack = UndoStack();
    if (!stack || !Undo1)
        return;
    const QString undo = stack->canUndo() ? tr("撤销 %1(&U)").arg(stack->undoText()) : tr("撤销(&U)");
    const QString redo = stack->canRedo() ? tr("重做 %1(&R)").arg(stack->redoText()) : tr("重做(&R)");
    Undo1->setText(undo);
    Undo1->setEnabled(stack->canUndo());
    Redo1->setText(redo);
    Redo1->setEnabled(stack->canRedo());
    auto plain = [](QString s) {
        return s.remove(QStringLiteral("(&U)")).remove(QStringLiteral("(&R)")).remove(u'&');
    };
    sbUndo->setToolTip(plain(undo));
    sbUndo->setEnabled(stack->canUndo());
    sbRedo->setToolTip(plain(redo));
    sbRedo->setEnabled(stack->canRedo());
}

void TFMain::Undo1Click()
{
    // Not in the middle of a drag: its step is not recorded yet.
    if (Surface->DragMode != 0)
        return;
    surfaceEdit_.reset();
    if (QUndoStack *stack = UndoStack())
        stack->undo();
}

void TFMain::Redo1Click()
{
    if (Surface->DragMode != 0)
        return;
    surfaceEdit_.reset();
    if (QUndoStack *stack = UndoStack())
        stack->redo();
}

void TFMain::AfterUndoStep()
{
    // The label format may have changed with the step.
    SizeSurfaceFromFormat();
    pbHRuler->update();
    pbVRuler->update();
    SurfaceSelectItem(Surface->SelectedItem);
    Surface->update();
}

void TFMain::SurfaceEditStart(TLabelControl *item)
{
    QList<TLabelControl *> items = Surface->EditedItems();
    if (item && !items.contains(item))
        items.append(item);
    surfaceEdit_ = items.isEmpty() ? nullptr : std::make_unique<TItemsEdit>(Document->UndoTarget(), items);
}

void TFMain::SurfaceEditEnd(TLabelControl *, bool repeat)
{
    std::unique_ptr<TItemsEdit> edit = std::move(surfaceEdit_);
    if (!edit)
        return;
    // Keys held down on one item make one step; each drag makes its own.
    const bool key = Surface->DragMode == 0;
    const QString name = edit->SizeChanged() ? tr("调整大小") : tr("移动");
    edit->Commit(UndoStack(), name, key ? TItemEdit::Keys : TItemEdit::Alone, key && repeat);
}

QString TFMain::FormatStepName(TFormat format)
{
    switch (format) {
    case TFormat::HorzAlign: return tr("水平排列");
    case TFormat::VertAlign: return tr("垂直排列");
    case TFormat::Attach: return tr("附加到");
    case TFormat::Rotate: return tr("旋转");
    case TFormat::AutoSize: return tr("自动调整大小以适应");
    case TFormat::Transparent: return tr("透明");
    case TFormat::Flip: return tr("翻转");
    case TFormat::None: break;
    }
    return {};
}
