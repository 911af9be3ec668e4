// Edit commands routed to the focused text field, text pane or list, enabled by its state.
#include "EditCommands.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The edit field of an editable combo box takes the box's commands.
template <class Widget> Widget* TextFieldOf(Widget* focus) {
    if (const auto* combo = qobject_cast<const QComboBox*>(focus); combo && combo->lineEdit())
        return combo->lineEdit();
    return focus;
}

ICopySource* CopySourceOf(const QWidget* focus) {
    for (QWidget* window = focus != nullptr ? focus->parentWidget() : nullptr; window != nullptr;
         window = window->parentWidget()) {
        if (auto* source = dynamic_cast<ICopySource*>(window); source && source->CopiesFrom(focus))
            return source;
    }
    return nullptr;
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

bool CanEditLine(const QLineEdit& edit, EditCommand command) {
    // A password field never gives its text away.
    const bool shown = edit.echoMode() == QLineEdit::Normal;
    switch (command) {
    case EditCommand::Undo:
        return !edit.isReadOnly() && edit.isUndoAvailable();
    case EditCommand::Cut:
        return !edit.isReadOnly() && shown && edit.hasSelectedText();
    case EditCommand::Copy:
        return shown && edit.hasSelectedText();
    case EditCommand::Paste:
        return !edit.isReadOnly() && ClipboardHasText();
    case EditCommand::SelectAll:
        return !edit.text().isEmpty();
    }
    return false;
}

void EditLine(QLineEdit& edit, EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        edit.undo();
        break;
    case EditCommand::Cut:
        edit.cut();
        break;
    case EditCommand::Copy:
        edit.copy();
        break;
    case EditCommand::Paste:
        edit.paste();
        break;
    case EditCommand::SelectAll:
        edit.selectAll();
        break;
    }
}

// QTextEdit and QPlainTextEdit alike.
template <class Pane> bool CanEditPane(const Pane& pane, EditCommand command) {
    const bool selected = pane.textCursor().hasSelection();
    const bool empty = pane.document()->isEmpty();
    switch (command) {
    case EditCommand::Undo:
        return !pane.isReadOnly() && pane.document()->isUndoAvailable();
    case EditCommand::Cut:
        return !pane.isReadOnly() && selected;
    case EditCommand::Copy:
        // A report copies whole when nothing in it is selected.
        return selected || (pane.isReadOnly() && !empty);
    case EditCommand::Paste:
        return !pane.isReadOnly() && pane.canPaste();
    case EditCommand::SelectAll:
        return !empty;
    }
    return false;
}

template <class Pane> void EditPane(Pane& pane, EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        pane.undo();
        break;
    case EditCommand::Cut:
        pane.cut();
        break;
    case EditCommand::Copy:
        if (pane.textCursor().hasSelection())
            pane.copy();
        else
            QGuiApplication::clipboard()->setText(pane.toPlainText());
        break;
    case EditCommand::Paste:
        pane.paste();
        break;
    case EditCommand::SelectAll:
        pane.selectAll();
        break;
    }
}

bool CanSelectAllRows(const QAbstractItemView& list) {
    const auto mode = list.selectionMode();
    return list.model() != nullptr && list.model()->rowCount() > 0 &&
           (mode == QAbstractItemView::ExtendedSelection ||
            mode == QAbstractItemView::MultiSelection ||
            mode == QAbstractItemView::ContiguousSelection);
}

} // namespace

bool CanEdit(const QWidget* focus, EditCommand command) {
    if (focus == nullptr)
        return false;
    if (command == EditCommand::Copy && CopySourceOf(focus) != nullptr)
        return true;
    const QWidget* field = TextFieldOf(focus);
    if (const auto* edit = qobject_cast<const QLineEdit*>(field))
        return CanEditLine(*edit, command);
    if (const auto* pane = qobject_cast<const QTextEdit*>(field))
        return CanEditPane(*pane, command);
    if (const auto* pane = qobject_cast<const QPlainTextEdit*>(field))
        return CanEditPane(*pane, command);
    if (const auto* list = qobject_cast<const QAbstractItemView*>(field))
        return command == EditCommand::SelectAll && CanSelectAllRows(*list);
    return false;
}

void DoEdit(QWidget* focus, EditCommand command) {
    if (!CanEdit(focus, command))
        return;
    if (ICopySource* source = CopySourceOf(focus); command == EditCommand::Copy && source) {
        source->CopyFrom(focus);
        return;
    }
    QWidget* field = TextFieldOf(focus);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        EditLine(*edit, command);
    else if (auto* pane = qobject_cast<QTextEdit*>(field))
        EditPane(*pane, command);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        EditPane(*plain, command);
    else if (auto* list = qobject_cast<QAbstractItemView*>(field))
        list->selectAll();
}
