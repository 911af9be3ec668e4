// Prompt recorder, event pump, typing and screenshot saver shared by the GUI suites.
#include "GuiTestHelpers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTextEdit>
#include <QWidget>
#include <utility>

namespace {

constexpr int kSharedEdgePx = 2;

// A control people read or use; a group box is a frame the controls inside it lie over.
bool IsControl(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return !label->text().isEmpty();
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

// A part of a control (the edit of a combo box, a list's header) is judged with the control.
bool InsideAControl(const QWidget* widget, const QWidget* window) {
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr && parent != window;
         parent = parent->parentWidget()) {
        if (IsControl(parent))
            return true;
    }
    return false;
}

// Where a control draws, in its own coordinates: a caption's text and a box's mark with its text
// (their rectangles often reach under their neighbours), or the whole control.
QRect DrawnPlace(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const int wrap = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
        return label->fontMetrics().boundingRect(label->contentsRect(),
                                                 int(label->alignment()) | wrap, label->text());
    }
    const auto* box = qobject_cast<const QAbstractButton*>(control);
    const bool check = qobject_cast<const QCheckBox*>(control) != nullptr;
    if (box == nullptr || (!check && qobject_cast<const QRadioButton*>(control) == nullptr))
        return control->rect();
    QStyleOptionButton option;
    option.initFrom(control);
    const QStyle* style = control->style();
    const QRect mark = style->subElementRect(
        check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, control);
    const QRect contents = style->subElementRect(
        check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, control);
    if (box->text().isEmpty())
        return mark;
    return mark | style->itemTextRect(box->fontMetrics(), contents,
                                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, true,
                                      box->text());
}

bool SingleColour(const QImage& picture, const QRect& area) {
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (picture.pixel(x, y) != picture.pixel(inside.topLeft()))
                return false;
        }
    }
    return true;
}

} // namespace

CPromptRecorder::CPromptRecorder()
    : m_previous(SetPromptHandler([this](const QString& text, unsigned type) {
          m_prompts.push_back({text, type});
          const unsigned buttons = type & kMbTypeMask;
          if (buttons != kMbYesNo && buttons != kMbYesNoCancel)
              return kIdOk;
          if (m_answers.empty())
              return buttons == kMbYesNo ? kIdYes : kIdNo;
          const int answer = m_answers.front();
          m_answers.pop_front();
          return answer;
      })) {}

CPromptRecorder::~CPromptRecorder() {
    SetPromptHandler(std::move(m_previous));
}

std::vector<QString> CPromptRecorder::Texts() const {
    std::vector<QString> texts;
    for (const Prompt& prompt : m_prompts)
        texts.push_back(prompt.text);
    return texts;
}

void PumpEvents() {
    // Events posted while the queue is delivered wait for the next round; a handler may post a
    // further message, so a few rounds drain every chain the wizard builds.
    for (int round = 0; round < 16; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void TypeOver(QWidget* focus, QLineEdit* edit, const QString& text) {
    focus->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void LeaveWithTab(QLineEdit* edit) {
    QTest::keyClick(edit, Qt::Key_Tab);
    PumpEvents();
}

QString SaveScreenshot(QWidget& widget, const QString& name) {
    const QString dir = QStringLiteral(QX_SCREENSHOT_DIR);
    if (!QDir().mkpath(dir))
        return {};
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    return widget.grab().save(path, "PNG") ? path : QString();
}

std::vector<std::string> DrawingFaults(QWidget& window) {
    const QImage picture = window.grab().toImage();
    std::vector<std::pair<QWidget*, QRect>> drawn; // controls and their places in the picture
    std::vector<std::string> faults;
    const auto name = [](const QWidget* control) {
        return QStringLiteral("%1 \"%2\"")
            .arg(QLatin1String(control->metaObject()->className()),
                 control->property("text").toString())
            .toStdString();
    };
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window) || !IsControl(control) ||
            InsideAControl(control, &window))
            continue;
        const QRect place = DrawnPlace(control).translated(control->mapTo(&window, QPoint()));
        if (control->visibleRegion().boundingRect() != control->rect())
            faults.push_back(name(control) + " is cut off");
        else if (SingleColour(picture, place))
            faults.push_back(name(control) + " is not drawn");
        // Neighbours converted from dialog units may share a pixel row or two of their line boxes.
        for (const auto& [other, otherPlace] : drawn) {
            const QRect shared = place & otherPlace;
            if (shared.width() > kSharedEdgePx && shared.height() > kSharedEdgePx)
                faults.push_back(name(control) + " overlaps " + name(other));
        }
        drawn.emplace_back(control, place);
    }
    return faults;
}

QStringList PdfPages(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitStatus() != QProcess::NormalExit ||
        pdftotext.exitCode() != 0)
        return {};
    QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    // Every page ends in a form feed.
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.pop_back();
    return pages;
}
