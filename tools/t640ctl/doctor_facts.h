#pragma once
#include "platform/hid/hid_backend.h"
#include "tools/t640ctl/doctor_checks.h"

// Looks at this machine and this session for `t640ctl doctor`: the supported interfaces through
// `backend`, the udev rule's folders, the seat, the data and log folders, the display and its tray,
// and T640's single-instance lock (taken for a moment when free).
DoctorFacts GatherDoctorFacts(IHidBackend& backend);
