// The Edit menu's commands on the control that has the focus: the platform's own edit actions of
// text fields and report panes, and a copy in a form of its own for a page's lists.
#pragma once

class QWidget;

enum class EditCommand { Undo, Cut, Copy, Paste, SelectAll };

// A window whose controls copy in a form of their own (a list of registers as settings-file
// lines, say); the Edit menu asks the focused control's nearest such ancestor first.
class ICopySource {
public:
    virtual ~ICopySource() = default;
    // True when control belongs to this window and copies in its own form.
    virtual bool CopiesFrom(const QWidget* control) const = 0;
    // Puts what control shows (its selection, or all of it when nothing is selected) on the
    // clipboard.
    virtual void CopyFrom(QWidget* control) = 0;
};

// Whether command would do something on focus (the focused control; none gives false).
bool CanEdit(const QWidget* focus, EditCommand command);
// Carries command out on focus; nothing where CanEdit says no. A read-only text pane copies all
// of its text when nothing is selected.
void DoEdit(QWidget* focus, EditCommand command);
