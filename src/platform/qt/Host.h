// Setting up the process around QApplication; shared by the program and its tests.
#pragma once

#include <QProcessEnvironment>

class QApplication;

// Before QApplication exists: keeps Qt from writing anything of its own and maps the
// designs' font names.
void PrepareHostEnvironment();

// Once QApplication exists: the keyboard filter and the application's settings.
void InstallRuntime(QApplication& application);

// The environment the program was started with, for the programs it starts: without
// what the host set for Qt alone.
QProcessEnvironment EnvironmentForStartedPrograms();
