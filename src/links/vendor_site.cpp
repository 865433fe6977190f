#include "links/vendor_site.h"

#include "links/vendor_site_config.h"

namespace torvane {

VendorSite TheVendorSite()
{
    return {TORVANE_VENDOR_HOST, TORVANE_VENDOR_WEB_ADDRESS, TORVANE_VENDOR_AGENT};
}

} // namespace torvane
