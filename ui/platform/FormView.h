// Form views built from a control template table, with dialog data exchange and control colours.
#pragma once

#include "DialogUnits.h"
#include "WizardMessage.h"

#include <QColor>
#include <QScrollArea>
#include <QString>
#include <QWidget>
#include <map>
#include <set>
#include <span>
#include <utility>
#include <vector>

class QAbstractButton;
class QLineEdit;

enum class CtlKind {
    Static,      // QLabel
    Edit,        // QLineEdit
    CheckBox,    // QCheckBox
    RadioButton, // QRadioButton; the form groups radio buttons itself
    ComboBox,    // QComboBox; the rectangle's height includes the drop-down list
    GroupBox,    // QGroupBox frame behind the controls it encloses
    RichEdit,    // read-only multi-line QTextEdit for reports
    ListView,    // QTableWidget in report mode with grid lines
};

// Style bits of a control template; a control without CtlHidden is visible.
enum CtlStyle : unsigned {
    CtlNone = 0,
    CtlHidden = 0x1,
    CtlDisabled = 0x2,
    CtlReadOnly = 0x4,
    CtlEditable = 0x8,   // combo box: the user may type into it
    CtlManual = 0x10,    // check box or radio button: a click does not change its state, the form
                         // sets it in its handler
    CtlAutoRadio = 0x20, // radio button: exclusive with its automatic sibling radio buttons
    CtlNoTabStop = 0x40, // not reached by the Tab key
    CtlVScroll = 0x80,   // rich edit: vertical scroll bar
};

struct ControlTemplate {
    int id;
    CtlKind kind;
    const char* caption; // Latin-1; "\n" breaks a static's line
    DlgRect rect;
    unsigned style;
};

struct DialogTemplate {
    int id;
    int cx; // dialog units
    int cy; // dialog units
    std::span<const ControlTemplate> controls;
};

// Control notifications delivered to CFormView::OnNotify.
enum class Notify {
    Changed,    // edit text changed, by the user or by the program
    SetFocus,   // the control gained the keyboard focus
    Clicked,    // check box or radio button clicked (mouse or keyboard)
    SelChange,  // combo box: the user chose a list item
    EditChange, // combo box: the user typed into its edit field
};

class CFormView;

// One data exchange: the direction and where reading stopped. A check reads the texts as a save
// would but writes no member and prompts nobody: it only finds the texts the save would refuse.
class CDataExchange {
public:
    CDataExchange(CFormView& form, bool bSaveAndValidate)
        : m_form(form), m_mode(bSaveAndValidate ? Mode::Save : Mode::Load) {}
    // A check of the text of control idOnly, or of every control when idOnly is 0.
    static CDataExchange Check(CFormView& form, int idOnly);

    CFormView& Form() const { return m_form; }
    // True when the exchange reads the controls (a save or a check).
    bool SaveAndValidate() const { return m_mode != Mode::Load; }
    bool Checking() const { return m_mode == Mode::Check; }
    // A save: the read has stopped. A check: the current field was refused.
    bool Failed() const { return m_bFailed; }
    // The control the last DDX_ call exchanged; DDV_ checks refer to it.
    int LastControl() const { return m_idLastControl; }
    // Starts the field of control id; false when the exchange passes it by (a save that has
    // stopped, or a check of another control).
    bool BeginField(int id);
    // False when the DDV_ check of the current field has nothing to do.
    bool BeginValidation() const;
    // A check keeps the number it read here, so that the DDV_ check sees it instead of the
    // member, which a check leaves as it is.
    void SetCheckedValue(double value) { m_dChecked = value; }
    double CheckedValue() const { return m_dChecked; }
    // Refuses the current field's text with prompt. A save stops there and the form answers
    // (a box now, or a mark while the user works in the form); a check notes the prompt and goes
    // on with the next field.
    void Refuse(const QString& prompt);
    // What a check found: each refused control with its prompt, in exchange order.
    const std::vector<std::pair<int, QString>>& Problems() const { return m_problems; }

private:
    enum class Mode { Load, Save, Check };
    CDataExchange(CFormView& form, Mode mode, int idOnly)
        : m_form(form), m_mode(mode), m_idOnly(idOnly) {}

    CFormView& m_form;
    Mode m_mode;
    int m_idOnly = 0; // a check of this control only; 0 checks them all
    bool m_bFailed = false;
    int m_idLastControl = 0;
    double m_dChecked = 0.0;
    std::vector<std::pair<int, QString>> m_problems;
};

// Shortest text of value with up to 15 significant digits ("44" for 44.0); never locale-dependent.
QString FormatDdxDouble(double value);
// Parses a whole text (surrounding blanks allowed) as a finite number or an int; false when the
// text is anything else. A whole number beyond the range of int reads as the nearest int, so that
// a range check refuses it as out of range however long it is. Never locale-dependent.
bool ParseDdxDouble(const QString& text, double& value);
bool ParseDdxInt(const QString& text, int& value);

// Member <-> control text. Reading a text that is not a number refuses it with "Enter a number."
// or "Enter an integer." and keeps the member.
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
// Member (0 or 1) <-> check box state.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// When reading, a value outside [min, max] is refused with "Enter a number between %1 and %2."
// or "Enter an integer between %1 and %2."; the member keeps the new value.
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double min, double max);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max);

// A form view: its controls come from a template table, placed in dialog units of the dialog
// font, and it scrolls when its window is smaller than the template. Control notifications arrive
// in OnNotify, except while a data exchange runs. Wizard messages arrive in OnWndMsg.
//
// A text the data exchange refuses is answered in two steps. While the user works in the form (an
// exchange run from a control notification or a wizard message) the edit gets a red frame and
// OnEditTextProblem tells the form, but no box interrupts the typing. The prompt box comes, with
// the focus back on the edit and its text selected, when the user leaves the edit (Tab, a click
// elsewhere) or presses Enter with the text still refused, and when CommitEdits is asked before
// saving. An exchange started outside the form's own handling prompts at once.
class CFormView : public CWndT<QScrollArea> {
public:
    CFormView(const DialogTemplate& dialog, QWidget* parent);

    // Framework call once the document is ready; the default moves the members into the controls.
    virtual void OnInitialUpdate();

    // Moves members into controls (false) or validates and reads controls into members (true);
    // returns false when a field failed.
    bool UpdateData(bool bSaveAndValidate = true);

    // The prompt the data exchange gives for the text of control id now; empty when it takes it.
    QString CheckControl(int id);
    // The first control, in exchange order, whose text is refused and that the user can reach
    // (shown and enabled within the form), or 0.
    int FirstBadEdit();
    // Before the document is saved: prompts for the first bad edit the user can reach, puts the
    // focus on it with its text selected and returns false; true when every such text is taken.
    bool CommitEdits();
    // True while the control carries the red frame of a refused text.
    bool IsMarkedBad(int id) const;

    QWidget* GetDlgItem(int id) const;
    template <class T> T* Item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // The id a control was created with, or 0 for a widget that is not one of them.
    int GetDlgCtrlID(const QWidget* control) const;

    void EnableDlgItem(int id, bool enable);
    void ShowDlgItem(int id, bool show);
    void CheckDlgButton(int id, bool check);
    bool IsDlgButtonChecked(int id) const;
    void SetDlgItemText(int id, const QString& text);
    QString GetDlgItemText(int id) const;
    // Selects the whole text of an edit (or of an editable combo box) and shows its caret.
    void SelectAllText(int id);

    // Re-applies OnCtlColor to the control and repaints it at once. From then on the control's
    // colours are asked for again each time the form is shown.
    void RedrawControl(int id);

    DialogBaseUnits BaseUnits() const { return m_base; }
    QSize sizeHint() const override;

    // True while UpdateData runs; notifications are dropped then.
    bool InDataExchange() const { return m_exchangeDepth > 0; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }
    virtual void OnNotify(int id, Notify code) {
        (void)id;
        (void)code;
    }
    // Asked before a control is repainted by RedrawControl: return true with the text and
    // background colours to use, false for the default colours.
    virtual bool OnCtlColor(int id, QColor& text, QColor& background) {
        (void)id;
        (void)text;
        (void)background;
        return false;
    }
    // Told when the text the user is typing into control id turns refused (prompt is what the
    // box would say) or is taken again (prompt is empty).
    virtual void OnEditTextProblem(int id, const QString& prompt) {
        (void)id;
        (void)prompt;
    }

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class CDataExchange;

    void ApplyColours(int id);
    QWidget* CreateControl(const ControlTemplate& control);
    void Deliver(int id, Notify code);
    // A save refused the text of control id: a box and the focus back now, or, while the user
    // works in the form, nothing more than the mark the text already carries.
    void OnExchangeFailed(int id, const QString& prompt);
    // Re-checks the text of control id and shows or clears its red frame.
    void UpdateBadText(int id);
    // The prompt box for a refused text of control id, then the focus back on it with its text
    // selected; false when the text is taken or the control cannot be reached.
    bool PromptBadText(int id, bool reachableInForm);
    // PromptBadText once the current event has been handled.
    void QueuePromptBadText(int id);
    void FocusAndSelect(int id);

    DialogBaseUnits m_base;
    QSize m_templateSize;
    QWidget* m_canvas; // holds the controls at their template positions; scrolled by the form
    std::map<int, QWidget*> m_controls;
    std::set<int> m_colouredControls;  // controls whose colours follow OnCtlColor
    std::map<int, QString> m_badTexts; // controls whose text is refused, with the prompt
    std::set<int> m_queuedPrompts;     // controls whose prompt waits for the current event
    int m_exchangeDepth = 0;
    int m_userWorkDepth = 0; // > 0 while a notification or wizard message is handled
};
