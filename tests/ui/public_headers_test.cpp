// The toolkit's public headers must build without Qt: device, editor and window code include
// them. A Qt header sneaking in would define its macros here.
#include <gtest/gtest.h>

#include "ui/toolkit/ui_lib.h"

#ifdef QT_VERSION
#error "a public toolkit header includes Qt"
#endif

TEST(PublicHeaders, BuildWithoutQt) { SUCCEED(); }
