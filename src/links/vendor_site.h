#pragma once

#include "links/ad_text.h"

// The vendor's site this build was configured for.
VendorSite TheVendorSite();
