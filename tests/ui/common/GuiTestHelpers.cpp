// Prompt recorder, event pump, typing and screenshot saver shared by the GUI suites.
#include "GuiTestHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTest>
#include <QWidget>

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
