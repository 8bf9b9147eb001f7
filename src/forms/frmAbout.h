// The About dialog: title, version, copyright, two link labels, OK and system information.
// Its controls are measured in the dialog's own scale units; the dialog itself in twips.
#pragma once

#include "platform/Form.h"

extern const FormDesign frmAboutDesign;

class AboutForm : public Form {
public:
    AboutForm();

    Control& picIcon() { return control("picIcon"); }
    Control& cmdOK() { return control("cmdOK"); }
    Control& cmdSysInfo() { return control("cmdSysInfo"); }
    Control& lblURL(std::int16_t index) { return control("lblURL", index); }
    Control& lblVerCaption() { return control("lblVerCaption"); }
    Control& lblVerSys() { return control("lblVerSys"); }
    Control& lblCopyright() { return control("lblCopyright"); }
    Control& lblTitle() { return control("lblTitle"); }

protected:
    void Form_Load() override;
    void Form_KeyPress(std::int16_t& KeyAscii) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lblURL_Click(std::int16_t Index);
};

AboutForm& frmAbout();

// The centre line of the dialog: half its width in twips, rounded to the nearest whole
// number, a tie going to the even one.
std::int32_t AboutCentreLine(float formWidthTwips);
