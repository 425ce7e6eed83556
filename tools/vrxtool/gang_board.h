// What vrxtool program shows for several ports at once.  On a terminal, a
// table on stderr with one line per port (port, state, progress with time
// left, the counts of a production run), redrawn in place; otherwise one
// plain line per change of state and per count.  Each port's log lines go to stdout whole,
// prefixed with the port's name; with --json each event carries the port.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tools/vrxtool/port_view.h"

namespace vrxtool {

class GangBoard {
 public:
  // `table`: draw the table (stderr is a terminal); otherwise plain lines.
  GangBoard(const std::vector<std::string>& ports, bool json, bool repeat, bool table);
  ~GangBoard();
  GangBoard(const GangBoard&) = delete;
  GangBoard& operator=(const GangBoard&) = delete;

  PortView& port(std::size_t index);

  // One port's line as the table shows it (without the end of line).
  std::string Row(std::size_t index);

 private:
  class Lane;
  class LaneModule;
  friend class Lane;
  friend class LaneModule;

  enum class Change { kState, kProgress, kCounts };

  // Under mutex_: a log line to stdout, a change of a lane, a note.
  void LogLine(const std::string& port, const std::string& line);
  void Changed(Change change, const Lane& lane);
  void NoteLine(const std::string& port, std::string_view text);
  void Draw();
  void Erase();

  std::mutex mutex_;
  bool json_;
  bool repeat_;
  bool table_;
  int portWidth_ = 0;
  int stateWidth_;
  int drawnLines_ = 0;
  std::chrono::steady_clock::time_point lastDraw_;
  std::vector<std::unique_ptr<Lane>> lanes_;
};

}  // namespace vrxtool
