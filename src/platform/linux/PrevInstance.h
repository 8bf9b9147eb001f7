#pragma once

#include <string>

// Claims `name` for this user for the rest of the process's life. False when another
// process holds it.
bool ClaimInstanceName(const std::string& name);
