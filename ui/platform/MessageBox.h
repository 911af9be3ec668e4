// Message boxes through one replaceable prompt handler: Qt boxes in the program, a recorder in
// tests.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// Box styles and answers, numbered as the original platform numbers them.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbTypeMask = 0xF;
inline constexpr unsigned kMbIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Shows text with the buttons of type (kMbOk, kMbYesNo or kMbYesNoCancel, optionally an icon) and
// returns the answer (kIdOk, kIdYes, kIdNo or kIdCancel).
using PromptHandler = std::function<int(const QString& text, unsigned type)>;

// Installs handler for every later AfxMessageBox call and returns the previous one. An empty
// handler restores the Qt message box.
PromptHandler SetPromptHandler(PromptHandler handler);

// Gives a fixed-size dialog the frame of one: a title and a close button, no minimise or
// maximise button, whatever the window manager would add by default.
void SetFixedDialogFrame(QWidget& dialog);

// The Qt message box for text and type, titled with the application name, not yet shown.
std::unique_ptr<QMessageBox> CreateQtMessageBox(const QString& text, unsigned type);
// Shows the Qt message box modally and returns the answer.
int ShowQtMessageBox(const QString& text, unsigned type);

// Asks the user through the installed prompt handler.
int AfxMessageBox(const QString& text, unsigned type = kMbOk);
