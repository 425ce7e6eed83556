/* The least a module can be: a pty whose other end answers every byte with
   one fixed byte.  The floor for round-trip benchmarks. */
#ifndef VRX_MINIMAL_ECHO_H
#define VRX_MINIMAL_ECHO_H

#ifdef __cplusplus
extern "C" {
#endif

struct minimal_echo;

/* Opens a raw pty and starts a thread answering `answer` to each byte;
   NULL on failure. */
struct minimal_echo* minimal_echo_start(unsigned char answer);
const char* minimal_echo_path(const struct minimal_echo* echo);
void minimal_echo_stop(struct minimal_echo* echo);

#ifdef __cplusplus
}
#endif

#endif
