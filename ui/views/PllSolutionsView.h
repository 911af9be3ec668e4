// The "PLL Solutions" page: every divider setting for the current clock parameters, sortable and
// filterable, with the wizard's choice marked, and a way to make any row the one the wizard uses.
#pragma once

#include "ViewContext.h"
#include "WizardMessage.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class CPllSolutionModel;
class CPllSolutionProxy;

class CPllSolutionsView : public CWndT<QWidget> {
public:
    explicit CPllSolutionsView(const CViewContext& context, QWidget* parent = nullptr);

    // Framework call once the document is ready: lists the candidates.
    void OnInitialUpdate();
    bool OnWndMsg(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Lists the candidates of the document's clock parameters and selects the chosen one.
    void Refresh();
    // Posts WM_WIZ_USE_PLL_SOLUTION for the selected row; nothing when no row is selected.
    void UseSelectedSolution();
    // Posts WM_WIZ_FREE_PLL_DIVIDERS: the full list for the target clock comes back.
    void FreeDividers();

    QTableView* Table() const { return m_table; }
    CPllSolutionProxy* Proxy() const { return m_proxy; }
    CPllSolutionModel* Model() const { return m_model; }
    QCheckBox* ExactOnlyBox() const { return m_exactOnly; }
    QPushButton* UseButton() const { return m_useButton; }
    QPushButton* FreeButton() const { return m_freeButton; }
    QLabel* Summary() const { return m_summary; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectChosenRow();
    // The selected row in view, after a sort or a filter moved it.
    void KeepPickInView();
    // Enables the button and says what it will do with the selected row.
    void UpdateUseButton();
    // The help text of the page's control that has the focus; empty for none.
    QString FocusHint() const;

    CKXC2280RegisterWizardDoc* m_pDoc;
    QPointer<QObject> m_mainFrame;
    CPllSolutionModel* m_model;
    CPllSolutionProxy* m_proxy;
    QLabel* m_summary;
    QCheckBox* m_exactOnly;
    QTableView* m_table;
    QPushButton* m_useButton;
    QPushButton* m_freeButton;
    bool m_scrollToChosen = false; // a hidden page scrolls to the picked row when next shown
    // The clock changed while the page was hidden: it lists the candidates again when next shown,
    // so a keystroke on another page pays for one PLL search only.
    bool m_listStale = false;
};
