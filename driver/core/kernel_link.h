// Moved to driver/link/kernel_link.h. Kept only for the kernel's and varnctl's
// Windows tests, which still include it by this path; new code includes
// the link's header directly.
#pragma once
#include "driver/link/kernel_link.h"
