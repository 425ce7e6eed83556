#define _DEFAULT_SOURCE
#include "minimal_writer.h"

#include <string.h>
#include <unistd.h>

#include "raw_host.h"

enum { kTimeoutMs = 2000, kRecord = 128 };

static int expect(int fd, unsigned char out, unsigned char answer) {
  unsigned char got;
  return raw_host_round_trip(fd, out, &got, kTimeoutMs) == 1 && got == answer ? 0 : -1;
}

static int status(int fd, unsigned char wanted) {
  unsigned char got;
  return raw_host_read(fd, &got, 1, kTimeoutMs) == 1 && got == wanted ? 0 : -1;
}

static int erase(int fd, unsigned char mask) {
  return expect(fd, 0xA5, 0xA5) || expect(fd, mask, 0x00) || status(fd, 0x09) ? -1 : 0;
}

static int write_chunk(int fd, unsigned address, const unsigned char* data, unsigned length) {
  if (expect(fd, 0x5A, 0x5A)) return -1;
  for (unsigned offset = 0; offset < length; offset += kRecord) {
    const unsigned at = address + offset;
    unsigned sum = 0;
    if (expect(fd, 0x5B, 0x5B) || expect(fd, (unsigned char)(at & 0xFF), 0) ||
        expect(fd, (unsigned char)(at >> 8), 0)) return -1;
    for (unsigned i = 0; i < kRecord; ++i) {
      sum += data[offset + i];
      if (expect(fd, data[offset + i], 0)) return -1;
    }
    if (status(fd, 0x0B) || expect(fd, (unsigned char)(sum & 0xFF), 0) ||
        expect(fd, (unsigned char)((sum >> 8) & 0xFF), 0) ||
        status(fd, 0x0A)) {
      return -1;
    }
  }
  return expect(fd, 0x5C, 0x5C);
}

int minimal_write(const char* path, int bit_rate, const unsigned char* image) {
  int fd = raw_host_open(path, bit_rate);
  unsigned char answer = 0;
  if (fd < 0 || raw_host_round_trip(fd, 0xC4, &answer, kTimeoutMs) != 1) goto fail;
  if (answer == 0xFA) {
    if (expect(fd, 0xC3, 0xFA) || expect(fd, 0x3C, 0xFA)) goto fail;
    usleep(100 * 1000);
    if (bit_rate != 38400) {
      close(fd);
      fd = raw_host_open(path, 38400);
      if (fd < 0) return -1;
    }
  } else if (answer != 0xC4) {
    goto fail;
  }

  unsigned char block0[0x400];
  for (unsigned address = 0; address < sizeof block0; address += kRecord) {
    if (expect(fd, 0x11, 0x11) || expect(fd, (unsigned char)(address & 0xFF), 0) ||
        expect(fd, (unsigned char)(address >> 8), 0) ||
        raw_host_read(fd, block0 + address, kRecord, kTimeoutMs) != kRecord) {
      goto fail;
    }
  }
  if (memcmp(block0, image, sizeof block0) != 0 &&
      (erase(fd, 0x01) || write_chunk(fd, 0, image, sizeof block0))) {
    goto fail;
  }
  if (erase(fd, 0x10)) goto fail;
  for (unsigned address = 0x1000; address < 0x8000; address += 0x800) {
    if (write_chunk(fd, address, image + address, 0x800)) goto fail;
  }
  if (expect(fd, 0x5D, 0x5D)) goto fail;
  usleep(1000 * 1000);
  close(fd);
  return 0;
fail:
  if (fd >= 0) close(fd);
  return -1;
}
