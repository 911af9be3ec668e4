// Small pieces shared by the views: document texts and the prompt adapter.
#include "MessageBox.h"
#include "MessageBoxPrompt.h"
#include "ViewContext.h"

QString DocumentText(const std::string& text) {
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
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
