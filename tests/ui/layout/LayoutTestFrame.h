// A frame window for the layout suites: records its active view and the wizard messages it gets.
#pragma once

#include "WindowClass.h"
#include "WizardMessage.h"

#include <QMainWindow>
#include <QPointer>
#include <QTextEdit>
#include <vector>

class CTestFrame : public CWndT<QMainWindow>, public TFrameWnd {
public:
    struct Received {
        unsigned message;
        std::intptr_t wParam;
    };

    void SetClientWindow(QWidget* window) override { setCentralWidget(window); }
    void SetActiveView(QWidget* view, bool) override { m_activeView = view; }
    QWidget* GetActiveView() const override { return m_activeView; }

    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t) override {
        m_received.push_back({message, static_cast<std::intptr_t>(wParam)});
        return true;
    }

    std::vector<Received> m_received;

private:
    QPointer<QWidget> m_activeView;
};

// A view class whose windows are plain text edits named after the class.
inline TWindowClass MakeViewClass(const QString& name) {
    return TWindowClass{name,
                        [name](QWidget* parent, CCreateContext*) -> QWidget* {
                            auto* view = new QTextEdit(parent);
                            view->setObjectName(name);
                            return view;
                        },
                        true};
}

// A class whose windows can never be made.
inline TWindowClass MakeFailingClass() {
    return TWindowClass{QStringLiteral("Broken"),
                        [](QWidget*, CCreateContext*) -> QWidget* { return nullptr; }, true};
}
