// Moved to driver/link/config_store.h. Kept only for the kernel's and varnctl's
// Windows tests, which still include it by this path; new code includes
// the link's header directly.
#pragma once
#include "driver/link/config_store.h"
