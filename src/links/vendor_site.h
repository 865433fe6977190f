#pragma once

#include "links/ad_text.h"

namespace torvane {

// The vendor's site this build was configured for.
VendorSite TheVendorSite();

} // namespace torvane
