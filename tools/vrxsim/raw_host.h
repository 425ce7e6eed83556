/* A bare termios host: the least a program can do to talk to the module.
   The simulator's own tests use it (so they need none of the product's
   device code), and the benchmarks use it as the floor to compare with. */
#ifndef VRX_RAW_HOST_H
#define VRX_RAW_HOST_H

#ifdef __cplusplus
extern "C" {
#endif

/* Opens `path` raw at `bit_rate` (a standard rate); the descriptor or -1. */
int raw_host_open(const char* path, int bit_rate);
/* Writes one byte; 0 or -1. */
int raw_host_write(int fd, unsigned char value);
/* Reads `count` bytes before one deadline `timeout_ms` away: the number
   received (fewer on time-out), or -1 when the port failed or hung up. */
int raw_host_read(int fd, unsigned char* buffer, int count, int timeout_ms);
/* Writes `value`, reads one answer: 1 answered, 0 timed out, -1 failed. */
int raw_host_round_trip(int fd, unsigned char value, unsigned char* answer, int timeout_ms);

#ifdef __cplusplus
}
#endif

#endif
