#pragma once

// Registers the program's built-in resources (start page, icons). The library is static, so its
// resources must be registered once before they are used.
void initResources();
