#include "forms/frmKimoro.h"

#include "core/modKimoro.h"
#include "platform/ErrorModes.h"
#include "platform/Runtime.h"

KimoroForm::KimoroForm() : Form(frmKimoroDesign) {
    OnClick("CoButTest", [this](std::int16_t) { CoButTest_Click(); });
    OnClick("cbtWin", [this](std::int16_t) { cbtWin_Click(); });
    OnClick("CoButVersion", [this](std::int16_t) { CoButVersion_Click(); });
    OnClick("CoButEnd", [this](std::int16_t) { CoButEnd_Click(); });
    OnTimer("timKimoro", [this] { timKimoro_Timer(); });
}

KimoroForm& frmKimoro() { return FormReference<KimoroForm>(); }

void KimoroForm::Form_Load() {
    const ResumeNext statement;
    statement([&] { CoButTest().SetCaption(LoadResString(101)); });
    statement([&] { CoButEnd().SetCaption(LoadResString(102)); });
    statement([&] { CoButVersion().SetCaption(LoadResString(103)); });
    statement([&] { SetCaption(App::Title()); });
    statement([&] { cbtWin().SetCaption(LoadResString(104)); });
}

void KimoroForm::CoButTest_Click() {
    ResumeNext()([] { RunCommand(u"P"); });
}

void KimoroForm::cbtWin_Click() {
    ResumeNext()([] { RunCommand(u"W"); });
}

void KimoroForm::CoButVersion_Click() {
    ResumeNext()([] { RunCommand(u"A"); });
}

void KimoroForm::CoButEnd_Click() {
    ResumeNext()([] { RunCommand(u"X"); });
}

void KimoroForm::Form_KeyPress(std::int16_t& KeyAscii) {
    ResumeNext()([&] { MapKeyToCommand(KeyAscii, u"Main"); });
}

void KimoroForm::timKimoro_Timer() {
    ResumeNext()([this] { lblKimoro().SetCaption(u""); });
}
