// Small pieces shared by the views: document texts, the posting seam and the prompt adapter.
#include "MainFramePoster.h"
#include "MessageBox.h"
#include "MessageBoxPrompt.h"
#include "ViewContext.h"
#include "WizardMessage.h"

QString DocumentText(const std::string& text) {
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

void CMainFramePoster::PostToMainFrame(const WizardMessage& msg) {
    PostWizardMessage(m_target.data(), msg.message, msg.wParam, msg.lParam);
}

namespace {

QString PromptText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CMessageBoxPrompt::MessageBoxOk(std::string_view text) {
    AfxMessageBox(PromptText(text), kMbOk | kMbIconExclamation);
}

bool CMessageBoxPrompt::AskYesNo(std::string_view text) {
    return AfxMessageBox(PromptText(text), kMbYesNo | kMbIconQuestion) == kIdYes;
}
