// Runs a fuzz target over given inputs where libFuzzer is not available:
// every file named on the command line, and every file in a named folder,
// goes once through LLVMFuzzerTestOneInput.  A fault aborts (the targets
// check with abort(), the sanitizers stop at the first report).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

void RunOne(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(2);
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t runs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        RunOne(entry.path());
        ++runs;
      }
    } else {
      RunOne(path);
      ++runs;
    }
  }
  std::printf("%zu inputs run\n", runs);
  return runs > 0 ? 0 : 2;
}
