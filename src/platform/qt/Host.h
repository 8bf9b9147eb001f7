// The Qt host of the program and its tests.
#pragma once

#include <QProcessEnvironment>

// The environment the program was started with, for the programs it starts: without
// what the host set for Qt alone.
QProcessEnvironment EnvironmentForStartedPrograms();
