#pragma once

// Every address the program links to. Host names are kept under the reserved
// .example domain, so no link points at somebody else's site.
namespace web {

inline constexpr char supportAddress[] = "support@vendalo.example";

} // namespace web
