// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fakes are header-only; this file gives their library something to build.
#include "fakes/fake_platform.h"
