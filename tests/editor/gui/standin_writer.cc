// Stands in for VRXWriter in the editor's tests: records what it was started
// with to the file named by $VRX_STANDIN_RECORD, one item a line:
//   arg <text>     each argument after the program path
//   self <path>    argv[0]
//   fds <n> ...    the descriptors it inherited
//   gate seen|missed  whether $VRX_STANDIN_GATE appeared within 10 s
// The file appears whole (written aside, then renamed).
#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string OpenDescriptors() {
  std::string list;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return list;
  const int own = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own) continue;
    list += " " + std::string(entry->d_name);
  }
  closedir(dir);
  return list;
}

bool AwaitGate(const char* gate) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(gate)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* record = std::getenv("VRX_STANDIN_RECORD");
  if (!record) return 2;
  const std::string fds = OpenDescriptors();
  const char* gate = std::getenv("VRX_STANDIN_GATE");
  const bool gateSeen = gate && AwaitGate(gate);

  const std::string aside = std::string(record) + ".part";
  {
    std::ofstream out(aside, std::ios::binary);
    out << "self " << argv[0] << "\n";
    for (int i = 1; i < argc; ++i) out << "arg " << argv[i] << "\n";
    out << "fds" << fds << "\n";
    if (gate) out << "gate " << (gateSeen ? "seen" : "missed") << "\n";
  }
  std::filesystem::rename(aside, record);
  return 0;
}
