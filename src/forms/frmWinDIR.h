// The Windows-directory dialog: the directory in a label, sized around it, and OK.
#pragma once

#include "platform/Form.h"

extern const FormDesign frmWinDIRDesign;

class WinDIRForm : public Form {
public:
    WinDIRForm();

    Control& cbtOK() { return control("cbtOK"); }
    Control& lblWinDIR() { return control("lblWinDIR"); }

protected:
    void Form_Load() override;

private:
    void cbtOK_Click();
};

WinDIRForm& frmWinDIR();
