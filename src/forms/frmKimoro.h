// The main window: a greeting label over four command buttons.
#pragma once

#include "platform/Form.h"

extern const FormDesign frmKimoroDesign;

class KimoroForm : public Form {
public:
    KimoroForm();

    Control& cbtWin() { return control("cbtWin"); }
    Control& CoButVersion() { return control("CoButVersion"); }
    Control& CoButEnd() { return control("CoButEnd"); }
    Control& timKimoro() { return control("timKimoro"); }
    Control& CoButTest() { return control("CoButTest"); }
    Control& lblKimoro() { return control("lblKimoro"); }

protected:
    void Form_Load() override;
    void Form_KeyPress(std::int16_t& KeyAscii) override;

private:
    void CoButTest_Click();
    void cbtWin_Click();
    void CoButVersion_Click();
    void CoButEnd_Click();
    void timKimoro_Timer();
};

KimoroForm& frmKimoro();
