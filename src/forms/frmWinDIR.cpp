#include "forms/frmWinDIR.h"

#include "forms/CloseCommand.h"
#include "system/modDLL.h"

WinDIRForm::WinDIRForm() : Form(frmWinDIRDesign) {
    OnClick("cbtOK", [this](std::int16_t) { cbtOK_Click(); });
}

WinDIRForm& frmWinDIR() { return FormReference<WinDIRForm>(); }

// Sizes the dialog around the directory: the label 90 twips in from the left and top, the
// form 180 wider than the label's right edge, and a button of three quarters of the
// label's width centred 90 below it.
void WinDIRForm::Form_Load() {
    const ResumeNext statement;
    RemoveCloseCommand(*this, statement);
    statement([&] { SetCaption(u"WindowsDirectory"); });
    statement([&] { cbtOK().SetCaption(u"OK"); });
    statement([&] { lblWinDIR().SetCaption(u"   " + QueryWindowsDirectory() + u"   "); });
    statement([&] { lblWinDIR().SetLeft(90); });
    statement([&] { cbtOK().SetLeft(90); });
    statement([&] { SetWidth(lblWinDIR().Width() + lblWinDIR().Left() + 180); });
    statement([&] { cbtOK().SetWidth(lblWinDIR().Width() * 3 / 4); });
    statement([&] { cbtOK().SetLeft(Width() / 2 - cbtOK().Width() / 2); });
    statement([&] { lblWinDIR().SetTop(90); });
    statement([&] { cbtOK().SetTop(90 + lblWinDIR().Height() + lblWinDIR().Top()); });
    statement([&] { SetHeight(420 + cbtOK().Top() + cbtOK().Height()); });
}

void WinDIRForm::cbtOK_Click() {
    ResumeNext()([this] { Unload(); });
}
