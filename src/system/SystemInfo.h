// Starts the system's information tool.
#pragma once

// Finds the tool through the registry and starts it; says that system information cannot
// be used when it finds none or the start fails.
void LaunchSystemInfo();
