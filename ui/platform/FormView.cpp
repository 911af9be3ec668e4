// Template-built form views: control creation, lookup, notifications, data exchange and colours.
#include "FormView.h"

#include "MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// A check box whose state only the program changes; a click still notifies.
class CManualCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

class CManualRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override {}
};

// The line-height of a closed combo box, in dialog units; the template's height is the list's.
constexpr int kComboClosedHeightDlu = 12;

QLineEdit* EditOf(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return nullptr;
}

// The text without surrounding blanks and without one leading '+'; empty when nothing is left or
// a second sign follows.
std::string NumberBody(const QString& text) {
    std::string s = text.trimmed().toStdString();
    if (!s.empty() && s.front() == '+') {
        s.erase(0, 1);
        if (!s.empty() && (s.front() == '+' || s.front() == '-'))
            return {};
    }
    return s;
}

} // namespace

QString FormatDdxDouble(double value) {
    std::array<char, 64> buf{};
    const auto result =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::general, 15);
    return QString::fromLatin1(buf.data(), result.ptr - buf.data());
}

bool ParseDdxDouble(const QString& text, double& value) {
    const std::string s = NumberBody(text);
    // Plain decimal notation only: from_chars would also take "inf", "nan" and "infinity".
    if (s.empty() || s.find_first_not_of("0123456789.-+eE") != std::string::npos)
        return false;
    double parsed = 0.0;
    const auto [ptr, ec] =
        std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::general);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseDdxInt(const QString& text, int& value) {
    const std::string s = NumberBody(text);
    int parsed = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size())
        return false;
    value = parsed;
    return true;
}

void CDataExchange::Fail() {
    m_bFailed = true;
    QWidget* control = m_form.GetDlgItem(m_idLastControl);
    if (control == nullptr)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = EditOf(control))
        edit->selectAll();
}

namespace {

// Common head of every DDX_ call: false when the exchange has already failed.
bool BeginExchange(CDataExchange* pDX, int id) {
    if (pDX->Failed())
        return false;
    pDX->SetLastControl(id);
    return true;
}

void Prompt(CDataExchange* pDX, const QString& text) {
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    if (!BeginExchange(pDX, id))
        return;
    CFormView& form = pDX->Form();
    if (!pDX->SaveAndValidate()) {
        form.SetDlgItemText(id, FormatDdxDouble(value));
        return;
    }
    if (!ParseDdxDouble(form.GetDlgItemText(id), value))
        Prompt(pDX, QStringLiteral("Enter a number."));
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    if (!BeginExchange(pDX, id))
        return;
    CFormView& form = pDX->Form();
    if (!pDX->SaveAndValidate()) {
        form.SetDlgItemText(id, QString::number(value));
        return;
    }
    if (!ParseDdxInt(form.GetDlgItemText(id), value))
        Prompt(pDX, QStringLiteral("Enter an integer."));
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (!BeginExchange(pDX, id))
        return;
    if (pDX->SaveAndValidate())
        value = pDX->Form().IsDlgButtonChecked(id) ? 1 : 0;
    else
        pDX->Form().CheckDlgButton(id, value != 0);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double min, double max) {
    if (!pDX->SaveAndValidate() || pDX->Failed())
        return;
    if (value < min || value > max)
        Prompt(pDX, QStringLiteral("Enter a number between %1 and %2.")
                        .arg(FormatDdxDouble(min), FormatDdxDouble(max)));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max) {
    if (!pDX->SaveAndValidate() || pDX->Failed())
        return;
    if (value < min || value > max)
        Prompt(pDX, QStringLiteral("Enter an integer between %1 and %2.")
                        .arg(QString::number(min), QString::number(max)));
}

CFormView::CFormView(const DialogTemplate& dialog, QWidget* parent)
    : CWndT<QWidget>(parent), m_base(DialogFontBaseUnits(DialogFont())) {
    setFont(DialogFont());
    const QRect size = DialogUnitsToPixels({0, 0, dialog.cx, dialog.cy}, m_base);
    m_templateSize = size.size();
    for (const ControlTemplate& control : dialog.controls)
        m_controls[control.id] = CreateControl(control);
    // Group boxes are frames behind the controls they enclose.
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind == CtlKind::GroupBox)
            m_controls[control.id]->lower();
    }
}

QWidget* CFormView::CreateControl(const ControlTemplate& control) {
    const QString caption = QString::fromLatin1(control.caption);
    QRect rect = DialogUnitsToPixels(control.rect, m_base);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case CtlKind::Static: {
        auto* label = new QLabel(caption, this);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case CtlKind::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly((control.style & CtlReadOnly) != 0);
        connect(edit, &QLineEdit::textChanged, this,
                [this, id = control.id] { Deliver(id, Notify::Changed); });
        widget = edit;
        break;
    }
    case CtlKind::CheckBox:
    case CtlKind::RadioButton: {
        QAbstractButton* button = nullptr;
        const bool manual = (control.style & CtlManual) != 0;
        if (control.kind == CtlKind::CheckBox) {
            button = manual ? new CManualCheckBox(caption, this) : new QCheckBox(caption, this);
        } else {
            auto* radio =
                manual ? new CManualRadioButton(caption, this) : new QRadioButton(caption, this);
            radio->setAutoExclusive((control.style & CtlAutoRadio) != 0);
            button = radio;
        }
        connect(button, &QAbstractButton::clicked, this,
                [this, id = control.id] { Deliver(id, Notify::Clicked); });
        widget = button;
        break;
    }
    case CtlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        combo->setEditable((control.style & CtlEditable) != 0);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Typing "8" must give 8, not the list's "8.45": no inline completion.
        if (combo->isEditable())
            combo->setCompleter(nullptr);
        connect(combo, &QComboBox::activated, this,
                [this, id = control.id] { Deliver(id, Notify::SelChange); });
        if (QLineEdit* edit = combo->lineEdit()) {
            connect(edit, &QLineEdit::textEdited, this,
                    [this, id = control.id] { Deliver(id, Notify::EditChange); });
            edit->installEventFilter(this);
        }
        rect.setHeight(MulDiv(kComboClosedHeightDlu, m_base.cy, 8));
        widget = combo;
        break;
    }
    case CtlKind::GroupBox:
        widget = new QGroupBox(caption, this);
        widget->setFocusPolicy(Qt::NoFocus);
        break;
    case CtlKind::RichEdit: {
        auto* text = new QTextEdit(this);
        text->setReadOnly(true);
        text->setAcceptRichText(false);
        text->setVerticalScrollBarPolicy((control.style & CtlVScroll) != 0 ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAsNeeded);
        widget = text;
        break;
    }
    case CtlKind::ListView: {
        auto* list = new QTableWidget(this);
        list->verticalHeader()->hide();
        // Report-mode rows are one text line high.
        list->verticalHeader()->setDefaultSectionSize(QFontMetrics(DialogFont()).height() + 4);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setShowGrid(false);
        widget = list;
        break;
    }
    }
    widget->setObjectName(QString::number(control.id));
    widget->setGeometry(rect);
    widget->setEnabled((control.style & CtlDisabled) == 0);
    if ((control.style & CtlNoTabStop) != 0)
        widget->setFocusPolicy(Qt::ClickFocus);
    widget->setVisible((control.style & CtlHidden) == 0);
    widget->installEventFilter(this);
    return widget;
}

void CFormView::OnInitialUpdate() {
    UpdateData(false);
}

bool CFormView::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(*this, bSaveAndValidate);
    ++m_exchangeDepth;
    DoDataExchange(&dx);
    --m_exchangeDepth;
    return !dx.Failed();
}

QWidget* CFormView::GetDlgItem(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

int CFormView::GetDlgCtrlID(const QWidget* control) const {
    for (const auto& [id, widget] : m_controls) {
        if (widget == control)
            return id;
    }
    return 0;
}

void CFormView::EnableDlgItem(int id, bool enable) {
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(enable);
}

void CFormView::ShowDlgItem(int id, bool show) {
    if (QWidget* control = GetDlgItem(id))
        control->setVisible(show);
}

void CFormView::CheckDlgButton(int id, bool check) {
    if (auto* button = Item<QAbstractButton>(id))
        button->setChecked(check);
}

bool CFormView::IsDlgButtonChecked(int id) const {
    const auto* button = Item<QAbstractButton>(id);
    return button != nullptr && button->isChecked();
}

void CFormView::SetDlgItemText(int id, const QString& text) {
    QWidget* control = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
        combo->setEditText(text);
    else if (combo)
        combo->setCurrentIndex(combo->findText(text));
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* pane = qobject_cast<QTextEdit*>(control))
        pane->setPlainText(text);
}

QString CFormView::GetDlgItemText(int id) const {
    QWidget* control = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    if (auto* pane = qobject_cast<QTextEdit*>(control))
        return pane->toPlainText();
    return {};
}

void CFormView::SelectAllText(int id) {
    if (QLineEdit* edit = EditOf(GetDlgItem(id))) {
        // The caret ends after the selection, so the edit scrolls it into view.
        edit->selectAll();
    }
}

void CFormView::RedrawControl(int id) {
    QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return;
    m_colouredControls.insert(id);
    ApplyColours(id);
    control->repaint();
}

void CFormView::ApplyColours(int id) {
    QWidget* control = GetDlgItem(id);
    QColor text;
    QColor background;
    if (OnCtlColor(id, text, background)) {
        QPalette palette;
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
            palette.setColor(role, background);
        for (QPalette::ColorRole role :
             {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(role, text);
        control->setPalette(palette);
    } else {
        // An empty palette resolves nothing, so the control inherits the form's colours again.
        control->setPalette(QPalette());
    }
}

void CFormView::showEvent(QShowEvent* event) {
    // Warning bits may have changed while the form was hidden (another form ran a calculation).
    for (int id : m_colouredControls)
        ApplyColours(id);
    CWndT<QWidget>::showEvent(event);
}

QSize CFormView::sizeHint() const {
    return m_templateSize;
}

void CFormView::Deliver(int id, Notify code) {
    if (m_exchangeDepth > 0)
        return;
    OnNotify(id, code);
}

bool CFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn)
        return CWndT<QWidget>::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    int id = GetDlgCtrlID(widget);
    if (id == 0 && widget != nullptr)
        id = GetDlgCtrlID(widget->parentWidget()); // the edit field inside a combo box
    if (id == 0)
        return false;
    // Let the control take the focus first, so the handler's selection is not undone by it.
    watched->event(event);
    Deliver(id, Notify::SetFocus);
    return true;
}
