// How long the Write's first step takes: one DES block with its key
// schedule, the whole payload load, and the packaging step.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "device/des.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"
#include "writer/firmware_container.h"
#include "writer/firmware_pack.h"

namespace {

const vrx::DesKey kKey = *vrx::ParseDesKey("5A6E74726F6C6974");

void BM_DesProcessBlock(benchmark::State& state) {
  uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  for (auto _ : state) {
    vrx::DesProcessBlock(kKey.data(), block, vrx::kDesDecipher);
    benchmark::DoNotOptimize(block);
  }
  state.SetBytesProcessed(state.iterations() * 8);
}
BENCHMARK(BM_DesProcessBlock);

// A packed file of `payload` bytes, as the shipped writer carries 0x7180.
void BM_ReadFirmwarePayload(benchmark::State& state) {
  vrx::test::ScratchFolder dir;
  const auto exe = dir / "writer";
  vrx::test::WriteBytes(exe, std::vector<uint8_t>(200000, 0x90));
  const std::vector<uint8_t> firmware(static_cast<std::size_t>(state.range(0)), 0x3C);
  if (vrx::PackFirmware(firmware, exe, kKey) != vrx::PackResult::kOk)
    state.SkipWithError("pack failed");
  vrx::FlashImage image;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vrx::ReadFirmwarePayload(exe, image));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFirmwarePayload)->Arg(0x7180)->Arg(0x8000)->Unit(benchmark::kMillisecond);

void BM_PackFirmware(benchmark::State& state) {
  vrx::test::ScratchFolder dir;
  const auto exe = dir / "writer";
  vrx::test::WriteBytes(exe, std::vector<uint8_t>(200000, 0x90));
  std::vector<uint8_t> firmware(0x7180);
  uint8_t counter = 0;
  for (auto _ : state) {
    firmware[0] = counter++;  // a changed firmware, so the file is rewritten
    benchmark::DoNotOptimize(vrx::PackFirmware(firmware, exe, kKey));
  }
}
BENCHMARK(BM_PackFirmware)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
