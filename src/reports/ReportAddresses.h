#pragma once

// The web addresses the printed reports carry. Host names are kept under the
// reserved .example domain, so that no printout names somebody else's site.
namespace report {

// The product web site, printed as a bare host name in the net gain report's footer.
inline constexpr char productSiteHost[] = "www.vendalo.example";

} // namespace report
