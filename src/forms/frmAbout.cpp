#include "forms/frmAbout.h"

#include "core/modKimoro.h"
#include "forms/CloseCommand.h"
#include "platform/Runtime.h"

#include <cmath>
#include <string>

AboutForm::AboutForm() : Form(frmAboutDesign) {
    OnClick("cmdOK", [this](std::int16_t) { cmdOK_Click(); });
    OnClick("cmdSysInfo", [this](std::int16_t) { cmdSysInfo_Click(); });
    OnClick("lblURL", [this](std::int16_t index) { lblURL_Click(index); });
}

AboutForm& frmAbout() { return FormReference<AboutForm>(); }

std::int32_t AboutCentreLine(float formWidthTwips) {
    const double half = static_cast<double>(formWidthTwips) / 2;
    const double rounded = std::nearbyint(half);  // the default rounding mode: ties to even
    if (!(std::fabs(rounded) <= 2147483647.0)) {
        throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    }
    return static_cast<std::int32_t>(rounded);
}

namespace {

std::u16string Decimal(std::int16_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

// Fills the texts and lays the dialog out horizontally from the wider link label. Widths
// and positions of controls are in scale units, the dialog's own width in twips; the two
// are deliberately mixed as they stand, and nothing is clamped.
void AboutForm::Form_Load() {
    const ResumeNext statement;
    RemoveCloseCommand(*this, statement);
    statement([&] { SetCaption(LoadResString(200)); });
    statement([&] {
        lblVerSys().SetCaption(u"( " + Decimal(App::Major()) + u"." + Decimal(App::Minor()) +
                               u".0." + Decimal(App::Revision()) + u" )");
    });
    statement([&] { lblVerCaption().SetCaption(LoadResString(201) + u"1.04.00"); });
    statement([&] { lblTitle().SetCaption(App::Title()); });
    statement([&] { lblCopyright().SetCaption(App::LegalCopyright()); });
    statement([&] { lblURL(0).SetCaption(LoadResString(1004)); });
    statement([&] { lblURL(1).SetCaption(LoadResString(1006)); });
    statement([&] { lblURL(0).SetLeft(90); });
    statement([&] { lblURL(1).SetLeft(90); });
    statement([&] { lblVerCaption().SetLeft(picIcon().Width() + picIcon().Left() * 2); });

    std::int16_t reference = 1;
    if (statement.If([&] { return lblURL(0).Width() > lblURL(1).Width(); })) reference = 0;
    statement([&] { SetWidth(lblURL(reference).Width() * 1.15f); });
    statement(
        [&] { lblCopyright().SetLeft((lblURL(reference).Width() - lblCopyright().Width()) / 2); });

    std::int32_t centre = 0;
    statement([&] { centre = AboutCentreLine(Width()); });
    statement([&] {
        lblVerSys().SetLeft(lblVerCaption().Left() + lblVerCaption().Width() - lblVerSys().Width());
    });
    statement([&] { cmdOK().SetLeft(static_cast<float>(centre) - cmdOK().Width() - 180); });
    statement([&] { cmdSysInfo().SetLeft(static_cast<float>(centre)); });
}

void AboutForm::cmdOK_Click() {
    ResumeNext()([this] { Unload(); });
}

void AboutForm::cmdSysInfo_Click() {
    ResumeNext()([] { RunCommand(u"S"); });
}

void AboutForm::Form_KeyPress(std::int16_t& KeyAscii) {
    ResumeNext()([&] { MapKeyToCommand(KeyAscii, u"Abo"); });
}

// Opens the clicked label's address, loaded afresh from the string table, through the
// shell's Start command; nothing waits for the browser.
void AboutForm::lblURL_Click(std::int16_t Index) {
    const ResumeNext statement;
    std::u16string address;
    statement([&] {
        if (Index == 0) address = LoadResString(1004);
        if (Index == 1) address = LoadResString(1006);
    });
    std::u16string commandLine;
    statement([&] { commandLine = u"Start " + address; });
    statement([&] { Shell(commandLine, WindowStyle::MinimizedFocus); });
}
