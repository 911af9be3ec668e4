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
#include <QPainter>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
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

const QColor kBadTextColour(255, 0, 0);
constexpr int kBadTextFrameWidth = 2; // pixels
constexpr const char* kBadTextFrameName = "badTextFrame";

// The red frame over a control whose text the data exchange refuses; clicks go through it.
class CBadTextFrame : public QWidget {
public:
    explicit CBadTextFrame(QWidget* control) : QWidget(control) {
        setObjectName(QLatin1String(kBadTextFrameName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(kBadTextColour, kBadTextFrameWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = kBadTextFrameWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
};

// The frame widget is found by name: without a meta-object of its own, a search by its class
// would take any child widget, such as a combo box's list.
QWidget* BadTextFrameOf(QWidget* control) {
    return control->findChild<QWidget*>(QLatin1String(kBadTextFrameName),
                                        Qt::FindDirectChildrenOnly);
}

// The ways of leaving an edit that ask for its text to be taken: moving on with the keyboard or
// the mouse. A window or a menu taking the focus, or a page going away, do not.
bool IsLeaving(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

// Counts a stretch of user work in the form, so that exchanges in it only mark refused texts.
class CUserWork {
public:
    explicit CUserWork(int& depth) : m_depth(depth) { ++m_depth; }
    ~CUserWork() { --m_depth; }
    CUserWork(const CUserWork&) = delete;
    CUserWork& operator=(const CUserWork&) = delete;

private:
    int& m_depth;
};

// The report panes are laid out for a fixed-pitch font: the system's, at the dialog font's size.
// It is not narrowed like the dialog font: some platforms answer a narrowed fixed-pitch request
// with a proportional font, and the reports' longest line fits the pane without it.
QFont ReportFont() {
    QFont font = FixedPitchFont();
    font.setPointSizeF(DialogFont().pointSizeF());
    return font;
}

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
    const std::size_t digits = !s.empty() && s.front() == '-' ? 1 : 0;
    if (s.size() == digits || s.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    int parsed = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (ec == std::errc::result_out_of_range)
        parsed = digits != 0 ? INT_MIN : INT_MAX;
    else if (ec != std::errc() || ptr != s.data() + s.size())
        return false;
    value = parsed;
    return true;
}

CDataExchange CDataExchange::Check(CFormView& form, int idOnly) {
    return CDataExchange(form, Mode::Check, idOnly);
}

bool CDataExchange::BeginField(int id) {
    m_idLastControl = id;
    if (m_mode != Mode::Check)
        return !m_bFailed;
    // Every field of a check is judged on its own.
    m_bFailed = false;
    return m_idOnly == 0 || id == m_idOnly;
}

bool CDataExchange::BeginValidation() const {
    return m_mode != Mode::Load && !m_bFailed &&
           (m_mode != Mode::Check || m_idOnly == 0 || m_idLastControl == m_idOnly);
}

void CDataExchange::Refuse(const QString& prompt) {
    m_bFailed = true;
    if (m_mode == Mode::Check)
        m_problems.emplace_back(m_idLastControl, prompt);
    else
        m_form.OnExchangeFailed(m_idLastControl, prompt);
}

namespace {

// Member <-> text of control id: format writes the member, parse reads it, refusing the text
// with notANumber when it is none.
template <class T, class Format, class Parse>
void ExchangeText(CDataExchange* pDX, int id, T& value, Format format, Parse parse,
                  const QString& notANumber) {
    if (!pDX->BeginField(id))
        return;
    CFormView& form = pDX->Form();
    if (!pDX->SaveAndValidate()) {
        form.SetDlgItemText(id, format(value));
        return;
    }
    T read = value;
    if (!parse(form.GetDlgItemText(id), read)) {
        pDX->Refuse(notANumber);
        return;
    }
    if (pDX->Checking())
        pDX->SetCheckedValue(read);
    else
        value = read;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    ExchangeText(pDX, id, value, FormatDdxDouble, ParseDdxDouble,
                 QStringLiteral("Enter a number."));
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    ExchangeText(
        pDX, id, value, [](int v) { return QString::number(v); }, ParseDdxInt,
        QStringLiteral("Enter an integer."));
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (!pDX->BeginField(id) || pDX->Checking())
        return;
    if (pDX->SaveAndValidate())
        value = pDX->Form().IsDlgButtonChecked(id) ? 1 : 0;
    else
        pDX->Form().CheckDlgButton(id, value != 0);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double min, double max) {
    if (!pDX->BeginValidation())
        return;
    if (pDX->Checking())
        value = pDX->CheckedValue();
    if (value < min || value > max)
        pDX->Refuse(QStringLiteral("Enter a number between %1 and %2.")
                        .arg(FormatDdxDouble(min), FormatDdxDouble(max)));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max) {
    if (!pDX->BeginValidation())
        return;
    if (pDX->Checking())
        value = static_cast<int>(pDX->CheckedValue());
    if (value < min || value > max)
        pDX->Refuse(QStringLiteral("Enter an integer between %1 and %2.")
                        .arg(QString::number(min), QString::number(max)));
}

CFormView::CFormView(const DialogTemplate& dialog, QWidget* parent)
    : CWndT<QScrollArea>(parent), m_base(DialogFontBaseUnits(DialogFont())), m_canvas(new QWidget) {
    setFont(DialogFont());
    setFrameShape(QFrame::NoFrame);
    // The form hands the focus on to its controls; Tab moves between them and scrolls to them.
    setFocusPolicy(Qt::NoFocus);
    const QRect size = DialogUnitsToPixels({0, 0, dialog.cx, dialog.cy}, m_base);
    m_templateSize = size.size();
    m_canvas->resize(m_templateSize);
    setWidget(m_canvas);
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
        auto* label = new QLabel(caption, m_canvas);
        // A label one line high keeps its text on that line: where the font needs more room than
        // the form was drawn with, the label grows to the right rather than wrapping its end out
        // of sight.
        const bool oneLine = rect.height() < 2 * label->fontMetrics().height();
        label->setWordWrap(!oneLine);
        if (oneLine)
            rect.setWidth(std::max(rect.width(), label->sizeHint().width()));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case CtlKind::Edit: {
        auto* edit = new QLineEdit(m_canvas);
        edit->setReadOnly((control.style & CtlReadOnly) != 0);
        connect(edit, &QLineEdit::textChanged, this, [this, id = control.id] {
            UpdateBadText(id);
            Deliver(id, Notify::Changed);
        });
        connect(edit, &QLineEdit::returnPressed, this,
                [this, id = control.id] { QueuePromptBadText(id); });
        widget = edit;
        break;
    }
    case CtlKind::CheckBox:
    case CtlKind::RadioButton: {
        QAbstractButton* button = nullptr;
        const bool manual = (control.style & CtlManual) != 0;
        if (control.kind == CtlKind::CheckBox) {
            button =
                manual ? new CManualCheckBox(caption, m_canvas) : new QCheckBox(caption, m_canvas);
        } else {
            auto* radio = manual ? new CManualRadioButton(caption, m_canvas)
                                 : new QRadioButton(caption, m_canvas);
            radio->setAutoExclusive((control.style & CtlAutoRadio) != 0);
            button = radio;
        }
        connect(button, &QAbstractButton::clicked, this,
                [this, id = control.id] { Deliver(id, Notify::Clicked); });
        widget = button;
        break;
    }
    case CtlKind::ComboBox: {
        auto* combo = new QComboBox(m_canvas);
        combo->setEditable((control.style & CtlEditable) != 0);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Typing "8" must give 8, not the list's "8.45": no inline completion.
        if (combo->isEditable())
            combo->setCompleter(nullptr);
        connect(combo, &QComboBox::activated, this,
                [this, id = control.id] { Deliver(id, Notify::SelChange); });
        if (QLineEdit* edit = combo->lineEdit()) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, id = control.id] { UpdateBadText(id); });
            connect(edit, &QLineEdit::textEdited, this,
                    [this, id = control.id] { Deliver(id, Notify::EditChange); });
            connect(edit, &QLineEdit::returnPressed, this,
                    [this, id = control.id] { QueuePromptBadText(id); });
            edit->installEventFilter(this);
        }
        rect.setHeight(MulDiv(kComboClosedHeightDlu, m_base.cy, 8));
        widget = combo;
        break;
    }
    case CtlKind::GroupBox:
        widget = new QGroupBox(caption, m_canvas);
        widget->setFocusPolicy(Qt::NoFocus);
        break;
    case CtlKind::RichEdit: {
        auto* text = new QTextEdit(m_canvas);
        text->setReadOnly(true);
        text->setAcceptRichText(false);
        text->setFont(ReportFont());
        text->setVerticalScrollBarPolicy((control.style & CtlVScroll) != 0 ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAsNeeded);
        widget = text;
        break;
    }
    case CtlKind::ListView: {
        auto* list = new QTableWidget(m_canvas);
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

QString CFormView::CheckControl(int id) {
    CDataExchange check = CDataExchange::Check(*this, id);
    DoDataExchange(&check);
    return check.Problems().empty() ? QString() : check.Problems().front().second;
}

int CFormView::FirstBadEdit() {
    CDataExchange check = CDataExchange::Check(*this, 0);
    DoDataExchange(&check);
    for (const auto& [id, prompt] : check.Problems()) {
        const QWidget* control = GetDlgItem(id);
        if (control != nullptr && control->isVisibleTo(this) && control->isEnabledTo(this))
            return id;
    }
    return 0;
}

bool CFormView::CommitEdits() {
    const int id = FirstBadEdit();
    return id == 0 || !PromptBadText(id, true);
}

bool CFormView::IsMarkedBad(int id) const {
    return m_badTexts.contains(id);
}

void CFormView::OnExchangeFailed(int id, const QString& prompt) {
    // The control already carries its red frame (its text changed); the box waits until the user
    // leaves it, presses Enter or saves.
    if (m_userWorkDepth > 0)
        return;
    AfxMessageBox(prompt, kMbOk | kMbIconExclamation);
    FocusAndSelect(id);
}

void CFormView::UpdateBadText(int id) {
    QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return;
    const QString prompt = CheckControl(id);
    const auto known = m_badTexts.find(id);
    const QString previous = known != m_badTexts.end() ? known->second : QString();
    if (prompt.isEmpty())
        m_badTexts.erase(id);
    else
        m_badTexts[id] = prompt;
    QWidget* frame = BadTextFrameOf(control);
    if (frame == nullptr && !prompt.isEmpty())
        frame = new CBadTextFrame(control);
    if (frame != nullptr) {
        frame->setGeometry(control->rect());
        frame->raise();
        frame->setVisible(!prompt.isEmpty());
    }
    const QLineEdit* edit = EditOf(control);
    const bool typing = control->hasFocus() || (edit != nullptr && edit->hasFocus());
    if (prompt != previous && typing)
        OnEditTextProblem(id, prompt);
}

bool CFormView::PromptBadText(int id, bool reachableInForm) {
    QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return false;
    const bool reachable = reachableInForm
                               ? control->isVisibleTo(this) && control->isEnabledTo(this)
                               : control->isVisible() && control->isEnabled();
    if (!reachable)
        return false;
    const QString prompt = CheckControl(id);
    if (prompt.isEmpty())
        return false;
    AfxMessageBox(prompt, kMbOk | kMbIconExclamation);
    FocusAndSelect(id);
    return true;
}

void CFormView::QueuePromptBadText(int id) {
    // The box waits until the key or the focus change that asked for it has been handled; one
    // key press reaches a combo box's edit field twice, and asks once.
    if (!m_queuedPrompts.insert(id).second)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            m_queuedPrompts.erase(id);
            PromptBadText(id, false);
        },
        Qt::QueuedConnection);
}

void CFormView::FocusAndSelect(int id) {
    QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = EditOf(control))
        edit->selectAll();
    ensureWidgetVisible(control);
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
    else if (auto* pane = qobject_cast<QTextEdit*>(control); pane && pane->toPlainText() != text)
        pane->setPlainText(text); // laying a report out again costs more than comparing it
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
    // A combo box shows its colours in its edit field only; its list keeps the normal ones.
    if (qobject_cast<QComboBox*>(control) != nullptr && EditOf(control) != nullptr)
        control = EditOf(control);
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
    CWndT<QScrollArea>::showEvent(event);
}

QSize CFormView::sizeHint() const {
    return m_templateSize;
}

void CFormView::Deliver(int id, Notify code) {
    if (m_exchangeDepth > 0)
        return;
    CUserWork work(m_userWorkDepth);
    OnNotify(id, code);
}

bool CFormView::event(QEvent* event) {
    if (event->type() != CWizardEvent::EventType())
        return CWndT<QScrollArea>::event(event);
    CUserWork work(m_userWorkDepth);
    return CWndT<QScrollArea>::event(event);
}

bool CFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return CWndT<QScrollArea>::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    int id = GetDlgCtrlID(widget);
    if (id == 0 && widget != nullptr)
        id = GetDlgCtrlID(widget->parentWidget()); // the edit field inside a combo box
    if (id == 0)
        return false;
    if (event->type() == QEvent::FocusOut) {
        if (IsLeaving(static_cast<QFocusEvent*>(event)->reason()) && m_badTexts.contains(id))
            QueuePromptBadText(id);
        return false;
    }
    // Let the control take the focus first, so the handler's selection is not undone by it.
    watched->event(event);
    ensureWidgetVisible(GetDlgItem(id));
    Deliver(id, Notify::SetFocus);
    return true;
}
