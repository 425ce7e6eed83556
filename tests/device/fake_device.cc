#include "tests/device/fake_device.h"

#include <cerrno>

namespace vrx::test {

class FakePort final : public SerialPort {
 public:
  FakePort(std::shared_ptr<FakeDevice> device, int bitRate)
      : device_(std::move(device)), bitRate_(bitRate) {}

  bool WriteByte(uint8_t byte) override {
    if (closed_) return false;
    FakeDevice& d = *device_;
    if (d.sent.size() + 1 == d.failWriteNumber) {
      errno = EIO;
      return false;
    }
    d.sent.push_back({byte, bitRate_});
    // A byte the script does not expect gets no answer.
    if (!d.script_.empty() && d.script_.front().host == byte) {
      for (uint8_t answer : d.script_.front().answer) d.released_.push_back(answer);
      d.script_.pop_front();
    } else {
      d.script_.clear();
    }
    return true;
  }

  int Read(uint8_t* buffer, std::size_t count, std::chrono::milliseconds) override {
    FakeDevice& d = *device_;
    if (closed_ || (d.failReadsFrom != 0 && ++d.reads_ >= d.failReadsFrom)) {
      errno = EIO;
      return -1;
    }
    std::size_t got = 0;
    while (got < count && !d.released_.empty()) {
      buffer[got++] = d.released_.front();
      d.released_.pop_front();
    }
    return static_cast<int>(got);
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    device_->events.push_back("close");
  }

 private:
  std::shared_ptr<FakeDevice> device_;
  int bitRate_;
  bool closed_ = false;
};

FakeDevice& FakeDevice::On(uint8_t host, std::vector<uint8_t> answer) {
  script_.push_back({host, std::move(answer)});
  expectedHost_.push_back(host);
  return *this;
}

SerialOptions FakeDevice::Options() {
  SerialOptions options;
  options.readTimeout = std::chrono::milliseconds(5);
  std::weak_ptr<FakeDevice> weak = weak_from_this();
  options.openPort = [weak](const std::string& name, int bitRate,
                            const SerialOptions&) -> PortOpening {
    auto device = weak.lock();
    const std::string what = name + " " + std::to_string(bitRate);
    if (++device->opens_ == device->refuseOpenNumber || bitRate == 0) {
      device->events.push_back("refused " + what);
      return {nullptr, bitRate == 0 ? EINVAL : EBUSY};
    }
    device->events.push_back("open " + what);
    return {std::make_unique<FakePort>(device, bitRate)};
  };
  options.pause = [weak](std::chrono::milliseconds ms) {
    weak.lock()->pauses.push_back(static_cast<int>(ms.count()));
  };
  return options;
}

std::vector<uint8_t> FakeDevice::SentBytes() const {
  std::vector<uint8_t> bytes;
  for (const auto& s : sent) bytes.push_back(s.byte);
  return bytes;
}

}  // namespace vrx::test
