// Setting up the process around QApplication; shared by the program and its tests.
#pragma once

class QApplication;

// Before QApplication exists: keeps Qt from writing anything of its own and maps the
// designs' font names.
void PrepareHostEnvironment();

// Once QApplication exists: the keyboard filter and the application's settings.
void InstallRuntime(QApplication& application);
