// The resource table embedded in the program at build time: every picture,
// the string table and the window icon.
#pragma once

#include "platform/platform.h"

const platform::ResourceTable& MirelinkResources();
