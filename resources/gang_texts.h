// Texts of vrxtool program with several ports at once: the state column of
// its table, and the summary per port and in total (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace vrx::gang_text {

// What a port's session is doing now (an interrupted one shows
// port_msg::Interrupted()).
std::string_view Connecting();
std::string Erasing(int block);
std::string Writing(int block);
std::string_view Reading();
std::string_view Done();

// Usage errors of --port and --ports.
std::string PortGivenTwice(std::string_view port);
std::string NotAPortRange(std::string_view text);

// "COM3: modules programmed: 4, passed 3, failed 1" at the end of a run.
std::string PortSummary(std::string_view port, int passed, int failed);
// "all 8 ports: modules programmed: 8, passed 6, failed 2 in 21.4 s".
std::string TotalSummary(int ports, int passed, int failed, double seconds);

}  // namespace vrx::gang_text
