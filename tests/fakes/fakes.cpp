// The fakes are header-only; this file gives their library something to build.
#include "fakes/fake_platform.h"
