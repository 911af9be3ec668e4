// Hosts a view in a plain window beside a stub main frame that records the wizard messages it gets.
#pragma once

#include "GuiTestHelpers.h"
#include "ViewContext.h"
#include "WizardDoc.h"
#include "WizardMessage.h"
#include "WizardMessages.h"

#include <QString>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <vector>

// Stands in for the main frame: records every message; status texts are copied while valid.
class CStubFrame : public CWndT<QWidget> {
public:
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
        messages.push_back({message, wParam, lParam});
        if (message == WM_WIZ_STATUS_TEXT)
            statusTexts.push_back(*reinterpret_cast<const QString*>(wParam));
        return true;
    }
    std::vector<unsigned> Numbers() const {
        std::vector<unsigned> numbers;
        for (const WizardMessage& msg : messages)
            numbers.push_back(msg.message);
        return numbers;
    }
    void Clear() {
        messages.clear();
        statusTexts.clear();
    }

    std::vector<WizardMessage> messages;
    std::vector<QString> statusTexts;
};

// A new document wired to the stub frame, and the view under test shown in an active window.
template <class View> class CViewHost {
public:
    CViewHost() {
        doc.OnNewDocument();
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new View(CViewContext{&doc, &frame}, &window);
        layout->addWidget(view);
        // The whole template fits: no scroll bars.
        window.resize(view->sizeHint());
    }

    // Shows the window, makes it active and runs the view's initial update.
    bool Start() {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        view->OnInitialUpdate();
        PumpEvents();
        frame.Clear();
        return true;
    }

    CStubFrame frame;
    CKXC2280RegisterWizardDoc doc;
    QWidget window;
    View* view = nullptr;
};
