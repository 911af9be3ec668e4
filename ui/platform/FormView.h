// Form views built from a control template table, with dialog data exchange and control colours.
#pragma once

#include "DialogUnits.h"
#include "WizardMessage.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <map>
#include <set>
#include <span>

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

// One data exchange: the direction and where reading stopped.
class CDataExchange {
public:
    CDataExchange(CFormView& form, bool bSaveAndValidate)
        : m_form(form), m_bSaveAndValidate(bSaveAndValidate) {}

    CFormView& Form() const { return m_form; }
    bool SaveAndValidate() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_bFailed; }
    // The control the last DDX_ call exchanged; DDV_ checks refer to it.
    int LastControl() const { return m_idLastControl; }
    void SetLastControl(int id) { m_idLastControl = id; }
    // Ends the read: focus back to the last control with its whole text selected; later calls
    // do nothing.
    void Fail();

private:
    CFormView& m_form;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
    int m_idLastControl = 0;
};

// Shortest text of value with up to 15 significant digits ("44" for 44.0); never locale-dependent.
QString FormatDdxDouble(double value);
// Parses a whole text (surrounding blanks allowed) as a finite number or an int; false when the
// text is anything else. Never locale-dependent.
bool ParseDdxDouble(const QString& text, double& value);
bool ParseDdxInt(const QString& text, int& value);

// Member <-> control text. Reading a text that is not a number prompts "Enter a number." or
// "Enter an integer.", keeps the member and fails the exchange.
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
// Member (0 or 1) <-> check box state.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// When reading, a value outside [min, max] prompts "Enter a number between %1 and %2." or
// "Enter an integer between %1 and %2." and fails the exchange; the member keeps the new value.
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double min, double max);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max);

// A form view: its controls come from a template table, placed in dialog units of the dialog
// font. Control notifications arrive in OnNotify, except while a data exchange runs. Wizard
// messages arrive in OnWndMsg.
class CFormView : public CWndT<QWidget> {
public:
    CFormView(const DialogTemplate& dialog, QWidget* parent);

    // Framework call once the document is ready; the default moves the members into the controls.
    virtual void OnInitialUpdate();

    // Moves members into controls (false) or validates and reads controls into members (true);
    // returns false when a field failed.
    bool UpdateData(bool bSaveAndValidate = true);

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

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyColours(int id);
    QWidget* CreateControl(const ControlTemplate& control);
    void Deliver(int id, Notify code);

    DialogBaseUnits m_base;
    QSize m_templateSize;
    std::map<int, QWidget*> m_controls;
    std::set<int> m_colouredControls; // controls whose colours follow OnCtlColor
    int m_exchangeDepth = 0;
};
