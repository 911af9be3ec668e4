// Helpers for the GUI suites: recorded prompts, event pumping, typing and page screenshots.
#pragma once

#include "MessageBox.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

// Lets GoogleTest print QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// While alive, answers every AfxMessageBox without showing it and records text and type.
class CPromptRecorder {
public:
    struct Prompt {
        QString text;
        unsigned type = kMbOk;
    };

    CPromptRecorder();
    ~CPromptRecorder();
    CPromptRecorder(const CPromptRecorder&) = delete;
    CPromptRecorder& operator=(const CPromptRecorder&) = delete;

    // Answers for the next Yes/No and Yes/No/Cancel questions, in order; when none is left a
    // Yes/No question gets kIdYes and the question about unsaved changes kIdNo, which goes on as
    // the wizard did before it asked.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }

    const std::vector<Prompt>& Prompts() const { return m_prompts; }
    std::vector<QString> Texts() const;
    void Clear() { m_prompts.clear(); }

private:
    std::vector<Prompt> m_prompts;
    std::deque<int> m_answers;
    PromptHandler m_previous;
};

// Delivers every posted event (wizard messages included) until none is pending.
void PumpEvents();

// Types text key by key over the whole text of edit, as a user does who tabbed to the entry:
// focus is the control that takes the focus (the edit itself, or the combo box it belongs to).
void TypeOver(QWidget* focus, QLineEdit* edit, const QString& text);

// Leaves the edit with the Tab key, as a user moves on to the next entry, and delivers what that
// posts.
void LeaveWithTab(QLineEdit* edit);

// The text of the PDF file at path, one string per page, as pdftotext lays it out; empty when
// pdftotext could not read it.
QStringList PdfPages(const QString& path);

// Saves widget as <build>/screenshots/<name>.png for people to look at; returns the path written,
// or an empty string when the image could not be saved.
QString SaveScreenshot(QWidget& widget, const QString& name);

// What a picture of window shows wrong, one text per fault: a visible control (caption, button,
// box, edit, list or text pane) cut off by an edge, lying over another control, or whose place in
// the picture holds a single colour, so nothing of it was drawn. Empty when every control is
// drawn whole.
std::vector<std::string> DrawingFaults(QWidget& window);
